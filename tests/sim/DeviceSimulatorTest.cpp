#include "sim/DeviceSimulator.h"

#include "ProgramSide.h"

#include <cmath>
#include <memory>
#include <numbers>

namespace {

std::vector<std::uint8_t> Bytes(const Frame& frame) {
    return {frame.begin(), frame.end()};
}

void Send(DeviceSimulator& device, const Frame& command) {
    device.Receive(command.data(), FrameLength);
}

// The output of a device without byte faults, cut into its frames.
std::vector<Frame> Frames(const std::vector<std::uint8_t>& bytes) {
    std::vector<Frame> frames(bytes.size() / FrameLength);
    for (std::size_t i = 0; i < frames.size(); ++i)
        std::copy_n(bytes.begin() + i * FrameLength, FrameLength, frames[i].begin());
    return frames;
}

// A device identified and streaming for `seconds`, everything it sent passed through the
// program's receive path.
void Observe(const SimulatorOptions& options, double seconds, ProgramSide& program) {
    DeviceSimulator device(options);
    Send(device, BuildFrame(CmdIdentify, 0, 0));
    Send(device, BuildFrame(CmdStream, StreamStart, 0));
    program.Feed(device.ProduceSamples(static_cast<int>(std::lround(seconds * options.Rate))));
}

SimulatorOptions Moving(MotionKind kind) {
    SimulatorOptions options;
    options.Motion.Kind = kind;
    return options;
}

// Sign changes of the series around `level`; a sample exactly at the level changes nothing.
int Crossings(const std::vector<double>& series, double level) {
    int crossings = 0, side = 0;
    for (const double value : series) {
        const int now = value > level ? 1 : value < level ? -1 : 0;
        if (now != 0 && side != 0 && now != side) ++crossings;
        if (now != 0) side = now;
    }
    return crossings;
}

} // namespace

TEST(DeviceSimulator, AnswersIdentifyWithItsRangeCode) {
    for (const std::uint8_t range : {1, 2}) {
        SimulatorOptions options;
        options.RangeCode = range;
        DeviceSimulator device(options);
        // The command arrives a byte at a time behind line noise with a false start.
        for (const std::uint8_t byte : {0x41, 0x02, 0x03, 0x02, 0x00, 0x00, 0x00, 0x02, 0x03})
            device.Receive(&byte, 1);
        const auto answer = device.TakeOutput();
        EXPECT_EQ(answer, Bytes(BuildFrame(FrmIdentity, range, 0)));
        auto program = std::make_unique<ProgramSide>();
        program->Feed(answer);
        EXPECT_TRUE(program->State.DeviceFound);
        EXPECT_EQ(program->State.RangeCode, range);
    }
}

TEST(DeviceSimulator, StreamsYXZTriplesOnlyBetweenStartAndStop) {
    DeviceSimulator device({});
    EXPECT_TRUE(device.ProduceSamples(5).empty());
    Send(device, BuildFrame(CmdStream, StreamStart, 0));
    const auto frames = Frames(device.ProduceSamples(4));
    ASSERT_EQ(frames.size(), 12u);
    const std::uint8_t order[] = {FrmAxisY, FrmAxisX, FrmAxisZ};
    for (std::size_t i = 0; i < frames.size(); ++i)
        EXPECT_EQ(FrameType(frames[i]), order[i % 3]) << i;
    Send(device, BuildFrame(CmdStream, StreamStop, 0));
    EXPECT_TRUE(device.ProduceSamples(5).empty());
}

