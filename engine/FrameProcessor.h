#pragma once

#include "device/ReceiveQueue.h"
#include "engine/ProcessFrame.h"

// Hands every frame the receive queue delivers to the measurement core, and counts the bytes it
// threw away, so that a run knows the samples it lost on the line.
class FrameProcessor final : public FrameConsumer {
public:
    FrameProcessor(LiveState& state, const ControlState& controls, MeasurementView& view)
        : State(state), Controls(controls), View(view) {}

    void ProcessFrame(const Frame& frame) override;
    void AppendMessage(const Message& message) override;
    void BytesDiscarded(int count) override;

private:
    LiveState& State;
    const ControlState& Controls;
    MeasurementView& View;
};
