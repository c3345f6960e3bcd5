#include "analysis/PeriodicFit.h"

#include "analysis/LeastSquares.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double TwoPi = 2.0 * std::numbers::pi;
constexpr int MinSamples = 8;
// An amplitude below this many of its standard errors is what noise alone gives.
constexpr double MinAmplitudeSignificance = 6.0;
// Frequency steps of the search: half, then an eighth of the resolution of the span.
constexpr double CoarseOversampling = 2.0;
constexpr double SearchOversampling = 8.0;
constexpr double OutlierSpread = 6.0;
constexpr double NormalPerMedianDeviation = 1.4826;
constexpr int Harmonics = PeriodicFit::Harmonics;

// The parameters in the order the fit varies them: the decay last, so that it can stay fixed.
enum Parameter { Offset, Frequency, FirstWave, Decay = FirstWave + 2 * Harmonics, ParameterCount };

int SineOf(int harmonic) {
    return FirstWave + 2 * harmonic;
}

// The curve at a centred time, and its derivatives by the parameters when `gradient` is not
// empty. The harmonics advance from the fundamental by angle addition.
double CurveAt(std::span<const double> p, double tau, std::span<double> gradient) {
    const double angle = TwoPi * p[Frequency] * tau;
    const double firstSine = std::sin(angle), firstCosine = std::cos(angle);
    const double firstEnvelope = std::exp(-p[Decay] * tau);
    double sine = firstSine, cosine = firstCosine, envelope = firstEnvelope;
    double value = p[Offset], slope = 0.0, decaySlope = 0.0;
    for (int k = 0; k < Harmonics; ++k) {
        const double a = p[SineOf(k)], b = p[SineOf(k) + 1];
        const double wave = a * sine + b * cosine;
        value += envelope * wave;
        if (!gradient.empty()) {
            gradient[SineOf(k)] = envelope * sine;
            gradient[SineOf(k) + 1] = envelope * cosine;
            slope += (k + 1) * envelope * (a * cosine - b * sine);
            decaySlope -= (k + 1) * envelope * wave;
        }
        const double nextSine = sine * firstCosine + cosine * firstSine;
        cosine = cosine * firstCosine - sine * firstSine;
        sine = nextSine;
        envelope *= firstEnvelope;
    }
    if (!gradient.empty()) {
        gradient[Offset] = 1.0;
        gradient[Frequency] = TwoPi * tau * slope;
        gradient[Decay] = tau * decaySlope;
    }
    return value;
}

std::vector<double> ParametersOf(const PeriodicFit& fit) {
    std::vector<double> p(ParameterCount);
    p[Offset] = fit.Offset;
    p[Frequency] = fit.Frequency;
    p[Decay] = fit.Decay;
    for (int k = 0; k < Harmonics; ++k) {
        p[SineOf(k)] = fit.Sines[k];
        p[SineOf(k) + 1] = fit.Cosines[k];
    }
    return p;
}

