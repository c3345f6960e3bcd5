#include "engine/Pendulum.h"

#include "engine/LiveState.h"
#include "engine/NumberText.h"
#include "engine/TurningPoints.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <numeric>
#include <vector>

namespace {

constexpr double PeriodTolerance = 0.01; // a period further off than this is withheld
// Noise that moves the extreme sample of a swing by more than this many samples calls for
// smoothing; below it the samples are used as they are.
constexpr double RawWanderLimit = 0.1;
constexpr double CleanNoiseShare = 1e-4;
constexpr double MarginNoises = 3; // the turn margin is never less than this many deviations
constexpr int FewestSmoothedTurns = 5;

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

// The view without what lies far outside its swing at either end: a run started while the
// filter still settles climbs from 0 to the level of its axis, which is neither swing nor
// noise. A swing, even a noisy one, stays within half its range of its 5 % and 95 % points.
std::vector<double> WithoutSettling(std::vector<double> samples) {
    if (samples.empty()) return samples;
    const double bottom = Quantile(samples, 0.05), top = Quantile(samples, 0.95);
    const double low = bottom - (top - bottom) / 2, high = top + (top - bottom) / 2;
    const auto inside = [low, high](double y) { return y >= low && y <= high; };
    const auto first = std::find_if(samples.begin(), samples.end(), inside);
    const auto last = std::find_if(samples.rbegin(), samples.rend(), inside).base();
    return first < last ? std::vector<double>(first, last) : std::vector<double>{};
}

// Noise above a ten-thousandth of the range: more than a clean recording carries.
bool Noisy(const ViewShape& shape) {
    return shape.Noise > CleanNoiseShare * shape.Range;
}

// How far noise moves the extreme sample of an unsmoothed swing, in samples: near a turn the
// swing bends away as (range / 2)·ω²·t² / 2, so noise σ lets the extreme wander over
// √(4σ / (range·ω²)).
double RawWander(const ViewShape& shape) {
    const double omega = 2 * std::numbers::pi / shape.Period;
    return std::sqrt(4 * shape.Noise / (shape.Range * omega * omega));
}

// A quarter cycle at most, odd so that it is centred: it weakens the swing by a tenth. A swing
// too fast for three samples is not smoothed (1).
int SmoothingWidth(int period) {
    const int width = period / 4;
    if (width < 3) return 1;
    return width % 2 == 1 ? width : width - 1;
}

// The extreme samples themselves are the turning points, and the period comes from the first
// and last of them, as the box has always measured it; each of the two may lie half a sample
// off the true turn, and noise moves them further.
PendulumPeriod RawPeriod(const std::vector<double>& samples, const ViewShape& shape, double wander,
                         int turnsPerPeriod) {
    const double noiseMargin = MarginNoises * shape.Noise;
    std::vector<double> times;
    for (const Turn& turn : FindTurns(samples, std::max(shape.Range / 4, noiseMargin), noiseMargin))
        times.push_back(turn.Extreme);
    const int turns = static_cast<int>(times.size());
    if (turns < 2) return {0.0, turns, {}};
    if (!EvenlySpaced(times))
        return {0.0, turns, Noisy(shape) ? MessageId::PeriodTooNoisy : MessageId::PeriodUneven};
    const double span = times.back() - times.front();
    if (1 + 3 * std::numbers::sqrt2 * wander > PeriodTolerance * span)
        return {0.0, turns, MessageId::PeriodTooFewSwings};
    return {span * SamplePeriod * turnsPerPeriod / (turns - 1), turns, {}};
}

// A straight line through the turn times against their count: its slope is the mean spacing,
// and the residuals' standard deviation (n − 2 degrees of freedom) the scatter of single turns.
struct TurnLine {
    double Spacing;
    double Scatter;
};

TurnLine FitTurnLine(const std::vector<double>& times) {
    const double count = static_cast<double>(times.size());
    const double middle = (count - 1) / 2;
    const double meanTime = std::accumulate(times.begin(), times.end(), 0.0) / count;
    double products = 0.0;
    for (std::size_t k = 0; k < times.size(); ++k)
        products += (k - middle) * (times[k] - meanTime);
    const double spacing = products / (count * (count * count - 1) / 12);
    double squares = 0.0;
    for (std::size_t k = 0; k < times.size(); ++k) {
        const double residual = times[k] - meanTime - spacing * (k - middle);
        squares += residual * residual;
    }
    return {spacing, std::sqrt(squares / (count - 2))};
}

// The relative uncertainty of a line's spacing: three and a half standard errors, widened where
// few turns leave their scatter itself uncertain. A turn's time is uncertain by its scatter
// about the line or, where few turns happen to scatter little, by what the noise left on the
// curve does to the crossings that time it: each moves by the noise over the curve's steepness
// at the margin level, their centre by 1/√2 of that.
double SpacingUncertainty(const TurnLine& line, int turns, double swing, double margin,
                          double noise) {
    const double omega = std::numbers::pi / line.Spacing; // a cycle is two spacings
    const double rise = swing - margin;
    const double steepness = omega * std::sqrt(std::max(swing * swing - rise * rise, 0.0));
    if (!(steepness > 0.0)) return std::numeric_limits<double>::infinity(); // no sine that swing
    const double timing = std::max(line.Scatter, noise / (std::numbers::sqrt2 * steepness));
    const double coverage = 3.5 + 10.0 / (turns - 2);
    return coverage * timing / std::sqrt(turns * (turns * turns - 1) / 12.0) / line.Spacing;
}

// A noisy view is smoothed over a quarter cycle; each turning point is timed by the crossings
// around it, and the period comes from a line through all of them, which weighs every turn
// instead of the first and last alone. It is given only where it holds to 1 %.
PendulumPeriod SmoothedPeriod(const std::vector<double>& samples, const ViewShape& shape, int width,
                              int turnsPerPeriod) {
    const std::vector<double> curve = MovingAverage(samples, width);
    const double swing = Spread(curve) / 2;
    const double margin = std::max(swing / 2, MarginNoises * shape.Noise / std::sqrt(width));
    std::vector<double> times;
    for (const Turn& turn : FindTurns(curve, margin, margin))
        times.push_back(TurnCentre(curve, turn, margin) + width / 2);
    const int turns = static_cast<int>(times.size());
    if (turns < FewestSmoothedTurns) {
        const bool roomForThem =
            2 * static_cast<int>(samples.size()) >= FewestSmoothedTurns * shape.Period;
        return {0.0, turns,
                roomForThem ? MessageId::PeriodTooNoisy : MessageId::PeriodTooFewSwings};
    }
    if (!EvenlySpaced(times)) return {0.0, turns, MessageId::PeriodTooNoisy};
    const TurnLine line = FitTurnLine(times);
    if (SpacingUncertainty(line, turns, swing, margin, FoldedNoise(curve, 2 * line.Spacing)) >
        PeriodTolerance)
        return {0.0, turns, MessageId::PeriodTooNoisy};
    return {line.Spacing * SamplePeriod * turnsPerPeriod, turns, {}};
}

} // namespace

PendulumPeriod MeasurePendulumPeriod(double axisMin, double axisMax, const SeriesReader& series,
                                     bool byGravity) {
    const std::vector<double> samples = WithoutSettling(SamplesInView(axisMin, axisMax, series));
    const bool finite =
        std::all_of(samples.begin(), samples.end(), [](double y) { return std::isfinite(y); });
    if (samples.size() < 4 || !finite) return {};
    const ViewShape shape = MeasureViewShape(samples);
    if (!(shape.Range > 0.0)) return {};
    const int turnsPerPeriod = byGravity ? 4 : 2;
    if (shape.Period == 0 && Noisy(shape)) return {0.0, 0, MessageId::PeriodTooNoisy};
    // A clean view without an oscillation that stands out, or one too fast to smooth (no
    // pendulum on the page swings that fast), is taken as it is.
    const int width = SmoothingWidth(shape.Period);
    if (width == 1) return RawPeriod(samples, shape, 0.0, turnsPerPeriod);
    const double wander = RawWander(shape);
    if (wander <= RawWanderLimit) return RawPeriod(samples, shape, wander, turnsPerPeriod);
    return SmoothedPeriod(samples, shape, width, turnsPerPeriod);
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
