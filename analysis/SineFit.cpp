#include "analysis/SineFit.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <vector>

namespace {

constexpr double TwoPi = 2.0 * std::numbers::pi;
constexpr int MinSamples = 8;
// An amplitude below this many of its standard errors is what noise alone gives.
constexpr double MinAmplitudeSignificance = 6.0;
// A decay that is not this many standard errors from zero is not fitted.
constexpr double DecaySignificance = 3.0;
// Frequency steps of the search: half, then an eighth of the resolution of the span.
constexpr double CoarseOversampling = 2.0;
constexpr double SearchOversampling = 8.0;
constexpr int MaxIterations = 200;
constexpr double OutlierSpread = 6.0;
constexpr double RobustDeviation = 1.4826; // standard deviations per median absolute deviation

enum Parameter { Offset, Amplitude, Frequency, Phase, Decay, ParameterLimit };
using Parameters = std::array<double, ParameterLimit>;
using Matrix = std::array<std::array<double, ParameterLimit>, ParameterLimit>;

// Inverts the leading n×n block in place; false when it is singular.
bool Invert(Matrix& m, int n) {
    std::array<int, ParameterLimit> order{};
    for (int i = 0; i < n; ++i)
        order[i] = i;
    Matrix inverse{};
    for (int i = 0; i < n; ++i)
        inverse[i][i] = 1.0;
    for (int column = 0; column < n; ++column) {
        int pivot = column;
        for (int row = column + 1; row < n; ++row)
            if (std::abs(m[row][column]) > std::abs(m[pivot][column])) pivot = row;
        if (!(std::abs(m[pivot][column]) > 0.0)) return false;
        std::swap(m[pivot], m[column]);
        std::swap(inverse[pivot], inverse[column]);
        const double scale = 1.0 / m[column][column];
        for (int k = 0; k < n; ++k) {
            m[column][k] *= scale;
            inverse[column][k] *= scale;
        }
        for (int row = 0; row < n; ++row) {
            if (row == column) continue;
            const double factor = m[row][column];
            for (int k = 0; k < n; ++k) {
                m[row][k] -= factor * m[column][k];
                inverse[row][k] -= factor * inverse[column][k];
            }
        }
    }
    m = inverse;
    return true;
}

// The model's value at a centred time and its derivatives by the first `count` parameters.
double ModelAt(const Parameters& p, double t, int count, double* gradient) {
    const double envelope = std::exp(-p[Decay] * t);
    const double angle = TwoPi * p[Frequency] * t + p[Phase];
    const double sine = std::sin(angle), cosine = std::cos(angle);
    if (gradient != nullptr) {
        gradient[Offset] = 1.0;
        gradient[Amplitude] = envelope * sine;
        gradient[Frequency] = p[Amplitude] * envelope * cosine * TwoPi * t;
        gradient[Phase] = p[Amplitude] * envelope * cosine;
        if (count > Decay) gradient[Decay] = -p[Amplitude] * t * envelope * sine;
    }
    return p[Offset] + p[Amplitude] * envelope * sine;
}

double SumOfSquares(const Parameters& p, const std::vector<double>& t, std::span<const double> y) {
    double sum = 0.0;
    for (std::size_t i = 0; i < t.size(); ++i) {
        const double r = y[i] - ModelAt(p, t[i], 0, nullptr);
        sum += r * r;
    }
    return sum;
}

struct Solution {
    bool Ok = false;
    Parameters Values{};
    Matrix Covariance{};
    double Squares = 0.0;
};

// Levenberg–Marquardt on the first `count` parameters; the rest stay as given.
Solution Refine(Parameters p, int count, const std::vector<double>& t, std::span<const double> y) {
    Solution result;
    double squares = SumOfSquares(p, t, y);
    double damping = 1e-3;
    Matrix normal{};
    for (int iteration = 0; iteration < MaxIterations; ++iteration) {
        normal = Matrix{};
        std::array<double, ParameterLimit> gradientSum{};
        std::array<double, ParameterLimit> gradient{};
        for (std::size_t i = 0; i < t.size(); ++i) {
            const double r = y[i] - ModelAt(p, t[i], count, gradient.data());
            for (int a = 0; a < count; ++a) {
                gradientSum[a] += gradient[a] * r;
                for (int b = 0; b <= a; ++b)
                    normal[a][b] += gradient[a] * gradient[b];
            }
        }
        for (int a = 0; a < count; ++a)
            for (int b = 0; b < a; ++b)
                normal[b][a] = normal[a][b];
        bool improved = false;
        while (damping < 1e12 && !improved) {
            Matrix step = normal;
            for (int a = 0; a < count; ++a)
                step[a][a] *= 1.0 + damping;
            if (!Invert(step, count)) return result;
            Parameters trial = p;
            for (int a = 0; a < count; ++a)
                for (int b = 0; b < count; ++b)
                    trial[a] += step[a][b] * gradientSum[b];
            const double trialSquares = SumOfSquares(trial, t, y);
            if (trialSquares <= squares) {
                improved = true;
                const bool settled = squares - trialSquares <= 1e-12 * squares;
                p = trial;
                squares = trialSquares;
                damping = std::max(damping / 10.0, 1e-12);
                if (settled) iteration = MaxIterations;
            } else {
                damping *= 10.0;
            }
        }
        if (!improved) break;
    }
    // The covariance at the minimum, from the undamped normal matrix.
    normal = Matrix{};
    std::array<double, ParameterLimit> gradient{};
    for (std::size_t i = 0; i < t.size(); ++i) {
        ModelAt(p, t[i], count, gradient.data());
        for (int a = 0; a < count; ++a)
            for (int b = 0; b < count; ++b)
                normal[a][b] += gradient[a] * gradient[b];
    }
    if (!Invert(normal, count)) return result;
    const double variance = squares / static_cast<double>(t.size() - count);
    for (int a = 0; a < count; ++a)
        for (int b = 0; b < count; ++b)
            normal[a][b] *= variance;
    result = {std::isfinite(squares), p, normal, squares};
    return result;
}

// The best offset, amplitude and phase at a fixed frequency: a linear least-squares fit of
// 1, sin and cos. Squares is the sum of squared residuals.
Solution LinearFitAt(double frequency, const std::vector<double>& t, std::span<const double> y) {
    Matrix normal{};
    std::array<double, 3> right{};
    for (std::size_t i = 0; i < t.size(); ++i) {
        const double angle = TwoPi * frequency * t[i];
        const std::array<double, 3> basis{1.0, std::sin(angle), std::cos(angle)};
        for (int a = 0; a < 3; ++a) {
            right[a] += basis[a] * y[i];
            for (int b = 0; b < 3; ++b)
                normal[a][b] += basis[a] * basis[b];
        }
    }
    Solution result;
    if (!Invert(normal, 3)) return result;
    std::array<double, 3> beta{};
    for (int a = 0; a < 3; ++a)
        for (int b = 0; b < 3; ++b)
            beta[a] += normal[a][b] * right[b];
    result.Ok = true;
    result.Values[Offset] = beta[0];
    result.Values[Amplitude] = std::hypot(beta[1], beta[2]);
    result.Values[Frequency] = frequency;
    result.Values[Phase] = std::atan2(beta[2], beta[1]);
    result.Squares = SumOfSquares(result.Values, t, y);
    return result;
}

double Median(std::vector<double> values) {
    const auto middle = values.begin() + static_cast<long>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

// The sum of squared residuals of the best 1, sin, cos fit at a frequency, for samples
// `interval` apart from `first` (the seed search only: the refinement uses the true times).
// The sines advance by rotation, and the sum comes from the normal equations, in one pass.
double SquaresAt(double frequency, double first, double interval, std::span<const double> y) {
    const double step = TwoPi * frequency * interval;
    const double stepSine = std::sin(step), stepCosine = std::cos(step);
    double sine = std::sin(TwoPi * frequency * first), cosine = std::cos(TwoPi * frequency * first);
    Matrix normal{};
    std::array<double, 3> right{};
    double squares = 0.0;
    for (const double value : y) {
        const std::array<double, 3> basis{1.0, sine, cosine};
        for (int a = 0; a < 3; ++a) {
            right[a] += basis[a] * value;
            for (int b = a; b < 3; ++b)
                normal[a][b] += basis[a] * basis[b];
        }
        squares += value * value;
        const double next = sine * stepCosine + cosine * stepSine;
        cosine = cosine * stepCosine - sine * stepSine;
        sine = next;
    }
    for (int a = 0; a < 3; ++a)
        for (int b = 0; b < a; ++b)
            normal[a][b] = normal[b][a];
    if (!Invert(normal, 3)) return squares;
    for (int a = 0; a < 3; ++a)
        for (int b = 0; b < 3; ++b)
            squares -= right[a] * normal[a][b] * right[b];
    return squares;
}

// The frequency seed: the best linear fit over frequencies from half a period in the span up
// to a bound from the crossings of the mean (noise only adds crossings) and a quarter of the
// sampling rate; a coarse grid first, then a fine one around its best, refined by a parabola
// through the best three.
Solution SearchFrequency(const std::vector<double>& t, std::span<const double> y, double span) {
    std::vector<double> centred(y.begin(), y.end());
    // Spikes would swamp the search: values far outside the others take the median's place.
    const double median = Median(centred);
    std::vector<double> deviations;
    for (const double value : centred)
        deviations.push_back(std::abs(value - median));
    const double limit = OutlierSpread * RobustDeviation * Median(deviations);
    double mean = 0.0;
    for (double& value : centred) {
        if (limit > 0.0 && std::abs(value - median) > limit) value = median;
        mean += value;
    }
    mean /= static_cast<double>(centred.size());
    int crossings = 0;
    for (std::size_t i = 0; i < centred.size(); ++i) {
        centred[i] -= mean;
        if (i > 0 && centred[i - 1] * centred[i] < 0.0) ++crossings;
    }
    const double interval = span / static_cast<double>(t.size() - 1);
    const double low = 0.5 / span;
    const double high = std::min(0.25 / interval, (crossings + 4.0) / span);
    auto best = [&](double from, double to, double step, std::vector<double>& squares) {
        squares.clear();
        for (double f = from; f <= to; f += step)
            squares.push_back(SquaresAt(f, t.front(), interval, centred));
        return static_cast<long>(std::min_element(squares.begin(), squares.end()) -
                                 squares.begin());
    };
    std::vector<double> squares;
    const double coarseStep = 1.0 / (CoarseOversampling * span);
    const long coarse = best(low, high, coarseStep, squares);
    if (squares.empty()) return {};
    const double fineFrom = std::max(low, low + (coarse - 1) * coarseStep);
    const double step = 1.0 / (SearchOversampling * span);
    const long fine = best(fineFrom, low + (coarse + 1) * coarseStep, step, squares);
    double frequency = fineFrom + static_cast<double>(fine) * step;
    if (fine > 0 && fine + 1 < static_cast<long>(squares.size())) {
        const double a = squares[fine - 1], b = squares[fine], c = squares[fine + 1];
        const double curvature = a - 2.0 * b + c;
        if (curvature > 0.0) frequency += 0.5 * step * (a - c) / curvature;
    }
    return LinearFitAt(frequency, t, centred);
}

SineFit Failed(SineFit fit, const char* reason) {
    fit.Ok = false;
    fit.Failure = std::string("맞춤 불가: ") + reason;
    return fit;
}

void Take(SineFit& fit, const Solution& solution, bool damped, std::size_t count) {
    Parameters p = solution.Values;
    if (p[Amplitude] < 0.0) {
        p[Amplitude] = -p[Amplitude];
        p[Phase] += std::numbers::pi;
    }
    p[Phase] = std::remainder(p[Phase], TwoPi);
    const auto error = [&](Parameter k) { return std::sqrt(solution.Covariance[k][k]); };
    fit.Damped = damped;
    fit.Offset = p[Offset];
    fit.Amplitude = p[Amplitude];
    fit.Frequency = p[Frequency];
    fit.Phase = p[Phase];
    fit.Decay = damped ? p[Decay] : 0.0;
    fit.OffsetError = error(Offset);
    fit.AmplitudeError = error(Amplitude);
    fit.FrequencyError = error(Frequency);
    fit.PhaseError = error(Phase);
    fit.DecayError = damped ? error(Decay) : 0.0;
    fit.ResidualRms = std::sqrt(solution.Squares / static_cast<double>(count));
}

// A knock or a sample taken before the stream ran would pull a least-squares fit: the samples
// further from the plain fit than OutlierSpread robust deviations (from the median absolute
// residual) are left out.
std::vector<std::size_t> SamplesNearCurve(const Solution& plain, const std::vector<double>& t,
                                          std::span<const double> y) {
    std::vector<double> residuals(t.size());
    for (std::size_t i = 0; i < t.size(); ++i)
        residuals[i] = std::abs(y[i] - ModelAt(plain.Values, t[i], 0, nullptr));
    const double limit = OutlierSpread * RobustDeviation * Median(residuals);
    std::vector<std::size_t> kept;
    for (std::size_t i = 0; i < t.size(); ++i)
        if (!(residuals[i] > limit)) kept.push_back(i);
    return kept.size() >= MinSamples ? kept : std::vector<std::size_t>{};
}

// The plain fit from the seed, without the spikes it shows, and where the amplitude measurably
// decays the damped one. A decay is only fitted once the spikes are out: it could bend the
// curve to a spike at the edge of the range.
bool FitFrom(const Parameters& seed, const std::vector<double>& t, std::span<const double> y,
             SineFit& fit) {
    Solution plain = Refine(seed, Decay, t, y);
    if (!plain.Ok) return false;
    std::vector<double> keptTimes, keptValues;
    for (const std::size_t i : SamplesNearCurve(plain, t, y)) {
        keptTimes.push_back(t[i]);
        keptValues.push_back(y[i]);
    }
    fit.Excluded = keptTimes.empty() ? 0 : static_cast<int>(t.size() - keptTimes.size());
    if (fit.Excluded > 0) plain = Refine(seed, Decay, keptTimes, keptValues);
    const std::vector<double>& times = fit.Excluded > 0 ? keptTimes : t;
    const std::span<const double> values = fit.Excluded > 0 ? std::span(keptValues) : y;
    if (!plain.Ok) return false;
    const Solution damped = Refine(plain.Values, ParameterLimit, times, values);
    const bool decays =
        damped.Ok &&
        damped.Values[Decay] > DecaySignificance * std::sqrt(damped.Covariance[Decay][Decay]);
    Take(fit, decays ? damped : plain, decays, times.size());
    return true;
}

} // namespace

double SineFit::ValueAt(double time) const {
    const double t = time - Centre;
    return Offset + Amplitude * std::exp(-Decay * t) * std::sin(TwoPi * Frequency * t + Phase);
}

SineFit FitSine(std::span<const double> times, std::span<const double> values) {
    SineFit fit;
    const std::size_t n = std::min(times.size(), values.size());
    fit.Count = static_cast<int>(n);
    if (n < MinSamples) return Failed(fit, "점이 너무 적습니다");
    values = values.first(n);
    for (std::size_t i = 0; i < n; ++i)
        if (!std::isfinite(times[i]) || !std::isfinite(values[i]))
            return Failed(fit, "숫자가 아닌 값이 있습니다");
    fit.Span = times[n - 1] - times[0];
    const auto [lowest, highest] = std::minmax_element(values.begin(), values.end());
    if (!(fit.Span > 0.0) || *lowest == *highest) return Failed(fit, "값의 변화가 없습니다");
    fit.Centre = 0.5 * (times[0] + times[n - 1]);
    std::vector<double> t(n);
    for (std::size_t i = 0; i < n; ++i)
        t[i] = times[i] - fit.Centre;

    const Solution seed = SearchFrequency(t, values, fit.Span);
    if (!seed.Ok || !FitFrom(seed.Values, t, values, fit))
        return Failed(fit, "진동을 찾을 수 없습니다");

    if (fit.Frequency > 0.0 && fit.Frequency * fit.Span < 1.0)
        return Failed(fit, "구간이 한 주기보다 짧습니다");
    if (!(fit.Frequency > 0.0) || !std::isfinite(fit.FrequencyError) ||
        !(fit.Amplitude >= MinAmplitudeSignificance * fit.AmplitudeError))
        return Failed(fit, "진동을 찾을 수 없습니다");
    fit.Ok = true;
    return fit;
}
