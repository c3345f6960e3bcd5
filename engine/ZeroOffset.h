#pragma once

#include "engine/LiveState.h"

#include <string>

// The three offset box texts and the offsets taken by the automatic zeroing.
struct CapturedOffsets {
    std::string TextX, TextY, TextZ;
};

// Zeroes all three axes for the present posture: X takes the value its 3-decimal box text
// reads back as, Y and Z the unrounded values, so the corrected Y and Z become exactly 0.
CapturedOffsets CaptureOffsets(LiveState& state);
