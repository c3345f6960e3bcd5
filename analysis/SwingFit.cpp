#include "analysis/SwingFit.h"

#include "analysis/LeastSquares.h"
#include "analysis/SwingModel.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <numeric>

namespace {

// Calibrated, each axis reads within 1 % of its true gain (a uniform spread of σ = 0.58 %), so
// the across axes' gain over the along axis' spreads by σ = 0.82 %.
constexpr double GainRatioSpread = 0.0082;
// Keeps an axis that reads one value throughout from an infinite weight.
constexpr double MinDeviation = 1e-9;

// The samples fitted and each axis' standard deviation.
struct Weighting {
    std::vector<std::size_t> Kept;
    std::array<double, SwingAxes> Deviation{};
};

// The three axes as measured, against the swing model.
struct Measured {
    const SwingModel& Model;
    std::array<std::span<const double>, SwingAxes> Axis;

    // (measured − modelled) per axis at every sample.
    std::vector<std::array<double, SwingAxes>> Residuals(std::span<const double> p) const {
        std::vector<std::array<double, SwingAxes>> residuals(Model.Count());
        Model.Trace(p, false, [&](std::size_t i, const TracedState& state) {
            const SwingReading reading = Model.ReadingAt(p, i, state, false);
            for (int a = 0; a < SwingAxes; ++a)
                residuals[i][a] = Axis[a][i] - reading.Value[a];
        });
        return residuals;
    }

    LeastSquaresFit Fit(const std::vector<double>& start, int varied,
                        const Weighting& weighting) const {
        std::vector<char> kept(Model.Count(), 0);
        for (const std::size_t i : weighting.Kept)
            kept[i] = 1;
        std::array<double, SwingAxes> weights{};
        for (int a = 0; a < SwingAxes; ++a)
            weights[a] = 1.0 / std::max(weighting.Deviation[a], MinDeviation);
        return MinimiseSquares(
            [&](std::span<const double> p, bool gradients, const ResidualRow& row) {
                if (!(p[Omega0] > 0.0) || !(p[GainRatio] > 0.0)) return false;
                Model.Trace(p, gradients, [&](std::size_t i, const TracedState& state) {
                    if (!kept[i]) return;
                    SwingReading reading = Model.ReadingAt(p, i, state, gradients);
                    for (int a = 0; a < SwingAxes; ++a) {
                        for (double& slope : reading.Slope[a])
                            slope *= weights[a];
                        row((Axis[a][i] - reading.Value[a]) * weights[a], reading.Slope[a]);
                    }
                });
                // What the calibration tells of the across axes' gain, as one more measurement.
                SwingGradient prior{};
                prior[GainRatio] = 1.0 / GainRatioSpread;
                row((1.0 - p[GainRatio]) / GainRatioSpread, prior);
                return true;
            },
            start, varied);
    }

    // Each axis' scatter about the fit over the kept samples, spread over the degrees of
    // freedom the parameters leave.
    std::array<double, SwingAxes>
    Deviations(std::span<const double> p, const std::vector<std::size_t>& kept, int varied) const {
        const auto residuals = Residuals(p);
        std::array<double, SwingAxes> squares{};
        for (const std::size_t i : kept)
            for (int a = 0; a < SwingAxes; ++a)
                squares[a] += residuals[i][a] * residuals[i][a];
        const double rows = SwingAxes * static_cast<double>(kept.size());
        std::array<double, SwingAxes> deviations{};
        for (int a = 0; a < SwingAxes; ++a)
            deviations[a] =
                std::sqrt(squares[a] / static_cast<double>(kept.size()) * rows / (rows - varied));
        return deviations;
    }

