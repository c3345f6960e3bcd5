#include "sim/DeviceSimulator.h"

#include "device/ReceiveQueue.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

DeviceSimulator::DeviceSimulator(const SimulatorOptions& options)
    : options(options), motion(options.Motion), noiseRandom(options.Seed),
      faultRandom(options.Seed ^ 0x5eedfa17u) {}

namespace {

constexpr int NumberBase = 64;
constexpr double DigitStep = 1.0 / 32; // g

double DigitValue(std::uint32_t digit) {
    return -1.0 + digit * DigitStep;
}

} // namespace

AxisG NumberedSample(std::uint32_t n) {
    return {DigitValue(n % NumberBase), DigitValue(n / NumberBase % NumberBase),
            DigitValue(n / (NumberBase * NumberBase) % NumberBase)};
}

void DeviceSimulator::Receive(const std::uint8_t* data, int count) {
    while (count > 0) {
        const int take = std::min(count, RxCapacity - rxCount);
        std::memcpy(rxBuffer + rxCount, data, take);
        rxCount += take;
        data += take;
        count -= take;
        Frame command;
        int result;
        while ((result = ExtractFrame(rxBuffer, rxCount, command)) == FrameLength)
            Execute(command);
        // A full buffer that still holds no frame is line noise ending in a false start:
        // start afresh rather than stall.
        if (result == ExtractNoStart || rxCount == RxCapacity) rxCount = 0;
    }
}

void DeviceSimulator::Execute(const Frame& command) {
    receivedCommands.push_back(command);
    if (Silent()) return;
    const std::uint8_t type = FrameType(command);
    switch (type) {
    case CmdIdentify:
        Send(BuildFrame(FrmIdentity, options.RangeCode, 0));
        break;
    case CmdStream:
        if (command[2] == StreamStart) {
            streaming = true;
            if (!firstStreamStart) firstStreamStart = Time();
        } else if (command[2] == StreamStop) {
            streaming = false;
        }
        break;
    case CmdReadCal:
        if (command[2] == ReadCalOffsets) {
            Send(BuildValueFrame(FrmOffsetY, offsets[0]));
            Send(BuildValueFrame(FrmOffsetX, offsets[1]));
            Send(BuildValueFrame(FrmOffsetZ, offsets[2]));
        } else if (command[2] == ReadCalScales) {
            Send(BuildValueFrame(FrmScaleY, scales[0]));
            Send(BuildValueFrame(FrmScaleX, scales[1]));
            Send(BuildValueFrame(FrmScaleZ, scales[2]));
        }
        break;
    case CmdOffsetY:
    case CmdOffsetX:
    case CmdOffsetZ:
        offsets[type - CmdOffsetY] = FrameValue(command);
        break;
    case CmdScaleY:
    case CmdScaleX:
    case CmdScaleZ:
        scales[type - CmdScaleY] = FrameValue(command);
        break;
    case CmdOffsetEnd:
        offsetsApplied = true;
        break;
    case CmdScaleEnd:
        scalesApplied = true;
        break;
    default:
        break; // unknown commands need no answer
    }
}

void DeviceSimulator::Tick() {
    if (streaming && !Silent()) SendSample();
    ++ticks;
}

// The program converts GX = CountToG(X), GY = CountToG(−Y), GZ = CountToG(Z): the Y channel
// goes out negated, so that a device hanging at rest shows GY = +1.
void DeviceSimulator::SendSample() {
    const AxisG g = options.Numbered ? NumberedSample(samplesSent++) : motion.At(Time());
    std::normal_distribution<double> noise(0.0, options.Noise);
    const auto noisy = [&](double value) {
        return options.Noise > 0.0 && !options.Numbered ? value + noise(noiseRandom) : value;
    };
    const double y = noisy(g.Y);
    const double x = noisy(g.X);
    const double z = noisy(g.Z);
    const AxisG& gain = options.Gain;
    const AxisG& bias = options.Bias;
    Send(BuildValueFrame(FrmAxisY, Calibrated(0, ToCount(-y * gain.Y + bias.Y))));
    Send(BuildValueFrame(FrmAxisX, Calibrated(1, ToCount(x * gain.X + bias.X))));
    Send(BuildValueFrame(FrmAxisZ, Calibrated(2, ToCount(z * gain.Z + bias.Z))));
}

std::int16_t DeviceSimulator::Calibrated(int channel, std::int16_t count) const {
    double corrected = count;
    if (offsetsApplied) corrected -= offsets[channel];
    if (scalesApplied) corrected = std::round(corrected * scales[channel] / CalibrationScaleUnit);
    return static_cast<std::int16_t>(std::clamp(corrected, double{INT16_MIN}, double{INT16_MAX}));
}

std::int16_t DeviceSimulator::ToCount(double g) const {
    const double countsPerG = options.RangeCode == 1 ? 16384.0 : 8192.0;
    const double count = std::round(g * countsPerG);
    return static_cast<std::int16_t>(std::clamp(count, double{INT16_MIN}, double{INT16_MAX}));
}

void DeviceSimulator::Send(const Frame& frame) {
    Frame sent = frame;
    if (Chance(options.Faults.BadChecksum)) {
        std::uniform_int_distribution<int> wrong(1, 255);
        sent[4] = static_cast<std::uint8_t>(sent[4] + wrong(faultRandom));
    }
    std::uniform_int_distribution<int> anyByte(0, 255);
    for (const std::uint8_t byte : sent) {
        if (Chance(options.Faults.NoiseBytes))
            output.push_back(static_cast<std::uint8_t>(anyByte(faultRandom)));
        if (!Chance(options.Faults.DropBytes)) output.push_back(byte);
    }
}

bool DeviceSimulator::Chance(double probability) {
    if (probability <= 0.0) return false;
    return std::uniform_real_distribution<double>(0.0, 1.0)(faultRandom) < probability;
}

std::vector<std::uint8_t> DeviceSimulator::TakeOutput() {
    return std::exchange(output, {});
}

std::vector<std::uint8_t> DeviceSimulator::ProduceSamples(int n) {
    for (int i = 0; i < n; ++i)
        Tick();
    return TakeOutput();
}

std::vector<Frame> DeviceSimulator::TakeReceivedCommands() {
    return std::exchange(receivedCommands, {});
}

double DeviceSimulator::Time() const {
    return static_cast<double>(ticks) / options.Rate;
}

bool DeviceSimulator::Silent() const {
    if (!firstStreamStart || options.Faults.SilenceDuration <= 0.0) return false;
    const double begin = *firstStreamStart + options.Faults.SilenceStart;
    const double now = Time();
    return now >= begin && now < begin + options.Faults.SilenceDuration;
}
