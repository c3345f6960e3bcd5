#pragma once

#include "device/Frame.h"
#include "sim/Motion.h"

#include <cstdint>
#include <optional>
#include <random>
#include <vector>

// What can go wrong on the line, done on purpose by the device side so that the program's
// resynchronisation and link watchdog can be exercised without hardware.
struct LineFaults {
    double BadChecksum = 0.0; // probability that a sent frame carries a wrong checksum
    double NoiseBytes = 0.0;  // probability that a random byte goes out before a sent byte
    double DropBytes = 0.0;   // probability that a sent byte is lost
    // Seconds after streaming was first started, and how long the device then neither sends
    // nor answers anything. A duration of 0 means never.
    double SilenceStart = 0.0;
    double SilenceDuration = 0.0;
};

struct SimulatorOptions {
    MotionOptions Motion;
    double Rate = 50.0; // samples per second: one Tick is 1/Rate seconds
    double Noise = 0.0; // standard deviation of the Gaussian noise on each axis, in g
    // An uncalibrated sensor: each axis channel reads Gain × its g + Bias (in g), for the
    // calibration page to find.
    AxisG Gain{1.0, 1.0, 1.0};
    AxisG Bias;
    std::uint8_t RangeCode = 1;
    std::uint32_t Seed = 1; // makes the noise and the faults repeatable
    // Instead of the motion, each sample carries its own number (NumberedSample), so that
    // samples lost on the way show as gaps in a saved log.
    bool Numbered = false;
    LineFaults Faults;
};

// The sample numbers of a numbered device: sample n (counted from 0 since power-on) carries
// three base-64 digits of n, least significant on X, each as −1 g + digit/32 g, which the
// log keeps exactly enough in either unit. Numbers repeat after NumberedSampleCycle samples.
constexpr std::uint32_t NumberedSampleCycle = 64 * 64 * 64;

constexpr int CalibrationScaleUnit = 1000;
AxisG NumberedSample(std::uint32_t n);

// The accelerometer's side of the serial protocol: it takes the bytes the PC sends, answers
// identify and calibration read-back, keeps the calibration values written to it, and while
// streaming sends one sample of the chosen motion per Tick as the frames Y, X, Z. As a sensor
// does, it corrects its channel counts with the calibration once written: the offsets from their
// end command on, then the scales from theirs, a scale of CalibrationScaleUnit meaning a gain of
// 1: (count − offset) × scale / CalibrationScaleUnit. Time is
// counted in Ticks, so tests run it as fast as they like and the program paces it.
class DeviceSimulator {
public:
    explicit DeviceSimulator(const SimulatorOptions& options);

    // Bytes from the PC, in pieces of any size; answers are queued for TakeOutput.
    void Receive(const std::uint8_t* data, int count);
    // One sample period passes; while streaming, the sample of this moment is queued.
    void Tick();
    // The bytes queued for the line, oldest first; the queue is emptied.
    std::vector<std::uint8_t> TakeOutput();
    // n sample periods, then everything queued meanwhile.
    std::vector<std::uint8_t> ProduceSamples(int n);
    // The command frames received since the last call, oldest first, including those a
    // silent device ignored.
    std::vector<Frame> TakeReceivedCommands();

    double Time() const; // seconds since the device was switched on
    bool Streaming() const { return streaming; }
    bool Silent() const;

private:
    void Execute(const Frame& command);
    void Send(const Frame& frame);
    void SendSample();
    std::int16_t ToCount(double g) const;
    std::int16_t Calibrated(int channel, std::int16_t count) const;
    bool Chance(double probability);

    static constexpr std::int32_t RxCapacity = 64;

    SimulatorOptions options;
    Motion motion;
    std::int64_t ticks = 0;
    std::uint32_t samplesSent = 0;
    bool streaming = false;
    std::optional<double> firstStreamStart;
    std::int16_t offsets[3] = {}; // wire channel order: Y, X, Z
    std::int16_t scales[3] = {};
    bool offsetsApplied = false, scalesApplied = false; // since their end commands
    std::uint8_t rxBuffer[RxCapacity] = {};
    std::int32_t rxCount = 0;
    std::vector<std::uint8_t> output;
    std::vector<Frame> receivedCommands;
    std::mt19937 noiseRandom;
    std::mt19937 faultRandom;
};
