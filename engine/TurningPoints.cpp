#include "engine/TurningPoints.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <utility>

namespace {

// Spacings further than this from the median spacing mean a turn missed or one made up.
constexpr double SpacingLimit = 0.5;

double Quantile(std::vector<double> values, double fraction) {
    const auto at = values.begin() + std::lround(fraction * static_cast<double>(values.size() - 1));
    std::nth_element(values.begin(), at, values.end());
    return *at;
}

// Fifth differences cancel a smooth swing all but entirely (its share shrinks with the fifth
// power of 2π/period) and leave independent noise with 252 times its variance; their median
// keeps a spike from counting (0.6745 standard deviations per median absolute value).
double NoiseOf(const std::vector<double>& samples) {
    std::vector<double> differences;
    for (std::size_t i = 5; i < samples.size(); ++i)
        differences.push_back(std::abs(samples[i] - 5 * samples[i - 1] + 10 * samples[i - 2] -
                                       10 * samples[i - 3] + 5 * samples[i - 4] - samples[i - 5]));
    if (differences.empty()) return 0.0;
    return Quantile(differences, 0.5) / (0.6745 * std::sqrt(252.0));
}

} // namespace

ViewShape MeasureViewShape(const std::vector<double>& samples) {
    return {Spread(samples), NoiseOf(samples)};
}

double Spread(std::vector<double> values) {
    const double top = Quantile(values, 0.95);
    return top - Quantile(std::move(values), 0.05);
}

std::vector<Turn> FindTurns(const std::vector<double>& curve, double margin, double endMargin) {
    std::vector<Turn> turns;
    const int count = static_cast<int>(curve.size());
    if (!(margin > 0.0) || count < 3) return turns;
    // How far the curve goes beyond sample `at`, toward the other side of a peak or a trough,
    // between `begin` and `end`.
    auto farthest = [&](int at, bool peak, int begin, int end) {
        double away = 0.0;
        for (int j = begin; j < end; ++j)
            away = std::max(away, peak ? curve[at] - curve[j] : curve[j] - curve[at]);
        return away;
    };
    auto atEnd = [endMargin](double away) { return away > 0.0 && away >= endMargin; };
    // Until the curve first moves the margin, it may be heading either way: both extremes run.
    int highest = 0, lowest = 0, i = 1;
    for (; i < count; ++i) {
        if (curve[i] > curve[highest]) highest = i;
        if (curve[i] < curve[lowest]) lowest = i;
        if (curve[i] <= curve[highest] - margin || curve[i] >= curve[lowest] + margin) break;
    }
    if (i == count) return turns;
    bool rising = curve[i] >= curve[lowest] + margin;
    int from = rising ? lowest : highest;
    const bool headedFor = rising ? curve[2] < curve[0] : curve[2] > curve[0];
    if (from >= 1 && headedFor && atEnd(farthest(from, !rising, 0, from)))
        turns.push_back({from, !rising});
    int extreme = i;
    for (++i; i < count; ++i) {
        const double away = rising ? curve[extreme] - curve[i] : curve[i] - curve[extreme];
        if (away < 0.0) {
            extreme = i;
        } else if (away >= margin) {
            turns.push_back({extreme, rising});
            from = extreme;
            extreme = i;
            rising = !rising;
        }
    }
    if (extreme + 2 < count && atEnd(farthest(extreme, rising, extreme + 1, count)))
        turns.push_back({extreme, rising});
    return turns;
}

bool EvenlySpaced(const std::vector<double>& times) {
    std::vector<double> spacings;
    for (std::size_t i = 1; i < times.size(); ++i)
        spacings.push_back(times[i] - times[i - 1]);
    if (spacings.empty()) return true;
    const double median = Quantile(spacings, 0.5);
    return std::all_of(spacings.begin(), spacings.end(), [median](double spacing) {
        return std::abs(spacing - median) <= SpacingLimit * median;
    });
}
