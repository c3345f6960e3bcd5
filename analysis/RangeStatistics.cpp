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

LineFit FitLine(std::span<const double> times, std::span<const double> values) {
    const std::size_t n = std::min(times.size(), values.size());
    LineFit fit{false, NaN, NaN, NaN, NaN};
    if (n < 3) return fit;
    double meanT = 0.0, meanV = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        meanT += times[i];
        meanV += values[i];
    }
    meanT /= n;
    meanV /= n;
    double stt = 0.0, stv = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        stt += (times[i] - meanT) * (times[i] - meanT);
        stv += (times[i] - meanT) * (values[i] - meanV);
    }
    if (!(stt > 0.0)) return fit;
    fit.Slope = stv / stt;
    fit.Intercept = meanV - fit.Slope * meanT;
    double residuals = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        const double r = values[i] - fit.Intercept - fit.Slope * times[i];
        residuals += r * r;
    }
    const double variance = residuals / static_cast<double>(n - 2);
    fit.SlopeError = std::sqrt(variance / stt);
    fit.InterceptError = std::sqrt(variance * (1.0 / n + meanT * meanT / stt));
    fit.Valid = std::isfinite(fit.Slope) && std::isfinite(fit.SlopeError);
    return fit;
}
