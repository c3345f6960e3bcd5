#include "analysis/SwingModel.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

// More steps than this per sample mean a seed no swing has.
constexpr double MaxStepsPerSample = 64.0;

double SideOf(std::span<const double> p) {
    return p[Gain] < 0.0 ? -1.0 : 1.0;
}

// θ'' = −sin θ − 2ζ·θ' in the scaled time ω0·t, with the variational equations of its
// derivatives by the start and by ζ.
TracedState TracedRate(const TracedState& y, double dampingRatio) {
    const double cosine = std::cos(y[0]);
    TracedState rate;
    rate[0] = y[1];
    rate[1] = SwingAcceleration({y[0], y[1]}, 1.0, 2.0 * dampingRatio);
    for (int k = 2; k < 8; k += 2) {
        rate[k] = y[k + 1];
        rate[k + 1] = -cosine * y[k] - 2.0 * dampingRatio * y[k + 1];
    }
    rate[7] -= 2.0 * y[1];
    return rate;
}

} // namespace

double CentripetalGain(std::span<const double> p) {
    return p[Gain] - SideOf(p) * std::hypot(p[AcrossSwing], p[AcrossSwing + 1]) / p[GainRatio];
}

SwingModel::SwingModel(std::span<const double> times, double centre, double seedOmega0)
    : tau(times.size()), order(times.size()) {
    for (std::size_t i = 0; i < times.size(); ++i)
        tau[i] = times[i] - centre;
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [this](std::size_t a, std::size_t b) { return tau[a] < tau[b]; });
    const auto later = std::partition_point(order.begin(), order.end(),
                                            [this](std::size_t i) { return tau[i] < 0.0; });
    double steps = 0.0;
    const auto plan = [&](auto from, auto to, std::vector<Leg>& pass) {
        double last = 0.0;
        for (auto i = from; i != to; ++i) {
            const double count = std::ceil(seedOmega0 * std::abs(tau[*i] - last) / SwingMaxStep);
            pass.push_back({*i, static_cast<int>(std::clamp(count, 1.0, 1e9))});
            steps += pass.back().Steps;
            last = tau[*i];
        }
    };
    plan(later, order.end(), passes[0]);
    plan(std::make_reverse_iterator(later), order.rend(), passes[1]);
    planned = steps <= MaxStepsPerSample * static_cast<double>(times.size());
}

TracedState SwingModel::Step(const TracedState& state, double dampingRatio, double step,
                             bool traced) {
    if (traced)
        return RungeKuttaStep(state, step, [dampingRatio](const TracedState& y) {
            return TracedRate(y, dampingRatio);
        });
    TracedState next = state;
    const SwingState swing = SwingStep({state[0], state[1]}, 1.0, 2.0 * dampingRatio, step);
    next[0] = swing[0];
    next[1] = swing[1];
    return next;
}

SwingReading SwingModel::ReadingAt(std::span<const double> p, std::size_t sample,
                                   const TracedState& y, bool traced) const {
    const double sine = std::sin(y[0]), cosine = std::cos(y[0]), rate = y[1];
    const double centripetal = CentripetalGain(p);
    SwingReading reading;
    reading.Value[0] = p[Gain] * cosine + centripetal * rate * rate;
    for (int j = 0; j < 2; ++j)
        reading.Value[1 + j] =
            p[AcrossOffset + j] + p[AcrossSwing + j] * sine + p[AcrossDrag + j] * rate;
    if (!traced) return reading;
    // Each reading by the angle and by θ'/ω0, carried to the parameters of the swing. ω0
    // scales the time: ∂θ/∂ω0 = θ'/ω0·τ and ∂(θ'/ω0)/∂ω0 = θ''/ω0²·τ.
    const double acceleration = SwingAcceleration({y[0], rate}, 1.0, 2.0 * p[DampingRatio]);
    const auto carry = [&](SwingGradient& slope, double byAngle, double byRate) {
        slope[Omega0] = (byAngle * rate + byRate * acceleration) * tau[sample];
        slope[StartAngle] = byAngle * y[2] + byRate * y[3];
        slope[StartRate] = byAngle * y[4] + byRate * y[5];
        slope[DampingRatio] = byAngle * y[6] + byRate * y[7];
    };
    SwingGradient& along = reading.Slope[0];
    carry(along, -p[Gain] * sine, 2.0 * centripetal * rate);
    const double swing = std::hypot(p[AcrossSwing], p[AcrossSwing + 1]);
    const double squared = rate * rate, side = SideOf(p);
    along[Gain] = cosine + squared;
    along[GainRatio] = side * swing / (p[GainRatio] * p[GainRatio]) * squared;
    for (int j = 0; j < 2 && swing > 0.0; ++j)
        along[AcrossSwing + j] = -side * p[AcrossSwing + j] / swing / p[GainRatio] * squared;
    for (int j = 0; j < 2; ++j) {
        SwingGradient& across = reading.Slope[1 + j];
        carry(across, p[AcrossSwing + j] * cosine, p[AcrossDrag + j]);
        across[AcrossSwing + j] = sine;
        across[AcrossOffset + j] = 1.0;
        across[AcrossDrag + j] = rate;
    }
    return reading;
}
