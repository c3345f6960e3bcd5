#pragma once

#include "engine/ProcessFrame.h"
#include "engine/RunControl.h"
#include "engine/ZeroOffset.h"
#include "sim/DeviceSimulator.h"
#include "tests/engine/RecordingView.h"

#include <algorithm>
#include <memory>

// The simulated device streaming into the measurement core as the window feeds it: frames of
// a clean line, the filter level of the box, range code 1 from the identify answer.
struct SimulatedRun {
    SimulatedRun(const SimulatorOptions& options, int kalmanIndex, Page page)
        : Device(options), Controls{.KalmanIndex = kalmanIndex,
                                    .UnitIndex = 1,
                                    .ActivePage = page,
                                    .ThreeAxis = true} {
        ApplyKalmanLevel(State, kalmanIndex);
        TakeRangeCode(State, 1);
        Device.Receive(BuildFrame(CmdStream, StreamStart, 0).data(), FrameLength);
    }

    void Stream(int samples) {
        const std::vector<std::uint8_t> bytes = Device.ProduceSamples(samples);
        for (std::size_t at = 0; at + FrameLength <= bytes.size(); at += FrameLength) {
            Frame frame;
            std::copy_n(bytes.begin() + static_cast<long>(at), FrameLength, frame.begin());
            ProcessFrame(State, Controls, View, frame);
        }
    }

    // Start as the window does it on the pendulum, tilt and velocity pages: the offsets are
    // taken from the present sample; the velocity page also integrates from rest.
    void Start() {
        BeginRun(State, View);
        CaptureOffsets(State);
        if (Controls.ActivePage == Page::TabSpeed) {
            State.VelocityPrev = 0.0;
            State.VelocityRun = true;
        }
        NoteRunConditions(State, Controls, true, "1.000");
    }

    DeviceSimulator Device;
    ControlState Controls;
    std::unique_ptr<LiveState> Owned = std::make_unique<LiveState>(); // too big for the stack
    LiveState& State = *Owned;
    RecordingView View;
};
