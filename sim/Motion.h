#pragma once

// How the simulated device moves. Every model gives the specific force the sensor feels,
// in g, along the program's axes (the axes the analysis program shows, not the wire
// channels).
enum class MotionKind { Rest, Tilt, Pendulum, Push, Tumble };

struct MotionOptions {
    MotionKind Kind = MotionKind::Rest;
    double Period = 2.0;     // pendulum period, seconds
    double Amplitude = 20.0; // pendulum amplitude, degrees
    double PushEvery = 10.0; // seconds from one push to the next, at least 2
};

struct AxisG {
    double X = 0.0, Y = 0.0, Z = 0.0;
};

// The specific force at `time` seconds after the device was switched on.
AxisG MotionAt(const MotionOptions& options, double time);
