#include "engine/RunControl.h"

#include "engine/FrameProcessor.h"
#include "engine/ProcessFrame.h"
#include "sim/DeviceSimulator.h"
#include "tests/device/MemoryComm.h"
#include "tests/engine/RecordingView.h"

#include <cmath>
#include <gtest/gtest.h>
#include <memory>

namespace {

// The number a numbered sample carries: three base-64 digits, X least significant, each as
// -1 g + digit/32 g.
long SampleNumberOf(double gx, double gy, double gz) {
    const auto digit = [](double g) { return std::lround((g + 1) * 32); };
    return digit(gx) + 64 * (digit(gy) + 64 * digit(gz));
}

} // namespace

// Numbered samples through the receive path while the line breaks bytes: every sample a run
// keeps is whole (its three axes carry one number, later than the one before, where a lost
// frame used to leave the sample before's value), and the run ends counting the samples that
// did not come, whatever the rate (only the order of the stream is used).
TEST(LostSamples, AreCountedFromTheStreamAndNeverKeptHalf) {
    constexpr int Sent = 3000;
    // Whole samples lost at once are told by the bytes thrown away, which a dropped byte
    // leaves one short: the count may be a hair off where many go.
    const LineFaults faults[] = {{.BadChecksum = 0.05},
                                 {.DropBytes = 0.002},
                                 {.NoiseBytes = 0.01},
                                 {.DropBytes = 0.05},
                                 {.BadChecksum = 0.1, .NoiseBytes = 0.05, .DropBytes = 0.01}};
    for (const LineFaults& fault : faults) {
        SimulatorOptions options;
        options.Numbered = true;
        options.Faults = fault;
        DeviceSimulator device(options);
        const Frame start = BuildFrame(CmdStream, StreamStart, 0);
        device.Receive(start.data(), FrameLength);
        device.TakeOutput();
        const auto state = std::make_unique<LiveState>();
        state->RangeCode = 1;
        const ControlState controls{.KalmanIndex = 0, .TimeWindow = 120};
        RecordingView view;
        FrameProcessor engine(*state, controls, view);
        MemoryComm line;
        PortContext port{&line};
        BeginRun(*state, view);
        for (int i = 0; i < Sent; ++i) {
            const auto bytes = device.ProduceSamples(1);
            line.Arrive(bytes.data(), bytes.size());
            ReceiveData(port, engine);
        }
        StopRun(*state, view);

        const Recording& recording = state->Recorded;
        long before = -1;
        for (std::uint32_t i = 0; i < recording.LogCount; ++i) {
            const long number =
                SampleNumberOf(recording.LogX[i], recording.LogY[i], recording.LogZ[i]);
            ASSERT_GT(number, before) << "sample " << i;
            before = number;
        }
        const double lost = Sent - static_cast<double>(recording.LogCount);
        EXPECT_LE(std::abs(state->RunLostSamples - lost), 0.01 * lost + 1)
            << state->RunLostSamples << " counted, " << lost << " lost";
        if (lost > 0) {
            EXPECT_TRUE(view.Messages.back().starts_with("[주의] 이번 측정에서 샘플 약"));
        }
    }
}

TEST(LostSamples, LineGivesTheCountAndTheShareOfTheRun) {
    EXPECT_FALSE(LostSamplesLine(500, 0));
    EXPECT_EQ(KoreanText(LostSamplesLine(489, 11).value()),
              "[주의] 이번 측정에서 샘플 약 11개(2%)를 받지 못했습니다. 시간 값이 실제보다 짧게 "
              "나타납니다");
    EXPECT_EQ(KoreanText(LostSamplesLine(1, 9).value()).substr(0, 49),
              "[주의] 이번 측정에서 샘플 약 9개(90%)");
}

// Start on the velocity page begins a velocity run from rest and a second Start ends it; the
// pages that measure from the sample at hand take offsets, the acceleration page does not.
TEST(StartOnPage, TogglesTheVelocityRunAndTakesOffsetsWhereThePageMeasuresFromThem) {
    auto state = std::make_unique<LiveState>();
    state->VelocityPrev = 0.7;
    EXPECT_TRUE(StartOnPage(*state, Page::TabSpeed));
    EXPECT_TRUE(state->VelocityRun);
    EXPECT_EQ(state->VelocityPrev, 0.0);
    EXPECT_FALSE(StartOnPage(*state, Page::TabSpeed));
    EXPECT_FALSE(state->VelocityRun);
    for (const Page page : {Page::TabAngle, Page::TabPendulum})
        EXPECT_TRUE(StartOnPage(*state, page));
    EXPECT_FALSE(StartOnPage(*state, Page::TabAccelo));
    EXPECT_FALSE(state->VelocityRun);
}
