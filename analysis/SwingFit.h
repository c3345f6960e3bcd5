#pragma once

#include "analysis/PeriodicFit.h"
#include "analysis/Swing.h"

#include <array>
#include <span>
#include <utility>
#include <vector>

// The three axes of a sensor swinging on a pendulum, in g, unfiltered and with their zero
// offsets calibrated: one along the string, two across it.
struct SwingSamples {
    std::span<const double> Times; // seconds
    std::span<const double> Along;
    std::array<std::span<const double>, 2> Across;
};

// The fitted along-string reading, from the swing's states at the sample times.
class SwingCurve {
public:
    SwingCurve() = default;
    // States in order of time: angle and θ'/ω0.
    SwingCurve(std::vector<double> times, std::vector<SwingState> states,
               double smallSwingFrequency, double dampingRatio, double gain, double centripetalGain)
        : times(std::move(times)), states(std::move(states)), omega0(smallSwingFrequency),
          dampingRatio(dampingRatio), gain(gain), centripetalGain(centripetalGain) {}

    // In g, inside the fitted times; not a number outside them.
    double At(double time) const;

private:
    std::vector<double> times;
    std::vector<SwingState> states;
    double omega0 = 0.0, dampingRatio = 0.0, gain = 0.0, centripetalGain = 0.0;
};

// The pendulum fitted to the three axes at once. The swing follows θ'' = −ω0²·sin θ − 2γ·θ',
// integrated out from its state in the middle of the range. A sensor with gain G at ρ·L from
// the pivot reads G·[cos θ + ρ·θ'²/ω0²] along the string and G·κ·[(1 − ρ)·sin θ − 2ρ·γ·θ'/ω0²]
// across it (κ the across axes' gain over the along axis', projected on the swing plane). The
// along axis alone gives G from its level but ties ρ to θ0; the across swing unties them.
// Errors are standard deviations.
struct SwingFit {
    bool Ok = false;
    bool Damped = false;
    int Excluded = 0; // spikes left out
    // At the amplitude in the middle of the range, which a damped swing passes on its way down.
    double Period = 0.0, PeriodError = 0.0;
    double Amplitude = 0.0, AmplitudeError = 0.0;               // radians
    double SmallSwingPeriod = 0.0, SmallSwingPeriodError = 0.0; // 2π/ω0
    double AlongRms = 0.0; // the along axis' residual scatter, g
    SwingCurve Curve;
};

// Seeded by the periodic fit of the along axis. Not Ok when the swing model does not converge.
SwingFit FitSwing(const SwingSamples& samples, const PeriodicFit& along);
