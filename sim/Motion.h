#pragma once

#include "analysis/Swing.h"

#include <cstdint>

// How the simulated device moves. Every model gives the specific force the sensor feels,
// in g, along the program's axes (the axes the analysis program shows, not the wire
// channels).
enum class MotionKind { Rest, Tilt, Pendulum, Push, Tumble };

struct MotionOptions {
    MotionKind Kind = MotionKind::Rest;
    double Length = 1.0;     // pendulum length, metres
    double Amplitude = 20.0; // pendulum amplitude when released, degrees
    double PushEvery = 10.0; // seconds from one push to the next, at least 2
    double HalfLife = 0.0;   // seconds in which a small swing's amplitude halves; 0: undamped
    // The sensor's distance from the pivot as a share of the length: 1 on the bob, less on a
    // physical pendulum whose sensor sits above the centre of oscillation.
    double SensorDepth = 0.8;
};

struct AxisG {
    double X = 0.0, Y = 0.0, Z = 0.0;
};

// The device's motion. A damped swing has no closed form: it is integrated on from the last
// moment asked for, so that a device asked in order of time pays a few steps per sample.
class Motion {
public:
    explicit Motion(const MotionOptions& options) : options(options) {}

    // The specific force at `time` seconds after the device was switched on.
    AxisG At(double time);
    // The pendulum's amplitude at `time`, degrees: that of the undamped swing with its energy.
    double SwingAmplitudeAt(double time);

private:
    AxisG Pendulum(double time);
    SwingState DampedSwingAt(double time);
    double Stiffness() const; // g/L in θ'' = −(g/L)·sin θ − 2γ·θ'
    double Friction() const;  // 2γ

    MotionOptions options;
    SwingState damped{}; // after dampedSteps integration steps from the release
    std::int64_t dampedSteps = -1;
};