    // The samples within the spike limit on every axis.
    std::vector<std::size_t> SamplesNearCurve(std::span<const double> p) const {
        const auto residuals = Residuals(p);
        std::array<double, SwingAxes> limits{};
        for (int a = 0; a < SwingAxes; ++a) {
            std::vector<double> distances;
            for (const auto& r : residuals)
                distances.push_back(std::abs(r[a]));
            limits[a] = SpikeLimit(std::move(distances));
        }
        std::vector<std::size_t> kept;
        for (std::size_t i = 0; i < residuals.size(); ++i) {
            bool near = true;
            for (int a = 0; a < SwingAxes; ++a)
                near = near && !(std::abs(residuals[i][a]) > limits[a]);
            if (near) kept.push_back(i);
        }
        return kept;
    }
};

// The start of the fit from the along axis' periodic fit, whose fundamental is the swing's
// second harmonic: about G·[1 − θ0²/4 + (1 + 2ρ)·θ0²/4·cos(2ωτ + 2φ)] for θ = θ0·sin(ωτ + φ).
// The across swing starts at nothing (ρ = 1); the fit finds it.
std::vector<double> Seed(const PeriodicFit& along, const SwingSamples& samples) {
    std::vector<double> p(SwingParameterCount, 0.0);
    const double gain = along.Offset, side = gain < 0.0 ? -1.0 : 1.0;
    const double wave = std::hypot(along.Sines[0], along.Cosines[0]);
    const double amplitude = std::sqrt(4.0 * wave / (3.0 * std::abs(gain)));
    const double phase = -0.5 * std::atan2(side * along.Sines[0], side * along.Cosines[0]);
    p[Omega0] = std::numbers::pi * along.Frequency * PeriodLengthening(amplitude);
    p[StartAngle] = amplitude * std::sin(phase);
    p[StartRate] = amplitude * std::cos(phase);
    p[Gain] = gain;
    p[GainRatio] = 1.0;
    for (int j = 0; j < 2; ++j) {
        const std::span<const double> across = samples.Across[j];
        p[AcrossOffset + j] =
            std::accumulate(across.begin(), across.end(), 0.0) / static_cast<double>(across.size());
    }
    if (along.Damped) p[DampingRatio] = along.Decay / (2.0 * p[Omega0]);
    return p;
}

// Standard deviations of quantities derived from the fit. Near ρ = 1 the across swing's size
// |w| is at the edge it cannot pass (a size is never negative), so its estimate is biased up,
// by up to 1.25 of its σ where the sensor sits at the centre of oscillation; each quantity
// takes in the shift it would see from that bias, beside its own error.
class ErrorPropagation {
public:
    explicit ErrorPropagation(const LeastSquaresFit& fit) : covariance(fit.Covariance) {
        const std::span<const double> p = fit.Values;
        const double size = std::hypot(p[AcrossSwing], p[AcrossSwing + 1]);
        double spread = 0.0; // E|ŵ|² = |w|² + the trace of ŵ's covariance
        for (int j = 0; j < 2; ++j) {
            bySize[AcrossSwing + j] = size > 0.0 ? p[AcrossSwing + j] / size : 0.0;
            spread += covariance(AcrossSwing + j, AcrossSwing + j);
        }
        sizeVariance = PropagatedVariance(covariance, bySize);
        sizeBias = size - std::sqrt(std::max(0.0, size * size - spread));
    }

    double Of(const SwingGradient& gradient) const {
        double covariation = 0.0; // with the across swing's size
        for (int a = 0; a < covariance.Size(); ++a)
            for (int b = 0; b < covariance.Size(); ++b)
                covariation += gradient[a] * covariance(a, b) * bySize[b];
        const double shift = sizeVariance > 0.0 ? covariation / sizeVariance * sizeBias : 0.0;
        return std::sqrt(PropagatedVariance(covariance, gradient) + shift * shift);
    }

private:
    const SquareMatrix& covariance;
    SwingGradient bySize{};
    double sizeVariance = 0.0, sizeBias = 0.0;
};

} // namespace

double SwingCurve::At(double time) const {
    if (times.empty() || !(time >= times.front() && time <= times.back())) return NAN;
    const std::size_t from = std::upper_bound(times.begin(), times.end(), time) - times.begin() - 1;
    SwingState state = states[from];
    const double scaled = omega0 * (time - times[from]);
    const int steps = static_cast<int>(std::ceil(scaled / SwingMaxStep));
    for (int k = 0; k < steps; ++k)
        state = SwingStep(state, 1.0, 2.0 * dampingRatio, scaled / steps);
    return gain * std::cos(state[0]) + centripetalGain * state[1] * state[1];
}