TEST(DeviceSimulator, ReadsBackWrittenCalibrationInWireOrder) {
    DeviceSimulator device({});
    const std::vector<Frame> commands = {
        BuildValueFrame(CmdOffsetY, -2),
        BuildValueFrame(CmdOffsetX, 300),
        BuildValueFrame(CmdOffsetZ, -32768),
        BuildFrame(CmdOffsetEnd, 0, 0),
        BuildValueFrame(CmdScaleY, 1000),
        BuildValueFrame(CmdScaleX, -1),
        BuildValueFrame(CmdScaleZ, 32767),
        BuildFrame(CmdScaleEnd, 0, 0),
        BuildFrame(0x13, 1, 0),
        BuildFrame(CmdReadCal, 3, 0),
        BuildFrame(CmdStream, 2, 0),
    };
    for (const Frame& command : commands)
        Send(device, command);
    EXPECT_TRUE(device.TakeOutput().empty()); // nothing above is answered
    EXPECT_FALSE(device.Streaming());
    EXPECT_EQ(device.TakeReceivedCommands(), commands);

    Send(device, BuildFrame(CmdReadCal, ReadCalOffsets, 0));
    Send(device, BuildFrame(CmdReadCal, ReadCalScales, 0));
    const std::vector<Frame> expected = {
        BuildValueFrame(FrmOffsetY, -2),     BuildValueFrame(FrmOffsetX, 300),
        BuildValueFrame(FrmOffsetZ, -32768), BuildValueFrame(FrmScaleY, 1000),
        BuildValueFrame(FrmScaleX, -1),      BuildValueFrame(FrmScaleZ, 32767),
    };
    EXPECT_EQ(Frames(device.TakeOutput()), expected);
}

TEST(DeviceSimulator, AtRestTheProgramShowsOneGAlongY) {
    for (const std::uint8_t range : {1, 0}) {
        SimulatorOptions options;
        options.RangeCode = range;
        auto program = std::make_unique<ProgramSide>();
        Observe(options, 1.0, *program);
        EXPECT_EQ(program->Samples.size(), 50u);
        EXPECT_TRUE(AllAtRest(program->Samples)) << int{range};
    }
}

TEST(DeviceSimulator, TiltAngleFollowsTheSweep) {
    auto program = std::make_unique<ProgramSide>();
    Observe(Moving(MotionKind::Tilt), 20.0, *program);
    ASSERT_EQ(program->Samples.size(), 1000u);
    double highest = 0.0, lowest = 0.0;
    for (std::size_t i = 0; i < program->Samples.size(); ++i) {
        const double sweep = 60.0 * std::sin(2.0 * std::numbers::pi * (i * 0.02) / 20.0);
        const double shown = program->Samples[i].TiltAngle;
        EXPECT_NEAR(shown, sweep, 3.0) << i; // the program's tilt is piecewise linear
        highest = std::max(highest, shown);
        lowest = std::min(lowest, shown);
    }
    EXPECT_GT(highest, 58.0);
    EXPECT_LT(lowest, -58.0);
}

TEST(DeviceSimulator, PendulumSwingsXAtItsFrequencyAndYAtTwice) {
    SimulatorOptions options = Moving(MotionKind::Pendulum);
    options.Motion.Period = 2.0;
    auto program = std::make_unique<ProgramSide>();
    Observe(options, 20.0, *program);
    std::vector<double> x, y;
    double meanY = 0.0;
    for (const SampleValues& sample : program->Samples) {
        x.push_back(sample.GX);
        y.push_back(sample.GY);
        meanY += sample.GY / program->Samples.size();
    }
    // Ten periods: two zero crossings each across the string, four along it.
    EXPECT_NEAR(Crossings(x, 0.0), 20, 1);
    EXPECT_NEAR(Crossings(y, meanY), 40, 1);
    // The string pulls hardest at the bottom of the swing, more than gravity alone; across
    // it the sensor, above the centre of oscillation, feels only part of gravity's share
    // sin 20° = 0.34.
    EXPECT_GT(*std::max_element(y.begin(), y.end()), 1.05);
    EXPECT_NEAR(*std::max_element(x.begin(), x.end()),
                0.2 * std::sin(20.0 / 180 * std::numbers::pi), 0.005);
}

