#pragma once

#include "device/ReceiveQueue.h"
#include "engine/ProcessFrame.h"

// Hands every received frame to the measurement core, as the main window does.
struct EngineConsumer final : FrameConsumer {
    EngineConsumer(LiveState& state, const ControlState& controls, MeasurementView& view)
        : State(state), Controls(controls), View(view) {}
    void ProcessFrame(const Frame& frame) override { ::ProcessFrame(State, Controls, View, frame); }
    void AppendMessage(const Message& message) override { View.AppendMessage(message); }
    void BytesDiscarded(int count) override {
        State.DiscardedBytes += static_cast<std::uint32_t>(count);
    }

    LiveState& State;
    const ControlState& Controls;
    MeasurementView& View;
};
