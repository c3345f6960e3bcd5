#pragma once

#include "device/Frame.h"
#include "engine/LiveState.h"
#include "engine/MeasurementView.h"

#include <array>
#include <cstdint>

// A kept run or a log played into the frame processing as if the device sent it again.

// The three frames of sample i in the device's order Y, X, Z. Where the recording has the counts
// before the filter, they are turned back by the direction reversal now in force, so that the
// processing takes the very counts the run took; otherwise the values become counts of the
// recording's range.
std::array<Frame, 3> ReplayFrames(const Recording& source, std::uint32_t i,
                                  const ControlState& controls);

// The filter level a replay runs with: the run's, or none for a recording of values alone,
// which passed the filter when they were measured.
int ReplayKalmanIndex(const Recording& source);

// The time window a replay runs in: the run's where the recording has it, so that it ends where
// the run ended and shows what the run showed; else the window shown, lengthened to hold the
// whole recording where it is shorter.
int ReplayTimeWindow(const Recording& source, int shown);

// Makes the live state take the recording's frames as the run took the device's: the range code,
// the zero offsets and the mass of the run, and each axis filter, already set up for the replay's
// level, in the state that gives the recorded counts after it.
void PrepareReplay(LiveState& state, const Recording& source);

// The filter state before a run's first sample that turns its counts before the filter into
// those after it: an estimate within the range the filtered counts leave open, with one of the
// error variances a filter passes through after it is set up: the steady one, or one of its first
// samples. Where none reproduces the run's first 30 seconds, the one that reproduces the longest
// beginning.
KalmanFilter FilterStartFor(const KalmanFilter& setUp, double bias, const std::int16_t* raw,
                            const std::int16_t* filtered, std::uint32_t count);
