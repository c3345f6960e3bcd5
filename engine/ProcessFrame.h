#pragma once

#include "device/Frame.h"
#include "engine/LiveState.h"
#include "engine/MeasurementView.h"

// Everything done with one received frame: axis counts, peaks, g values, and on the Z frame
// that closes a sample the derived quantities, recording, chart points, velocity, the end of
// the time window and the value boxes. Identify answers and read-back frames are shown;
// other types are ignored.
void ProcessFrame(LiveState& state, const ControlState& controls, MeasurementView& view,
                  const Frame& frame);

// Ends the run once the first series of Chart1 holds 50 × window − 1 points.
void EndOfWindowCheck(LiveState& state, const ControlState& controls, MeasurementView& view);

// Ends a run: nothing more is charted, recorded or integrated.
void StopRun(LiveState& state, MeasurementView& view);
