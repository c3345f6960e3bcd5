#include "sim/Motion.h"

#include "sim/Tumble.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double Gravity = 9.8; // m/s² per g, as the analysis program counts
constexpr double TiltSweepDegrees = 60.0;
constexpr double TiltSweepPeriod = 20.0; // seconds
constexpr double PushG = 0.3;
constexpr double PushRest = 1.0;  // seconds of rest before each push
constexpr double PushPhase = 0.5; // seconds of speeding up, then as long of braking
// The sensor sits at this fraction of the length below the pivot, above the centre of
// oscillation: a physical pendulum whose sensor still feels a tangential force.
constexpr double SensorDepth = 0.8;
constexpr double SwingStep = 0.001; // seconds per integration step

double Radians(double degrees) {
    return degrees * std::numbers::pi / 180.0;
}

// Hanging with its Y axis along the string, released at rest at the amplitude, the pendulum
// follows θ'' = −(g/L)·sin θ, integrated with RK4 in 1 ms steps, so that its period grows
// with the amplitude as a real one's does. The sensor, at r = 0.8·L from the pivot, feels
// g·cos θ + r·θ'² along the string (gravity's share and the centripetal part, peaking twice
// per swing) and g·sin θ + r·θ'' across it, where the tangential acceleration cancels most
// of gravity's share; only at r = L would X read nothing.
AxisG Pendulum(const MotionOptions& options, double time) {
    const double theta0 = Radians(options.Amplitude);
    const double stiffness = Gravity / options.Length; // θ'' = −stiffness·sin θ
    // The swing repeats every period and mirrors itself: the second half is the first with
    // the angle negated, and the second quarter retraces the first backwards with the angle
    // negated. So each call integrates at most a quarter period from the turn, where the
    // pendulum is at rest at the amplitude. The period is 4·K(sin(θ0/2)) / √(g/L).
    const double period = 4.0 * std::comp_ellint_1(std::sin(theta0 / 2.0)) / std::sqrt(stiffness);
    double phase = std::fmod(time, period);
    double side = 1.0;
    if (phase >= period / 2) {
        phase -= period / 2;
        side = -side;
    }
    if (phase > period / 4) {
        phase = period / 2 - phase;
        side = -side;
    }
    double theta = theta0;
    double speed = 0.0; // only its square is felt, so its sign is not kept
    auto acceleration = [stiffness](double angle) { return -stiffness * std::sin(angle); };
    for (double left = phase; left > 0.0;) {
        const double h = std::min(SwingStep, left);
        const double k1x = speed, k1v = acceleration(theta);
        const double k2x = speed + h / 2 * k1v, k2v = acceleration(theta + h / 2 * k1x);
        const double k3x = speed + h / 2 * k2v, k3v = acceleration(theta + h / 2 * k2x);
        const double k4x = speed + h * k3v, k4v = acceleration(theta + h * k3x);
        theta += h / 6 * (k1x + 2 * k2x + 2 * k3x + k4x);
        speed += h / 6 * (k1v + 2 * k2v + 2 * k3v + k4v);
        left -= h;
    }
    theta *= side;
    const double radius = SensorDepth * options.Length;
    return {(radius * acceleration(theta) + Gravity * std::sin(theta)) / Gravity,
            (radius * speed * speed + Gravity * std::cos(theta)) / Gravity, 0.0};
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
