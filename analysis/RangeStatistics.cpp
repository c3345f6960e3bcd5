#include "analysis/RangeStatistics.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

} // namespace

SampleRange SamplesBetween(std::span<const double> times, double from, double to) {
    if (!(from <= to)) return {};
    const auto first = std::lower_bound(times.begin(), times.end(), from);
    const auto end = std::upper_bound(first, times.end(), to);
    return {static_cast<std::size_t>(first - times.begin()),
            static_cast<std::size_t>(end - times.begin())};
}

RangeStatistics ComputeRangeStatistics(std::span<const double> times,
                                       std::span<const double> values, double from, double to) {
    RangeStatistics result{0, NaN, NaN, NaN, NaN, NaN, NaN, NaN, NaN, NaN};
    const SampleRange range =
        SamplesBetween(times.first(std::min(times.size(), values.size())), from, to);
    if (range.End == range.First) return result;
    result.Count = static_cast<int>(range.End - range.First);
    result.StartTime = times[range.First];
    result.EndTime = times[range.End - 1];
    result.Duration = result.EndTime - result.StartTime;
    result.FirstValue = values[range.First];
    result.LastValue = values[range.End - 1];
    result.Minimum = result.Maximum = values[range.First];
    // Welford's running mean and sum of squares: no cancellation on a large offset.
    double mean = 0.0, squares = 0.0;
    int n = 0;
    for (std::size_t i = range.First; i < range.End; ++i) {
        const double value = values[i];
        result.Minimum = std::min(result.Minimum, value);
        result.Maximum = std::max(result.Maximum, value);
        const double delta = value - mean;
        mean += delta / ++n;
        squares += delta * (value - mean);
    }
    result.Mean = mean;
    if (n > 1) result.StandardDeviation = std::sqrt(squares / (n - 1));
    return result;
}
