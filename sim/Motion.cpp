#include "sim/Motion.h"

#include "sim/Tumble.h"

#include <cmath>
#include <numbers>

namespace {

constexpr double Gravity = 9.8; // m/s² per g, as the analysis program counts
constexpr double TiltSweepDegrees = 60.0;
constexpr double TiltSweepPeriod = 20.0; // seconds
constexpr double PushG = 0.3;
constexpr double PushRest = 1.0;  // seconds of rest before each push
constexpr double PushPhase = 0.5; // seconds of speeding up, then as long of braking
// The sensor sits at this fraction of the equivalent length below the pivot, above the
// centre of oscillation: a physical pendulum whose sensor still feels a tangential force.
constexpr double SensorDepth = 0.8;

double Radians(double degrees) {
    return degrees * std::numbers::pi / 180.0;
}

// Hanging with its Y axis along the string. The pendulum swings as θ(t) = θ0·cos(ωt) with
// equivalent length L = g/ω²; the sensor is at r = 0.8·L from the pivot. Along the string
// it feels gravity's share cos θ plus the centripetal r·θ'², which peaks twice per swing, so
// Y oscillates at twice the pendulum frequency. Across the string gravity's share sin θ is
// partly cancelled by the tangential acceleration r·θ'' = −(r/L)·g·sin θ; only at r = L (the
// centre of oscillation) would the two cancel and X read nothing. X oscillates at the
// pendulum frequency.
AxisG Pendulum(const MotionOptions& options, double time) {
    const double omega = 2.0 * std::numbers::pi / options.Period;
    const double theta0 = Radians(options.Amplitude);
    const double theta = theta0 * std::cos(omega * time);
    const double angularSpeed = -theta0 * omega * std::sin(omega * time);
    const double length = Gravity / (omega * omega);
    const double radius = SensorDepth * length;
    return {std::sin(theta) * (1.0 - radius / length),
            std::cos(theta) + radius * angularSpeed * angularSpeed / Gravity, 0.0};
}

} // namespace

AxisG MotionAt(const MotionOptions& options, double time) {
    switch (options.Kind) {
    case MotionKind::Rest:
        break;
    case MotionKind::Tilt: {
        // Turning in the X-Y plane: a positive angle lifts X, which the program shows as a
        // positive tilt.
        const double theta =
            Radians(TiltSweepDegrees) * std::sin(2.0 * std::numbers::pi * time / TiltSweepPeriod);
        return {-std::sin(theta), std::cos(theta), 0.0};
    }
    case MotionKind::Pendulum:
        return Pendulum(options, time);
    case MotionKind::Tumble:
        return TumbleAt(time);
    case MotionKind::Push: {
        const double phase = std::fmod(time, options.PushEvery) - PushRest;
        if (phase >= 0.0 && phase < PushPhase) return {PushG, 1.0, 0.0};
        if (phase >= PushPhase && phase < 2.0 * PushPhase) return {-PushG, 1.0, 0.0};
        break;
    }
    }
    return {0.0, 1.0, 0.0};
}
