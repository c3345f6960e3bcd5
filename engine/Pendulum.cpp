#include "engine/Pendulum.h"

#include "engine/LiveState.h"
#include "engine/NumberText.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// The sample index at chart time x, truncated toward zero. Held within -1..count, which
// changes no scan window, so that an axis scrolled arbitrarily far still converts safely.
int SampleIndexAt(double x, int count) {
    const double index = std::trunc(x / SamplePeriod);
    if (!(index > -1.0)) return -1; // also NaN
    if (index > count) return count;
    return static_cast<int>(index);
}

} // namespace

PendulumPeriod MeasurePendulumPeriod(double axisMin, double axisMax, const SeriesReader& series,
                                     bool byGravity) {
    const int count = series.Count();
    if (count == 0) return {};
    const double end = std::min(axisMax, series.LargestX());
    const int first = std::max(SampleIndexAt(axisMin, count) + 1, 0);
    // Never read past the series, whatever the axis shows.
    const int last = std::min(SampleIndexAt(end, count) - 1, count - 1);
    int direction = 0;
    int turningPoints = 0;
    int firstTurn = 0;
    int lastTurn = 0;
    for (int i = first + 1; i <= last - 2; ++i) {
        const double before = series.YAt(i - 1);
        const double here = series.YAt(i);
        const double after = series.YAt(i + 1);
        int next = direction;
        if (here >= before && after > before)
            next = 1;
        else if (here <= before && after < before)
            next = -1;
        else
            continue;
        if (direction != 0 && next != direction) {
            // Only the first and last turning points matter: the spacings telescope.
            if (turningPoints == 0) firstTurn = i - 1;
            lastTurn = i - 1;
            ++turningPoints;
        }
        direction = next;
    }
    if (turningPoints < 2) return {0.0, turningPoints, {}};
    const double spacingSum = (lastTurn - firstTurn) * SamplePeriod;
    return {spacingSum * (byGravity ? 4 : 2) / (turningPoints - 1), turningPoints, {}};
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