SwingFit FitSwing(const SwingSamples& samples, const PeriodicFit& along) {
    SwingFit result;
    std::vector<double> p = Seed(along, samples);
    if (!std::isfinite(p[Omega0]) || !(p[Omega0] > 0.0)) return result;
    const SwingModel model(samples.Times, along.Centre, p[Omega0]);
    if (!model.Planned()) return result;
    const Measured measured{model, {samples.Along, samples.Across[0], samples.Across[1]}};
    Weighting weighting{along.Kept, measured.Deviations(p, along.Kept, 0)};

    // Damped where the along axis decays, else undamped; then without the spikes that fit
    // shows and each axis weighted by its own scatter about it, once more, and the other way
    // where the damping turns out insignificant or significant.
    const int undamped = DampingRatio, damped = SwingParameterCount;
    const auto significant = [](const LeastSquaresFit& fit) {
        return fit.Ok && fit.Covariance.Size() == damped &&
               fit.Values[DampingRatio] >
                   DecaySignificance * std::sqrt(fit.Covariance(DampingRatio, DampingRatio));
    };
    const int varied = along.Damped ? damped : undamped;
    const LeastSquaresFit first = measured.Fit(p, varied, weighting);
    if (!first.Ok) return result;
    weighting.Kept = measured.SamplesNearCurve(first.Values);
    if (weighting.Kept.size() < samples.Times.size() / 2) return result; // no swing, but spikes
    weighting.Deviation = measured.Deviations(first.Values, weighting.Kept, varied);
    LeastSquaresFit fit = measured.Fit(first.Values, varied, weighting);
    if (along.Damped && !significant(fit)) {
        p = first.Values;
        p[DampingRatio] = 0.0;
        fit = measured.Fit(p, undamped, weighting);
    } else if (!along.Damped && fit.Ok) {
        LeastSquaresFit swinging = measured.Fit(fit.Values, damped, weighting);
        if (significant(swinging)) fit = std::move(swinging);
    }
    if (!fit.Ok) return result;
    result.Damped = fit.Covariance.Size() == damped;
    p = fit.Values;

    const double omega0 = p[Omega0];
    const double amplitude = SwingAmplitude(p[StartAngle], p[StartRate]);
    if (!std::isfinite(amplitude) || !(amplitude > 0.0)) return result;
    result.Excluded = static_cast<int>(samples.Times.size() - weighting.Kept.size());
    result.AlongRms = measured.Deviations(p, weighting.Kept, fit.Covariance.Size())[0];
    const ErrorPropagation errors(fit);
    // cos θ0 = cos a − b²/2 for the start (a, b).
    SwingGradient byAmplitude{};
    byAmplitude[StartAngle] = std::sin(p[StartAngle]) / std::sin(amplitude);
    byAmplitude[StartRate] = p[StartRate] / std::sin(amplitude);
    result.Amplitude = amplitude;
    result.AmplitudeError = errors.Of(byAmplitude);
    result.SmallSwingPeriod = 2.0 * std::numbers::pi / omega0;
    SwingGradient bySmallSwingPeriod{};
    bySmallSwingPeriod[Omega0] = -result.SmallSwingPeriod / omega0;
    result.SmallSwingPeriodError = errors.Of(bySmallSwingPeriod);
    const double lengthening = PeriodLengthening(amplitude);
    const double h = 1e-5;
    const double lengtheningSlope =
        (PeriodLengthening(amplitude + h) - PeriodLengthening(amplitude - h)) / (2 * h);
    result.Period = result.SmallSwingPeriod * lengthening;
    SwingGradient byPeriod{};
    byPeriod[Omega0] = -result.Period / omega0;
    for (const SwingParameter start : {StartAngle, StartRate})
        byPeriod[start] = result.SmallSwingPeriod * lengtheningSlope * byAmplitude[start];
    result.PeriodError = errors.Of(byPeriod);

    std::vector<SwingState> states(model.Count());
    model.Trace(p, false, [&](std::size_t i, const TracedState& state) {
        states[i] = {state[0], state[1]};
    });
    std::vector<double> times;
    std::vector<SwingState> ordered;
    for (const std::size_t i : model.Order()) {
        times.push_back(samples.Times[i]);
        ordered.push_back(states[i]);
    }
    result.Curve = SwingCurve(std::move(times), std::move(ordered), omega0, p[DampingRatio],
                              p[Gain], CentripetalGain(p));
    result.Ok = std::isfinite(result.Period) && std::isfinite(result.PeriodError) &&
                std::isfinite(result.AmplitudeError);
    return result;
}
