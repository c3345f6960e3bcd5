#pragma once

#include "device/ReceiveQueue.h"
#include "engine/ProcessFrame.h"

#include <string>

// Hands every received frame to the measurement core, as the main window does.
class EngineConsumer final : public FrameConsumer {
public:
    EngineConsumer(LiveState& state, const ControlState& controls, MeasurementView& view)
        : state(state), controls(controls), view(view) {}
    void ProcessFrame(const Frame& frame) override { ::ProcessFrame(state, controls, view, frame); }
    void AppendMessage(const std::string& line) override { view.AppendMessage(line); }

private:
    LiveState& state;
    const ControlState& controls;
    MeasurementView& view;
};