TEST(DeviceSimulator, PushIntegratesBackToRest) {
    auto program = std::make_unique<ProgramSide>();
    program->Controls.ActivePage = Page::TabSpeed;
    program->State.Logging = true;
    program->State.VelocityRun = true;
    Observe(Moving(MotionKind::Push), 4.0, *program);
    double fastest = 0.0;
    for (const SampleValues& sample : program->Samples)
        fastest = std::max(fastest, sample.Velocity);
    EXPECT_NEAR(fastest, 0.3 * 9.8 * 0.5, 0.1);
    EXPECT_NEAR(program->Samples.back().Velocity, 0.0, 0.05);
}

TEST(DeviceSimulator, NoiseIsRepeatableForASeedAndHasTheChosenSpread) {
    SimulatorOptions options;
    options.Noise = 0.01;
    options.Seed = 7;
    auto program = std::make_unique<ProgramSide>();
    Observe(options, 20.0, *program);
    double sum = 0.0, squares = 0.0;
    for (const SampleValues& sample : program->Samples) {
        sum += sample.GY;
        squares += sample.GY * sample.GY;
    }
    const double n = static_cast<double>(program->Samples.size());
    EXPECT_NEAR(sum / n, 1.0, 0.002);
    EXPECT_NEAR(std::sqrt(squares / n - (sum / n) * (sum / n)), 0.01, 0.002);

    auto again = std::make_unique<ProgramSide>();
    Observe(options, 20.0, *again);
    EXPECT_EQ(again->Frames, program->Frames);
}

TEST(DeviceSimulator, ProgramKeepsEveryCleanFrameDespiteCorruptChecksums) {
    SimulatorOptions options;
    options.Faults.BadChecksum = 0.2;
    DeviceSimulator device(options);
    Send(device, BuildFrame(CmdStream, StreamStart, 0));
    const auto bytes = device.ProduceSamples(1000);
    std::vector<Frame> clean;
    for (const Frame& frame : Frames(bytes))
        if (frame[4] == FrameChecksum(frame[0], frame[1], frame[2], frame[3]))
            clean.push_back(frame);
    EXPECT_NEAR(clean.size(), 2400.0, 100.0);
    auto program = std::make_unique<ProgramSide>();
    program->Feed(bytes);
    EXPECT_EQ(program->Frames, clean);
}

TEST(DeviceSimulator, ProgramResynchronisesAfterNoiseAndLostBytes) {
    SimulatorOptions options;
    options.Faults.NoiseBytes = 0.01;
    options.Faults.DropBytes = 0.01;
    auto program = std::make_unique<ProgramSide>();
    Observe(options, 20.0, *program);
    EXPECT_GT(program->Samples.size(), 800u);
    EXPECT_TRUE(AllAtRest(program->Samples)); // no broken frame taken for a sample
}

TEST(DeviceSimulator, FallsSilentForTheChosenTimeThenCarriesOn) {
    SimulatorOptions options;
    options.Faults.SilenceStart = 1.0;
    options.Faults.SilenceDuration = 0.5;
    DeviceSimulator device(options);
    EXPECT_TRUE(device.ProduceSamples(100).empty()); // silence counts from the first start
    Send(device, BuildFrame(CmdStream, StreamStart, 0));
    EXPECT_EQ(device.ProduceSamples(50).size(), 50u * 18);
    Send(device, BuildFrame(CmdIdentify, 0, 0));
    Send(device, BuildFrame(CmdStream, StreamStop, 0));
    EXPECT_TRUE(device.TakeOutput().empty());
    EXPECT_TRUE(device.ProduceSamples(25).empty());
    EXPECT_EQ(device.ProduceSamples(10).size(), 10u * 18); // the stop went unheard
    Send(device, BuildFrame(CmdIdentify, 0, 0));
    EXPECT_EQ(device.TakeOutput(), Bytes(BuildFrame(FrmIdentity, 1, 0)));
    EXPECT_EQ(device.TakeReceivedCommands().size(), 4u);
}
