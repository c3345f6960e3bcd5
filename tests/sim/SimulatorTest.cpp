#include "device/ReceiveQueue.h"
#include "sim/DeviceSimulator.h"
#include "tests/device/MemoryComm.h"
#include "tests/engine/EngineHarness.h"

#include <array>
#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

namespace {

std::vector<std::uint8_t> Bytes(std::initializer_list<Frame> frames) {
    std::vector<std::uint8_t> bytes;
    for (const Frame& frame : frames)
        bytes.insert(bytes.end(), frame.begin(), frame.end());
    return bytes;
}

std::vector<std::uint8_t> Exchange(DeviceSimulator& device, std::initializer_list<Frame> commands) {
    const auto bytes = Bytes(commands);
    device.Receive(bytes.data(), static_cast<int>(bytes.size()));
    return device.TakeOutput();
}

// The number a numbered sample carries, read back from the values the program shows: three
// base-64 digits, X least significant, each as -1 g + digit/32 g.
std::uint32_t SampleNumberOf(double gx, double gy, double gz) {
    const auto digit = [](double g) {
        return static_cast<std::uint32_t>(std::lround((g + 1) * 32));
    };
    return digit(gx) + 64 * (digit(gy) + 64 * digit(gz));
}

// Gravity along Y: the device sends the Y channel negated and the program negates it back.
constexpr std::array<double, 3> AtRest = {0.0, 1.0, 0.0}; // GX, GY, GZ

// The program's receive path with the filter off, watching a device identified and started.
struct ProgramSide : EngineHarness, FrameConsumer {
    MemoryComm Line;
    PortContext Port{&Line};
    std::vector<std::array<double, 3>> Samples;

    ProgramSide(const SimulatorOptions& options, int samples) {
        DeviceSimulator device(options);
        const auto answer = Exchange(
            device, {BuildFrame(CmdIdentify, 0, 0), BuildFrame(CmdStream, StreamStart, 0)});
        Line.Arrive(answer.data(), answer.size());
        for (int i = 0; i < samples; ++i) {
            const auto bytes = device.ProduceSamples(1);
            Line.Arrive(bytes.data(), bytes.size());
            ReceiveData(Port, *this);
        }
    }
    void ProcessFrame(const Frame& frame) override {
        ::ProcessFrame(State, Controls, View, frame);
        if (FrameType(frame) == FrmAxisZ) Samples.push_back({State.GX, State.GY, State.GZ});
    }
    void AppendMessage(const Message&) override {}
};

} // namespace

// The calibration read-back is checked end to end (AppTests).
TEST(DeviceSimulator, StreamsBetweenStartAndStop) {
    DeviceSimulator device({});
    Exchange(device, {BuildFrame(CmdStream, StreamStart, 0)});
    EXPECT_EQ(device.ProduceSamples(2).size(), 6u * FrameLength);
    Exchange(device, {BuildFrame(CmdStream, StreamStop, 0)});
    EXPECT_TRUE(device.ProduceSamples(5).empty());
}

TEST(Motion, PendulumFollowsTheFullPendulumEquation) {
    // {length m, amplitude °, period / 2π√(L/g), sensor depth}: the amplitude lengthens the
    // period by 2K(sin(θ0/2))/π, 0.77 % at 20° (K the complete elliptic integral of the first
    // kind).
    const std::tuple<double, double, double, double> cases[] = {
        {0.5, 20.0, 1.007669, 0.8}, {1.0, 5.0, 1.000476, 0.5}, {2.0, 60.0, 1.073182, 0.8}};
    for (const auto& [length, amplitude, lengthening, depth] : cases) {
        Motion swing({MotionKind::Pendulum, length, amplitude, 10.0, 0.0, depth});
        const double smallAngle = 2 * std::numbers::pi * std::sqrt(length / 9.8);
        // X crosses zero twice a period, at the bottom of the swing.
        std::vector<double> crossings;
        AxisG last = swing.At(0.0);
        for (int step = 1; step <= 1000 * smallAngle; ++step) { // 10 periods at 100 Hz
            const AxisG now = swing.At(step / 100.0);
            if ((last.X < 0) != (now.X < 0))
                crossings.push_back((step - now.X / (now.X - last.X)) / 100.0);
            last = now;
        }
        ASSERT_GE(crossings.size(), 19u);
        const double period =
            2 * (crossings.back() - crossings.front()) / double(crossings.size() - 1);
        EXPECT_NEAR(period / smallAngle, lengthening, 2e-5) << amplitude;
        // The sensor at ρ·L: released at rest, r·θ'' cancels ρ of gravity's sin θ0 across the
        // string; at the bottom r·θ'² adds 2ρ·g·(1 − cos θ0) along it, from the energy.
        const double theta0 = amplitude * std::numbers::pi / 180;
        const AxisG released = swing.At(0.0);
        const AxisG bottom = swing.At(crossings[4]);
        EXPECT_NEAR(released.X, (1 - depth) * std::sin(theta0), 1e-9) << amplitude;
        EXPECT_NEAR(released.Y, std::cos(theta0), 1e-9) << amplitude;
        EXPECT_NEAR(bottom.Y, 1 + 2 * depth * (1 - std::cos(theta0)), 1e-5) << amplitude;
    }
}

