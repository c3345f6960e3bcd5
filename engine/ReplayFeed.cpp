#include "engine/ReplayFeed.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace {

constexpr int VarianceStepsLimit = 1000;
constexpr int Halvings = 48;        // a span of one count down to below a float's step
constexpr int NeighbourFloats = 64; // each side
constexpr int SettlingVariances = 64;
constexpr std::uint32_t FollowLimit = 1500;
constexpr double SearchBound = 65536.0;
constexpr auto SamplesPerSecond = static_cast<std::uint32_t>(1 / SamplePeriod + 0.5);

std::int16_t ToCount(double value) {
    return static_cast<std::int16_t>(std::clamp(std::lround(value), -32768L, 32767L));
}

// The count the sensor sent for a value of the recording, before the direction reversal.
std::int16_t SentCount(const Recording& source, int axis, std::uint32_t i,
                       const ControlState& controls) {
    const bool reversed[] = {controls.DirRevX, controls.DirRevY, controls.DirRevZ};
    std::int16_t count;
    if (source.HasCounts) {
        count = RawCounts(source, axis)[i];
    } else {
        const std::uint8_t range = source.Conditions.RangeCode;
        count = ToCount(FilteredG(source, axis, i) / CountToG(1, range));
        if (axis == 1) count = Negate16(count); // the Y axis counts the other way
    }
    return reversed[axis] ? Negate16(count) : count;
}

// The values whose truncation toward zero gives the count.
struct Interval {
    double Low, High;
};

Interval TruncatedTo(std::int16_t count) {
    constexpr double infinity = std::numeric_limits<double>::infinity();
    const double value = count;
    if (count == INT16_MAX) return {value, infinity};
    if (count == INT16_MIN) return {-infinity, value};
    if (count > 0) return {value, value + 1.0};
    if (count < 0) return {value - 1.0, value};
    return {-1.0, 1.0};
}

// How far the filter from this start follows the recording: the samples it agrees with, and
// whether its first other count lies above the recorded one.
struct Agreement {
    std::uint32_t Samples;
    bool Above;
};

Agreement Follow(KalmanFilter filter, double bias, const std::int16_t* raw,
                 const std::int16_t* filtered, std::uint32_t count) {
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::int16_t mine = FilterCount(filter, bias, raw[i]);
        if (mine != filtered[i]) return {i, mine > filtered[i]};
    }
    return {count, false};
}

} // namespace

std::array<Frame, 3> ReplayFrames(const Recording& source, std::uint32_t i,
                                  const ControlState& controls) {
    return {BuildValueFrame(FrmAxisY, SentCount(source, 1, i, controls)),
            BuildValueFrame(FrmAxisX, SentCount(source, 0, i, controls)),
            BuildValueFrame(FrmAxisZ, SentCount(source, 2, i, controls))};
}

int ReplayKalmanIndex(const Recording& source) {
    return source.HasCounts ? source.Conditions.KalmanIndex : 0;
}

int ReplayTimeWindow(const Recording& source, int shown) {
    const int run = source.Conditions.TimeWindow;
    if (source.Conditions.Known && run >= ShortestTimeWindow && run <= LongestTimeWindow)
        return run;
    // A run ends when its window holds one sample less than its seconds' worth.
    const auto holding = static_cast<int>((source.LogCount + SamplesPerSecond) / SamplesPerSecond);
    return std::clamp(std::max(shown, holding), ShortestTimeWindow, LongestTimeWindow);
}

void PrepareReplay(LiveState& state, const Recording& source) {
    const RunConditions& run = source.Conditions;
    TakeRangeCode(state, run.RangeCode);
    state.OffsetX = run.OffsetX;
    state.OffsetY = run.OffsetY;
    state.OffsetZ = run.OffsetZ;
    if (run.Known) state.Mass = run.Mass;
    if (!source.HasCounts) return;
    KalmanFilter* const filters[] = {&state.KalmanX, &state.KalmanY, &state.KalmanZ};
    for (int axis = 0; axis < 3; ++axis)
        *filters[axis] = FilterStartFor(*filters[axis], state.KalmanBias, RawCounts(source, axis),
                                        FilteredCounts(source, axis), source.LogCount);
}

KalmanFilter FilterStartFor(const KalmanFilter& setUp, double bias, const std::int16_t* raw,
                            const std::int16_t* filtered, std::uint32_t count) {
    if (count == 0) return setUp;
    // The error variance does not depend on the counts: the steady one first, as a run
    // started long after the level was chosen has it, then those of the first samples after it.
    std::vector<float> variances;
    KalmanFilter probe = setUp;
    for (int step = 0; step < VarianceStepsLimit; ++step) {
        if (step < SettlingVariances) variances.push_back(probe.P);
        const float before = probe.P;
        KalmanStep(probe, 0.0f);
        if (probe.P == before) break;
    }
    variances.insert(variances.begin(), probe.P);
    // Beyond this the start no longer shows in the counts, at the slowest level too.
    count = std::min(count, FollowLimit);
    KalmanFilter best = setUp;
    std::uint32_t bestAgreeing = 0;
    auto tryStart = [&](const KalmanFilter& start) {
        const Agreement agreement = Follow(start, bias, raw, filtered, count);
        if (agreement.Samples >= bestAgreeing) {
            best = start;
            bestAgreeing = agreement.Samples;
        }
        return agreement;
    };
    for (const float variance : variances) {
        KalmanFilter start = setUp;
        start.P = variance;
        // A larger start gives larger counts after the filter: the first count that differs
        // says on which side the start lies. The first sample bounds it within one count.
        const Interval first = TruncatedTo(filtered[0]);
        const double shift = start.Drift - bias;
        double low = std::max(first.Low - shift, -SearchBound);
        double high = std::min(first.High - shift, SearchBound);
        for (int halving = 0; halving < Halvings; ++halving) {
            start.X = static_cast<float>((low + high) / 2.0);
            const Agreement agreement = tryStart(start);
            if (agreement.Samples == count) return best;
            (agreement.Above ? high : low) = start.X;
        }
        // Single-precision rounding is not quite monotonic: the floats beside the last.
        float above = start.X, below = start.X;
        for (int k = 0; k < NeighbourFloats; ++k) {
            start.X = above = std::nextafter(above, std::numeric_limits<float>::infinity());
            if (tryStart(start).Samples == count) return best;
            start.X = below = std::nextafter(below, -std::numeric_limits<float>::infinity());
            if (tryStart(start).Samples == count) return best;
        }
    }
    return best;
}
