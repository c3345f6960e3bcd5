#pragma once

#include "engine/ProcessFrame.h"
#include "tests/engine/RecordingView.h"

#include <memory>

// The measurement core fed frame by frame; filter off, unit [g], acceleration page.
struct EngineHarness {
    std::unique_ptr<LiveState> Owned = std::make_unique<LiveState>(); // too big for the stack
    LiveState& State = *Owned;
    ControlState Controls{.KalmanIndex = 0, .UnitIndex = 0};
    RecordingView View;

    void Send(int type, int data) {
        ProcessFrame(State, Controls, View, BuildValueFrame(type, data));
    }
    void Sample(int y, int x, int z, int times = 1) { // Y, X, then the Z frame closing a sample
        for (int i = 0; i < times; ++i) {
            Send(FrmAxisY, y);
            Send(FrmAxisX, x);
            Send(FrmAxisZ, z);
        }
    }
};
