#pragma once

#include "device/LinkState.h"
#include "engine/Kvdkalman.h"
#include "engine/Recording.h"

#include <cstdint>

constexpr double StandardGravity = 9.8; // m/s² per g, everywhere in the program
constexpr double SamplePeriod = 0.02;   // seconds; the stream runs at 50 samples a second

// From g to the unit of the unit box: index 0 is g, any other m/s².
constexpr double UnitFactor(int unitIndex) {
    return unitIndex == 0 ? 1.0 : StandardGravity;
}

// The live measurement state the frame processing writes and the button handlers read and
// reset, together with the recording of the current run.
struct LiveState : LinkState {
    bool Logging = false;
    std::uint8_t DisplayDivider = 0;
    double ChartTime = 0.0;
    Recording Recorded;
    // Samples the run kept, and those it lost on the line: the time axis takes every sample for
    // granted, so the end of a run says how many did not come.
    std::uint32_t RunSamples = 0;
    std::uint32_t RunLostSamples = 0;
    // Where the stream stands within a sample (its frames come as Y, X, Z: 0, 1, 2 next), the
    // bytes the receive queue threw away since the last frame, and whether the sample being
    // put together lost one of its frames.
    int NextAxisFrame = 0;
    std::uint32_t DiscardedBytes = 0;
    bool SampleBroken = false;
    double Mass = 0.0;
    std::uint8_t RangeCode = 0;
    std::uint8_t DisplayDecimals = 2;
    std::int16_t CountX = 0, CountY = 0, CountZ = 0;
    // The latest counts before the filter (after the direction reversal).
    std::int16_t RawCountX = 0, RawCountY = 0, RawCountZ = 0;
    std::int16_t CountMaxX = 0, CountMaxY = 0, CountMaxZ = 0;
    std::int16_t CountMinX = 0, CountMinY = 0, CountMinZ = 0;
    double GX = 0.0, GY = 0.0, GZ = 0.0;
    double GXCor = 0.0, GYCor = 0.0, GZCor = 0.0;
    double OffsetX = 0.0, OffsetY = 0.0, OffsetZ = 0.0;
    double AccXMs2 = 0.0;
    double VectorSum = 0.0;
    double TiltAngle = 0.0;
    double VelocityPrev = 0.0;
    double Velocity = 0.0;
    double Distance = 0.0;
    bool VelocityRun = false;
    KalmanFilter KalmanX, KalmanY, KalmanZ;
    KalmanFilter KalmanTest;
    double KalmanBias = 0.0;
};

// Sets the three axis filters up for a level of the level box and takes its bias. The test
// bench filter is left alone.
void ApplyKalmanLevel(LiveState& state, int index);

// The device's range code, and the decimals the value boxes show with it.
void TakeRangeCode(LiveState& state, std::uint8_t rangeCode);

// A new recording for a run: no samples, no values, the counts kept from here on.
void StartRecording(LiveState& state);

// Stores the current sample while there is room: its corrected values and its counts before
// and after the filter.
void RecordSample(LiveState& state);
