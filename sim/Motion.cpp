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
constexpr double PushRest = 1.0;          // seconds of rest before each push
constexpr double PushPhase = 0.5;         // seconds of speeding up, then as long of braking
constexpr double IntegrationStep = 0.001; // seconds

double Radians(double degrees) {
    return degrees * std::numbers::pi / 180.0;
}

// Hanging with its Y axis along the string, the sensor at `radius` from the pivot feels
// g·cos θ + r·θ'² along the string (gravity's share and the centripetal term, peaking twice
// per swing) and g·sin θ + r·θ'' across it, where the tangential acceleration cancels most
// of gravity's share; only at the centre of oscillation would X read nothing.
AxisG SensorForce(double theta, double rate, double acceleration, double radius) {
    return {(radius * acceleration + Gravity * std::sin(theta)) / Gravity,
            (radius * rate * rate + Gravity * std::cos(theta)) / Gravity, 0.0};
}

} // namespace

double Motion::Stiffness() const {
    return Gravity / options.Length;
}

// The amplitude of a small damped swing halves in the half-life: γ = ln 2 / half-life.
double Motion::Friction() const {
    return options.HalfLife > 0.0 ? 2.0 * std::numbers::ln2 / options.HalfLife : 0.0;
}

// Released at rest at the amplitude, the pendulum follows θ'' = −(g/L)·sin θ − 2γ·θ',
// integrated with RK4 in 1 ms steps, so that its period grows with the amplitude as a real
// one's does.
AxisG Motion::Pendulum(double time) {
    const double stiffness = Stiffness();
    const double radius = options.SensorDepth * options.Length;
    if (options.HalfLife > 0.0) {
        const SwingState state = DampedSwingAt(time);
        return SensorForce(state[0], state[1], SwingAcceleration(state, stiffness, Friction()),
                           radius);
    }
    const double theta0 = Radians(options.Amplitude);
    // Undamped, the swing repeats every period and mirrors itself: the second half is the
    // first with the angle negated, and the second quarter retraces the first backwards with
    // the angle negated. So each call integrates at most a quarter period from the turn, where
    // the pendulum is at rest at the amplitude. The period is 4·K(sin(θ0/2)) / √(g/L).
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
    SwingState state{theta0, 0.0}; // only the rate's square is felt, so its sign is not kept
    for (double left = phase; left > 0.0;) {
        const double h = std::min(IntegrationStep, left);
        state = SwingStep(state, stiffness, 0.0, h);
        left -= h;
    }
    state[0] *= side;
    return SensorForce(state[0], state[1], SwingAcceleration(state, stiffness, 0.0), radius);
}

// Integrated on from the release on a grid of whole steps, so that any moment is reached by
// the same steps however the moments are asked for; before the release it is held at the
// amplitude.
SwingState Motion::DampedSwingAt(double time) {
    const double stiffness = Stiffness(), friction = Friction();
    const auto steps = static_cast<std::int64_t>(std::max(time, 0.0) / IntegrationStep);
    if (dampedSteps < 0 || steps < dampedSteps) {
        damped = {Radians(options.Amplitude), 0.0};
        dampedSteps = 0;
    }
    for (; dampedSteps < steps; ++dampedSteps)
        damped = SwingStep(damped, stiffness, friction, IntegrationStep);
    const double rest = time - static_cast<double>(steps) * IntegrationStep;
    return rest > 0.0 ? SwingStep(damped, stiffness, friction, rest) : damped;
}

double Motion::SwingAmplitudeAt(double time) {
    if (!(options.HalfLife > 0.0)) return options.Amplitude;
    const SwingState state = DampedSwingAt(time);
    const double degrees = 180.0 / std::numbers::pi;
    return degrees * SwingAmplitude(state[0], state[1] / std::sqrt(Stiffness()));
}

AxisG Motion::At(double time) {
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
        return Pendulum(time);
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
