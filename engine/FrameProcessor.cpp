#include "engine/FrameProcessor.h"

void FrameProcessor::ProcessFrame(const Frame& frame) {
    ::ProcessFrame(State, Controls, View, frame);
}

void FrameProcessor::AppendMessage(const Message& message) {
    View.AppendMessage(message);
}

void FrameProcessor::BytesDiscarded(int count) {
    State.DiscardedBytes += static_cast<std::uint32_t>(count);
}
