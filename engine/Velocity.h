#pragma once

#include "engine/LiveState.h"

// One step of the velocity page's integration over a sample period: the acceleration in m/s²
// added to the previous velocity, which a small acceleration (below 0.1 m/s² either way) pulls
// back toward rest by 2 % a sample and snaps to 0 below 0.05 m/s.
constexpr double NextVelocity(double previous, double accelerationMs2) {
    double velocity = accelerationMs2 * SamplePeriod + previous;
    if (accelerationMs2 > -0.1 && accelerationMs2 < 0.1) {
        velocity *= 0.98;
        if (velocity > -0.05 && velocity < 0.05) velocity = 0.0;
    }
    return velocity;
}
