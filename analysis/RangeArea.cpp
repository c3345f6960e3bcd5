#include "analysis/RangeArea.h"

#include "analysis/RangeStatistics.h"

#include <algorithm>
#include <limits>

namespace {

double Trapezoid(double t0, double v0, double t1, double v1) {
    return (t1 - t0) * (v0 + v1) / 2.0;
}

// The line between samples i and i + 1 at a time between them.
double Interpolated(std::span<const double> times, std::span<const double> values, std::size_t i,
                    double time) {
    const double share = (time - times[i]) / (times[i + 1] - times[i]);
    return values[i] + share * (values[i + 1] - values[i]);
}

} // namespace

double AreaBetween(std::span<const double> times, std::span<const double> values, double from,
                   double to) {
    times = times.first(std::min(times.size(), values.size()));
    const SampleRange range = SamplesBetween(times, from, to);
    if (range.End - range.First < 2 || !(times[range.End - 1] > times[range.First]))
        return std::numeric_limits<double>::quiet_NaN();
    double area = 0.0;
    for (std::size_t i = range.First; i + 1 < range.End; ++i)
        area += Trapezoid(times[i], values[i], times[i + 1], values[i + 1]);
    if (range.First > 0 && from < times[range.First]) {
        const std::size_t before = range.First - 1;
        area += Trapezoid(from, Interpolated(times, values, before, from), times[range.First],
                          values[range.First]);
    }
    if (range.End < times.size() && to > times[range.End - 1]) {
        const std::size_t last = range.End - 1;
        area += Trapezoid(times[last], values[last], to, Interpolated(times, values, last, to));
    }
    return area;
}
