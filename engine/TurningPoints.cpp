#include "engine/TurningPoints.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <numeric>
#include <utility>

namespace {

// The longest cycle looked for: the longest pendulum the length box takes, 20 m, swings in
// 9 s, 450 samples.
constexpr int LongestPeriod = 512;
// An oscillation stands out when its autocorrelation one cycle on keeps this share of the
// variance; pure noise keeps next to nothing.
constexpr double OscillationShare = 0.2;
constexpr int ShortestPeriod = 8;
// Spacings further than this from the median spacing mean a turn missed or one made up.
constexpr double SpacingLimit = 0.5;

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

// The first autocorrelation peak past its first fall below zero: the cycle of the strongest
// oscillation. Only the lags up to that peak are computed.
int DominantPeriod(const std::vector<double>& samples) {
    const int count = static_cast<int>(samples.size());
    const double mean = std::accumulate(samples.begin(), samples.end(), 0.0) / count;
    auto correlation = [&](int lag) {
        double sum = 0.0;
        for (int i = lag; i < count; ++i)
            sum += (samples[i] - mean) * (samples[i - lag] - mean);
        return sum;
    };
    // A peak needs a quarter of its cycle in view beyond the lag.
    const int lastLag = std::min(count * 3 / 4, LongestPeriod);
    int lag = 1;
    double value = correlation(lag);
    while (lag < lastLag && value > 0.0)
        value = correlation(++lag);
    while (lag < lastLag && value <= 0.0)
        value = correlation(++lag);
    for (; lag < lastLag; ++lag) { // up the next rise to its top
        const double next = correlation(lag + 1);
        if (next < value) break;
        value = next;
    }
    if (lag >= lastLag || lag < ShortestPeriod || value < OscillationShare * correlation(0))
        return 0;
    return lag;
}

// Where the curve crosses `level` between samples `inside` and `outside`, the next one out.
double Crossing(const std::vector<double>& curve, int inside, int outside, double level) {
    return inside + (outside - inside) * (curve[inside] - level) / (curve[inside] - curve[outside]);
}

} // namespace

double Quantile(std::vector<double> values, double fraction) {
    const auto at = values.begin() + std::lround(fraction * static_cast<double>(values.size() - 1));
    std::nth_element(values.begin(), at, values.end());
    return *at;
}

ViewShape MeasureViewShape(const std::vector<double>& samples) {
    return {Spread(samples), NoiseOf(samples), DominantPeriod(samples)};
}

double Spread(std::vector<double> values) {
    const double top = Quantile(values, 0.95);
    return top - Quantile(std::move(values), 0.05);
}

std::vector<double> MovingAverage(const std::vector<double>& samples, int width) {
    double sum = std::accumulate(samples.begin(), samples.begin() + width, 0.0);
    std::vector<double> averages{sum / width};
    for (auto next = samples.begin() + width; next != samples.end(); ++next) {
        sum += *next - *(next - width);
        averages.push_back(sum / width);
    }
    return averages;
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
        turns.push_back({from, 0, i, !rising});
    int extreme = i;
    for (++i; i < count; ++i) {
        const double away = rising ? curve[extreme] - curve[i] : curve[i] - curve[extreme];
        if (away < 0.0) {
            extreme = i;
        } else if (away >= margin) {
            turns.push_back({extreme, from, i, rising});
            from = extreme;
            extreme = i;
            rising = !rising;
        }
    }
    if (extreme + 2 < count && atEnd(farthest(extreme, rising, extreme + 1, count)))
        turns.push_back({extreme, from, count - 1, rising});
    return turns;
}

double TurnCentre(const std::vector<double>& curve, const Turn& turn, double margin) {
    const double level = turn.Peak ? curve[turn.Extreme] - margin : curve[turn.Extreme] + margin;
    auto inside = [&](int i) { return turn.Peak ? curve[i] > level : curve[i] < level; };
    int in = turn.Extreme;
    while (in - 1 > turn.Before && inside(in - 1))
        --in;
    int out = turn.Extreme;
    while (out + 1 < turn.After && inside(out + 1))
        ++out;
    return (Crossing(curve, in, in - 1, level) + Crossing(curve, out, out + 1, level)) / 2;
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

double FoldedNoise(const std::vector<double>& curve, double period) {
    const int pairs = static_cast<int>(curve.size()) - 1 - static_cast<int>(period);
    if (pairs <= 0) return 0.0;
    std::vector<double> differences;
    for (int i = 0; i < pairs; ++i) {
        const double later = i + period; // between samples, read on the line joining them
        const int before = static_cast<int>(later);
        const double fraction = later - before;
        differences.push_back(
            std::abs(curve[i] - (curve[before] * (1 - fraction) + curve[before + 1] * fraction)));
    }
    // The median, so that a stretch that does not repeat — the filter settling at the start
    // of a run, a knock — does not count as noise.
    return Quantile(std::move(differences), 0.5) / (0.6745 * std::numbers::sqrt2);
}
