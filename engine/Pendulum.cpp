#include "engine/Pendulum.h"

#include "engine/LiveState.h"
#include "engine/NumberText.h"
#include "engine/TurningPoints.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace {

constexpr double PeriodTolerance = 0.01; // a period further off than this is withheld
constexpr double CleanNoiseShare = 1e-4;
constexpr double MarginNoises = 3; // the turn margin is never less than this many deviations

// The sample index at chart time x, truncated toward zero. Held within -1..count, which
// changes no scan window, so that an axis scrolled arbitrarily far still converts safely.
int SampleIndexAt(double x, int count) {
    const double index = std::trunc(x / SamplePeriod);
    if (!(index > -1.0)) return -1; // also NaN
    if (index > count) return count;
    return static_cast<int>(index);
}

// The samples the period box has always scanned: from just after the bottom axis' minimum to
// two before its maximum or the series' end.
std::vector<double> SamplesInView(double axisMin, double axisMax, const SeriesReader& series) {
    std::vector<double> samples;
    const int count = series.Count();
    if (count == 0) return samples;
    const double end = std::min(axisMax, series.LargestX());
    const int first = std::max(SampleIndexAt(axisMin, count) + 1, 0);
    // Never read past the series, whatever the axis shows.
    const int last = std::min(SampleIndexAt(end, count) - 1, count - 1);
    for (int i = first; i < last; ++i)
        samples.push_back(series.YAt(i));
    return samples;
}

// Noise above a ten-thousandth of the range: more than a clean recording carries.
bool Noisy(const ViewShape& shape) {
    return shape.Noise > CleanNoiseShare * shape.Range;
}

// The extreme samples themselves are the turning points, and the period comes from the first
// and last of them, as the box has always measured it; each of the two may lie half a sample
// off the true turn.
PendulumPeriod RawPeriod(const std::vector<double>& samples, const ViewShape& shape,
                         int turnsPerPeriod) {
    const double noiseMargin = MarginNoises * shape.Noise;
    std::vector<double> times;
    for (const Turn& turn : FindTurns(samples, std::max(shape.Range / 4, noiseMargin), noiseMargin))
        times.push_back(turn.Extreme);
    const int turns = static_cast<int>(times.size());
    if (turns < 2) return {0.0, turns, {}};
    if (!EvenlySpaced(times)) return {0.0, turns, Noisy(shape) ? PeriodTooNoisy : PeriodUneven};
    const double span = times.back() - times.front();
    if (1 > PeriodTolerance * span) return {0.0, turns, PeriodTooFewSwings};
    return {span * SamplePeriod * turnsPerPeriod / (turns - 1), turns, {}};
}

} // namespace

PendulumPeriod MeasurePendulumPeriod(double axisMin, double axisMax, const SeriesReader& series,
                                     bool byGravity) {
    const std::vector<double> samples = SamplesInView(axisMin, axisMax, series);
    const bool finite =
        std::all_of(samples.begin(), samples.end(), [](double y) { return std::isfinite(y); });
    if (samples.size() < 4 || !finite) return {};
    const ViewShape shape = MeasureViewShape(samples);
    if (!(shape.Range > 0.0)) return {};
    return RawPeriod(samples, shape, byGravity ? 4 : 2);
}

namespace {

// Both calculations read the period and length boxes the same way: nothing when either is
// not a number, an empty text when either is zero, else the formula's text.
template <typename Formula>
std::optional<std::string> PendulumText(const std::string& period, const std::string& length,
                                        Formula formula) {
    const auto t = ParseReal(period);
    const auto l = ParseReal(length);
    if (!t || !l) return std::nullopt;
    if (*l == 0 || *t == 0) return std::string();
    return formula(*t, *l);
}

} // namespace

std::optional<std::string> PendulumGravityText(const std::string& period,
                                               const std::string& length) {
    return PendulumText(period, length, [](double t, double l) {
        const double inversePi = 1.0 / std::numbers::pi;
        return FormatFixed(l / (t * t * inversePi * inversePi * 0.25), 2);
    });
}

std::optional<std::string> PendulumPeriodText(const std::string& period,
                                              const std::string& length) {
    return PendulumText(period, length, [](double, double l) {
        return FormatFixed(2 * std::numbers::pi * std::sqrt(l / StandardGravity), 3);
    });
}

std::string PendulumLengthText(int positionMm) {
    return FormatFixed(positionMm / 1000.0, 3);
}

std::optional<int> PendulumLengthPosition(const std::string& lengthText) {
    const auto metres = ParseReal(lengthText);
    if (!metres) return std::nullopt;
    const double millimetres = *metres * 1000;
    if (millimetres < 1 || millimetres > PendulumLengthMaxMm) return std::nullopt;
    return static_cast<int>(millimetres);
}