double Median(std::vector<double> values) {
    const auto middle = values.begin() + static_cast<long>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

struct Sinusoid {
    double Offset = 0.0, Sine = 0.0, Cosine = 0.0;
    double Squares = 0.0; // the sum of squared residuals
};

// The best offset + sine + cosine at a frequency, for samples `interval` apart from `first`
// (the seed search only: the refinement uses the true times). The sines advance by rotation,
// and the sum comes from the normal equations, in one pass.
Sinusoid SinusoidAt(double frequency, double first, double interval, std::span<const double> y) {
    const double step = TwoPi * frequency * interval;
    const double stepSine = std::sin(step), stepCosine = std::cos(step);
    double sine = std::sin(TwoPi * frequency * first), cosine = std::cos(TwoPi * frequency * first);
    SquareMatrix normal(3);
    std::array<double, 3> right{};
    Sinusoid fit;
    for (const double value : y) {
        const std::array<double, 3> basis{1.0, sine, cosine};
        for (int a = 0; a < 3; ++a) {
            right[a] += basis[a] * value;
            for (int b = 0; b < 3; ++b)
                normal(a, b) += basis[a] * basis[b];
        }
        fit.Squares += value * value;
        const double next = sine * stepCosine + cosine * stepSine;
        cosine = cosine * stepCosine - sine * stepSine;
        sine = next;
    }
    if (!Invert(normal)) return fit;
    std::array<double, 3> beta{};
    for (int a = 0; a < 3; ++a)
        for (int b = 0; b < 3; ++b)
            beta[a] += normal(a, b) * right[b];
    for (int a = 0; a < 3; ++a)
        fit.Squares -= beta[a] * right[a];
    fit.Offset = beta[0];
    fit.Sine = beta[1];
    fit.Cosine = beta[2];
    return fit;
}

// The seed: the best sinusoid over frequencies from half a period in the span up to a bound
// from the crossings of the mean (noise only adds crossings) and a quarter of the sampling
// rate; a coarse grid first, then a fine one around its best, refined by a parabola through
// the best three. False when there is no frequency to try.
bool SearchFrequency(const std::vector<double>& t, std::span<const double> y, double span,
                     std::vector<double>& seed) {
    std::vector<double> centred(y.begin(), y.end());
    // Spikes would swamp the search: values far outside the others take the median's place.
    const double median = Median(centred);
    std::vector<double> deviations;
    for (const double value : centred)
        deviations.push_back(std::abs(value - median));
    const double limit = SpikeLimit(deviations);
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
            squares.push_back(SinusoidAt(f, t.front(), interval, centred).Squares);
        return static_cast<long>(std::min_element(squares.begin(), squares.end()) -
                                 squares.begin());
    };
    std::vector<double> squares;
    const double coarseStep = 1.0 / (CoarseOversampling * span);
    const long coarse = best(low, high, coarseStep, squares);
    if (squares.empty()) return false;
    const double fineFrom = std::max(low, low + (coarse - 1) * coarseStep);
    const double step = 1.0 / (SearchOversampling * span);
    const long fine = best(fineFrom, low + (coarse + 1) * coarseStep, step, squares);
    double frequency = fineFrom + static_cast<double>(fine) * step;
    if (fine > 0 && fine + 1 < static_cast<long>(squares.size())) {
        const double a = squares[fine - 1], b = squares[fine], c = squares[fine + 1];
        const double curvature = a - 2.0 * b + c;
        if (curvature > 0.0) frequency += 0.5 * step * (a - c) / curvature;
    }
    const Sinusoid wave = SinusoidAt(frequency, t.front(), interval, centred);
    seed.assign(ParameterCount, 0.0);
    seed[Offset] = mean + wave.Offset;
    seed[Frequency] = frequency;
    seed[SineOf(0)] = wave.Sine;
    seed[SineOf(0) + 1] = wave.Cosine;
    return true;
}

LeastSquaresFit Refine(const std::vector<double>& start, int varied, const std::vector<double>& t,
                       std::span<const double> y, const std::vector<std::size_t>& samples) {
    return MinimiseSquares(
        [&](std::span<const double> p, bool gradients, const ResidualRow& row) {
            std::array<double, ParameterCount> gradient{};
            for (const std::size_t i : samples) {
                const double value =
                    CurveAt(p, t[i], gradients ? std::span<double>(gradient) : std::span<double>());
                row(y[i] - value, gradient);
            }
            return true;
        },
        start, varied);
}

// The standard deviations of the parameters, the residuals' scatter taken as the noise.
std::vector<double> Errors(LeastSquaresFit& fit, int varied) {
    const double variance = fit.Squares / static_cast<double>(fit.Residuals - varied);
    std::vector<double> errors(ParameterCount, 0.0);
    for (int a = 0; a < varied; ++a) {
        for (int b = 0; b < varied; ++b)
            fit.Covariance(a, b) *= variance;
        errors[a] = std::sqrt(fit.Covariance(a, a));
    }
    return errors;
}

// The samples within the spike limit of a fitted curve.
std::vector<std::size_t> SamplesNearCurve(const std::vector<double>& p,
                                          const std::vector<double>& t, std::span<const double> y) {
    std::vector<double> distances(t.size());
    for (std::size_t i = 0; i < t.size(); ++i)
        distances[i] = std::abs(y[i] - CurveAt(p, t[i], {}));
    const double limit = SpikeLimit(distances);
    std::vector<std::size_t> kept;
    for (std::size_t i = 0; i < t.size(); ++i)
        if (!(distances[i] > limit)) kept.push_back(i);
    return kept;
}

