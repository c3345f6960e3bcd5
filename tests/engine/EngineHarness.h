#pragma once

#include "device/Frame.h"
#include "engine/LiveState.h"
#include "engine/ProcessFrame.h"
#include "tests/engine/RecordingView.h"

#include <memory>

// The live state, the control states and a recording view, fed frame by frame. Filter off,
// unit [g], acceleration page, unless a test sets otherwise.
struct EngineHarness {
    std::unique_ptr<LiveState> Owned = std::make_unique<LiveState>(); // too big for the stack
    LiveState& State = *Owned;
    ControlState Controls;
    RecordingView View;

    EngineHarness() {
        Controls.KalmanIndex = 0;
        Controls.UnitIndex = 0;
    }
    void Send(const Frame& frame) { ProcessFrame(State, Controls, View, frame); }
    void Send(std::uint8_t type, int value) { Send(BuildValueFrame(type, value)); }
    void Identify(std::uint8_t rangeCode) { Send(BuildFrame(FrmIdentity, rangeCode, 0)); }
    // One sample as the device sends it: Y, X, then the Z frame that closes it.
    void Sample(int y, int x, int z, int times = 1) {
        for (int i = 0; i < times; ++i) {
            Send(FrmAxisY, y);
            Send(FrmAxisX, x);
            Send(FrmAxisZ, z);
        }
    }
};
