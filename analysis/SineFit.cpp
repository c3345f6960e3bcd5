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
// Frequency steps of the coarse search: an eighth of the resolution of the span.
constexpr double SearchOversampling = 8.0;
constexpr int MaxIterations = 200;

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

// The frequency seed: the best linear fit over a grid from half a period in the span up to a
// bound from the crossings of the mean (noise only adds crossings) and a quarter of the
// sampling rate, refined by a parabola through the best three.
Solution SearchFrequency(const std::vector<double>& t, std::span<const double> y, double span) {
    double mean = 0.0;
    for (const double value : y)
        mean += value;
    mean /= static_cast<double>(y.size());
    int crossings = 0;
    for (std::size_t i = 1; i < y.size(); ++i)
        if ((y[i - 1] - mean) * (y[i] - mean) < 0.0) ++crossings;
    const double sampleInterval = span / static_cast<double>(t.size() - 1);
    const double low = 0.5 / span;
    const double high = std::min(0.25 / sampleInterval, (crossings + 4.0) / span);
    const double step = 1.0 / (SearchOversampling * span);
    std::vector<double> squares;
    for (double f = low; f <= high; f += step)
        squares.push_back(LinearFitAt(f, t, y).Squares);
    if (squares.empty()) return {};
    const auto best = std::min_element(squares.begin(), squares.end()) - squares.begin();
    double frequency = low + static_cast<double>(best) * step;
    if (best > 0 && best + 1 < static_cast<long>(squares.size())) {
        const double a = squares[best - 1], b = squares[best], c = squares[best + 1];
        const double curvature = a - 2.0 * b + c;
        if (curvature > 0.0) frequency += 0.5 * step * (a - c) / curvature;
    }
    return LinearFitAt(frequency, t, y);
}

SineFit Failed(SineFit fit, const char* reason) {
    fit.Ok = false;
    fit.Failure = std::string("맞춤 불가: ") + reason;
    return fit;
}

void Take(SineFit& fit, const Solution& solution, bool damped) {
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
    fit.ResidualRms = std::sqrt(solution.Squares / fit.Count);
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
    if (!seed.Ok) return Failed(fit, "진동을 찾을 수 없습니다");
    const Solution plain = Refine(seed.Values, Decay, t, values);
    if (!plain.Ok) return Failed(fit, "진동을 찾을 수 없습니다");
    const Solution damped = Refine(plain.Values, ParameterLimit, t, values);
    const bool decays =
        damped.Ok &&
        damped.Values[Decay] > DecaySignificance * std::sqrt(damped.Covariance[Decay][Decay]);
    Take(fit, decays ? damped : plain, decays);

    if (fit.Frequency > 0.0 && fit.Frequency * fit.Span < 1.0)
        return Failed(fit, "구간이 한 주기보다 짧습니다");
    if (!(fit.Frequency > 0.0) || !std::isfinite(fit.FrequencyError) ||
        !(fit.Amplitude >= MinAmplitudeSignificance * fit.AmplitudeError))
        return Failed(fit, "진동을 찾을 수 없습니다");
    fit.Ok = true;
    return fit;
}