// θ'' = −(g/L)·sin θ − 2γ·θ' with γ = ln 2 / half-life: a small swing's amplitude halves in the
// half-life. The swing is integrated on from the last moment asked for, and asked out of order
// it is the same.
TEST(Motion, DampedSwingHalvesItsAmplitudeInTheHalfLife) {
    const MotionOptions options{MotionKind::Pendulum, 1.0, 4.0, 10.0, 20.0};
    Motion inOrder(options);
    std::vector<AxisG> sensed;
    for (int step = 0; step <= 4000; ++step)
        sensed.push_back(inOrder.At(step / 100.0));
    for (const auto& [seconds, degrees] : {std::pair{20.0, 2.0}, {40.0, 1.0}})
        EXPECT_NEAR(inOrder.SwingAmplitudeAt(seconds), degrees, 0.01 * degrees) << seconds;
    Motion outOfOrder(options);
    for (const int step : {3137, 250, 3999, 0, 1234}) {
        const AxisG again = outOfOrder.At(step / 100.0);
        EXPECT_EQ(again.X, sensed[step].X) << step;
        EXPECT_EQ(again.Y, sensed[step].Y) << step;
    }
}

TEST(DeviceSimulator, AtRestTheProgramShowsPlusOneGAlongYAlsoAcrossBrokenFrames) {
    EXPECT_EQ(ProgramSide({}, 50).Samples, std::vector(50, AtRest));
    SimulatorOptions options;
    options.Faults.BadChecksum = 0.2;
    options.Faults.NoiseBytes = options.Faults.DropBytes = 0.01;
    const ProgramSide program(options, 1000);
    // About 0.73 of the samples come through whole; 0.89 if wrong checksums were let pass.
    EXPECT_NEAR(program.Samples.size(), 730, 60);
    EXPECT_EQ(program.Samples, std::vector(program.Samples.size(), AtRest));
}

// The numbers survive the program's conversion in both range codes, past the first carry into
// the Y digit and up to the last number of the cycle.
TEST(DeviceSimulator, NumberedSamplesReadBackAsTheirNumbers) {
    for (const std::uint8_t range : {1, 2}) {
        SimulatorOptions options;
        options.Numbered = true;
        options.RangeCode = range;
        const ProgramSide program(options, 200);
        ASSERT_EQ(program.Samples.size(), 200u);
        for (std::uint32_t n = 0; n < 200; ++n) {
            const auto& [gx, gy, gz] = program.Samples[n];
            EXPECT_EQ(SampleNumberOf(gx, gy, gz), n);
        }
    }
    const AxisG last = NumberedSample(NumberedSampleCycle - 1);
    EXPECT_EQ(SampleNumberOf(last.X, last.Y, last.Z), NumberedSampleCycle - 1);
    const AxisG first = NumberedSample(NumberedSampleCycle);
    EXPECT_EQ(SampleNumberOf(first.X, first.Y, first.Z), 0u);
}

// As a sensor does, the device corrects its channel counts with the calibration written to it,
// each group from its end command on, and still reports the values it keeps.
TEST(DeviceSimulator, CorrectsItsCountsWithTheCalibrationWrittenToIt) {
    SimulatorOptions options;
    options.Gain = {1.0, 1.02, 1.0};
    options.Bias = {0.01, 0.0, -0.02};
    DeviceSimulator device(options);
    Exchange(device, {BuildFrame(CmdStream, StreamStart, 0)});
    const auto values = [](const std::vector<std::uint8_t>& bytes) {
        std::vector<int> read;
        for (std::size_t at = 0; at + FrameLength <= bytes.size(); at += FrameLength) {
            Frame frame;
            std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(at), FrameLength,
                        frame.begin());
            read.push_back(FrameValue(frame));
        }
        return read;
    };
    const auto sample = [&] { return values(device.ProduceSamples(1)); }; // Y, X, Z
    const std::vector<int> raw = sample();
    ASSERT_EQ(raw, (std::vector<int>{-16712, 164, -328}));

    Exchange(device, {BuildValueFrame(CmdOffsetY, -112), BuildValueFrame(CmdOffsetX, 164),
                      BuildValueFrame(CmdOffsetZ, -328)});
    EXPECT_EQ(sample(), raw); // not before the end command
    Exchange(device, {BuildFrame(CmdOffsetEnd, 0, 0)});
    EXPECT_EQ(sample(), (std::vector<int>{-16600, 0, 0}));
    Exchange(device, {BuildValueFrame(CmdScaleY, 987), BuildValueFrame(CmdScaleX, 1000),
                      BuildValueFrame(CmdScaleZ, 500), BuildFrame(CmdScaleEnd, 0, 0)});
    EXPECT_EQ(sample(), (std::vector<int>{-16384, 0, 0})); // -16600 × 0.987, rounded

    EXPECT_EQ(values(Exchange(device, {BuildFrame(CmdReadCal, ReadCalOffsets, 0),
                                       BuildFrame(CmdReadCal, ReadCalScales, 0)})),
              (std::vector<int>{-112, 164, -328, 987, 1000, 500}));
}
