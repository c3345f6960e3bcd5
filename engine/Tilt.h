#pragma once

// Piecewise-linear tilt in degrees from the uncorrected Y and X accelerations in g: 0 at
// rest with gravity along Y, +90 with X pointing up, -90 with X pointing down.
constexpr double ComputeTilt(double gy, double gx) {
    if (gx < 0) return (1.0 - ((gx + gy) * 0.5 + 0.5)) * 90.0;
    return (((gy - gx) * 0.5 + 0.5) - 1.0) * 90.0;
}