// The undamped fit from the seed, without the spikes it shows, and where the amplitude
// measurably decays the damped one. A decay is only fitted once the spikes are out: it could
// bend the curve to a spike at the edge of the range.
bool FitFrom(const std::vector<double>& seed, const std::vector<double>& t,
             std::span<const double> y, PeriodicFit& fit) {
    std::vector<std::size_t> all(t.size());
    for (std::size_t i = 0; i < t.size(); ++i)
        all[i] = i;
    LeastSquaresFit plain = Refine(seed, Decay, t, y, all);
    if (!plain.Ok) return false;
    fit.Kept = SamplesNearCurve(plain.Values, t, y);
    if (fit.Kept.size() < MinSamples) fit.Kept = all;
    fit.Excluded = static_cast<int>(all.size() - fit.Kept.size());
    if (fit.Excluded > 0) plain = Refine(seed, Decay, t, y, fit.Kept);
    if (!plain.Ok) return false;
    LeastSquaresFit damped = Refine(plain.Values, ParameterCount, t, y, fit.Kept);
    const std::vector<double> plainErrors = Errors(plain, Decay);
    const std::vector<double> dampedErrors =
        damped.Ok ? Errors(damped, ParameterCount) : std::vector<double>{};
    fit.Damped = damped.Ok && damped.Values[Decay] > DecaySignificance * dampedErrors[Decay];
    LeastSquaresFit& chosen = fit.Damped ? damped : plain;
    const std::vector<double>& errors = fit.Damped ? dampedErrors : plainErrors;
    const std::vector<double>& p = chosen.Values;
    fit.Offset = p[Offset];
    fit.Frequency = p[Frequency];
    fit.FrequencyError = errors[Frequency];
    fit.Decay = p[Decay];
    fit.DecayError = errors[Decay];
    for (int k = 0; k < Harmonics; ++k) {
        fit.Sines[k] = p[SineOf(k)];
        fit.Cosines[k] = p[SineOf(k) + 1];
    }
    fit.ResidualRms = std::sqrt(chosen.Squares / static_cast<double>(chosen.Residuals));
    // The fundamental's amplitude against its standard error tells an oscillation from noise.
    const double amplitude = std::hypot(fit.Sines[0], fit.Cosines[0]);
    std::vector<double> gradient(fit.Damped ? ParameterCount : Decay, 0.0);
    gradient[SineOf(0)] = fit.Sines[0] / amplitude;
    gradient[SineOf(0) + 1] = fit.Cosines[0] / amplitude;
    const double amplitudeError = std::sqrt(PropagatedVariance(chosen.Covariance, gradient));
    return fit.Frequency > 0.0 && std::isfinite(fit.FrequencyError) &&
           amplitude >= MinAmplitudeSignificance * amplitudeError;
}

} // namespace

double SpikeLimit(std::vector<double> distances) {
    return OutlierSpread * NormalPerMedianDeviation * Median(std::move(distances));
}

double PeriodicFit::ValueAt(double time) const {
    return CurveAt(ParametersOf(*this), time - Centre, {});
}

PeriodicFit FitPeriodic(std::span<const double> times, std::span<const double> values) {
    PeriodicFit fit;
    const auto failed = [&fit](MessageId reason) {
        fit.Ok = false;
        fit.Failure = reason;
        return fit;
    };
    const std::size_t n = std::min(times.size(), values.size());
    if (n < MinSamples) return failed(MessageId::FitTooFewPoints);
    values = values.first(n);
    for (std::size_t i = 0; i < n; ++i)
        if (!std::isfinite(times[i]) || !std::isfinite(values[i]))
            return failed(MessageId::FitNotANumber);
    const auto [earliest, latest] = std::minmax_element(times.begin(), times.begin() + n);
    fit.Span = *latest - *earliest;
    const auto [lowest, highest] = std::minmax_element(values.begin(), values.end());
    if (!(fit.Span > 0.0) || *lowest == *highest) return failed(MessageId::FitNoChange);
    fit.Centre = 0.5 * (*earliest + *latest);
    std::vector<double> t(n);
    for (std::size_t i = 0; i < n; ++i)
        t[i] = times[i] - fit.Centre;

    std::vector<double> seed;
    const bool oscillates =
        SearchFrequency(t, values, fit.Span, seed) && FitFrom(seed, t, values, fit);
    if (fit.Frequency > 0.0 && fit.Frequency * fit.Span < 1.0)
        return failed(MessageId::FitShorterThanPeriod);
    if (!oscillates) return failed(MessageId::FitNoOscillation);
    fit.Ok = true;
    return fit;
}
