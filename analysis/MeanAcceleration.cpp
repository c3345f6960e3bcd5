#include "analysis/MeanAcceleration.h"

#include "engine/Kvdkalman.h"
#include "engine/LiveState.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr double RobustDeviation = 1.4826; // standard deviations per median absolute deviation
constexpr double OffsetStep = 0.001;       // g: the X offset is kept to three decimals

// The noise of one sample, in g, from the differences of neighbouring samples, which a
// smooth motion hardly changes; robust against the few steps a push makes.
double SampleNoise(const Recording& recording, std::uint32_t count) {
    std::vector<double> steps;
    for (std::uint32_t i = 1; i < count; ++i)
        steps.push_back(std::abs(UnfilteredG(recording, 0, i) - UnfilteredG(recording, 0, i - 1)));
    if (steps.empty()) return 0.0;
    const auto middle = steps.begin() + static_cast<long>(steps.size() / 2);
    std::nth_element(steps.begin(), middle, steps.end());
    return RobustDeviation * *middle / std::sqrt(2.0);
}

// How much of a sample's noise variance the filter lets through: at steady state its output
// is a moving average with weight K on the newest input.
double FilteredShare(int kalmanIndex) {
    const double bias = KalmanLevelFor(kalmanIndex).Bias; // 1/K
    const double gain = bias > 0.0 ? 1.0 / bias : 1.0;
    return gain / (2.0 - gain);
}

} // namespace

MeanAcceleration EstimateMeanAcceleration(const Recording& recording, std::uint32_t count,
                                          double from, double to) {
    count = std::min(count, recording.LogCount);
    const double offset = recording.Conditions.Known ? recording.Conditions.OffsetX : 0.0;
    double sum = 0.0;
    int n = 0;
    double time = 0.0;
    for (std::uint32_t i = 0; i < count && time <= to; ++i, time += SamplePeriod) {
        if (time < from) continue;
        sum += UnfilteredG(recording, 0, i) - offset;
        ++n;
    }
    MeanAcceleration result;
    if (n < 2) return result;
    const double noise = SampleNoise(recording, count);
    const double offsetVariance = noise * noise * FilteredShare(recording.Conditions.KalmanIndex) +
                                  OffsetStep * OffsetStep / 12.0;
    const double standardError = std::sqrt(noise * noise / n + offsetVariance);
    result.Valid = true;
    result.Mean = sum / n * StandardGravity;
    result.Interval = 2.0 * standardError * StandardGravity;
    return result;
}
