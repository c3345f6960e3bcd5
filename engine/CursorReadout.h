#pragma once

#include "engine/LiveState.h"
#include "messages/Message.h"

#include <optional>
#include <string>

// The colour of a readout: black for the free readout, for a snapped X value and for a
// place the recording does not reach; red for Y and blue for Z.
enum class ReadoutColour { Black, Red, Blue };

struct CursorReadout {
    std::string TimeText; // "Time:1.00[s]"
    Message ValueText;    // "ACC:0.123", or "X축ACC:0.123" when snapped to an axis
    ReadoutColour Colour = ReadoutColour::Black;
};

// How a click into the acceleration chart is read.
struct ReadoutMode {
    bool Free = false;      // the value under the pointer, not the nearest recorded sample
    bool ThreeAxis = false; // without it a snapped readout always reports X
    int UnitIndex = 1;      // 0 shows g, any other m/s²
};

// What a click at chart values (time, value) shows; nothing at or left of the time origin.
// A snapped click takes sample i = trunc((time + 0.01) / 0.02) from the recording (in the
// shown unit) and reports the axis whose value lies closest to the click, ties going to Z.
// Past the recording's capacity there is no sample: the readout then gives the time with
// "ACC:---".
std::optional<CursorReadout> ReadCursor(const LiveState& state, const ReadoutMode& mode,
                                        double time, double value);
