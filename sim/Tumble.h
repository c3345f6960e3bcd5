#pragma once

#include "sim/Motion.h"

// A calibration tumble, as an operator turns the sensor by hand: a full turn about Z in
// quarter turns (X and Y each through +1 g and −1 g), then a full turn about X (Y and Z
// likewise), repeated every 8 s. Each quarter turn is half a second of smooth turning and
// half a second held, so that every peak lasts several samples at any rate.
AxisG TumbleAt(double time);
