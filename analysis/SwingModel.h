#pragma once

#include "analysis/Swing.h"

#include <array>
#include <span>
#include <vector>

// Steps of the scaled time ω0·t no longer than this keep RK4's phase error below 1e-6 rad a
// swing, far below what the noise of a run lets the fit resolve.
constexpr double SwingMaxStep = 0.05;

// The parameters of the swing fit, in the order it varies them: the damping ratio ζ = γ/ω0
// last, so that it can stay fixed at zero. The swing starts in the middle of the range at angle
// StartAngle with θ'/ω0 = StartRate; its sensor reads
//   Gain·cos θ + (Gain − |AcrossSwing|/GainRatio)·(θ'/ω0)²
// along the string, and on each across axis AcrossOffset + AcrossSwing·sin θ + AcrossDrag·θ'/ω0
// (the damping's share, left free). The across swing is |AcrossSwing| = κ·G·(1 − ρ), split over
// the two axes by the direction of the swing plane. With ρ ≤ 1 the sensor sits at or above the
// centre of oscillation; a sensor below it swings across alike and is taken for one above.
enum SwingParameter {
    Omega0,
    StartAngle,
    StartRate,
    Gain,
    GainRatio,
    AcrossSwing,
    AcrossOffset = AcrossSwing + 2,
    AcrossDrag = AcrossOffset + 2,
    DampingRatio = AcrossDrag + 2,
    SwingParameterCount
};
using SwingGradient = std::array<double, SwingParameterCount>;

// G·ρ = G − |AcrossSwing|/κ; a sensor hung upside down reads −1 g along the string, a negative
// gain on the same swing.
double CentripetalGain(std::span<const double> p);

// The swing's angle and θ'/ω0, then their derivatives by StartAngle, StartRate and DampingRatio.
using TracedState = std::array<double, 8>;

constexpr int SwingAxes = 3; // along the string, then the two across

struct SwingReading {
    std::array<double, SwingAxes> Value{};
    std::array<SwingGradient, SwingAxes> Slope{}; // by the parameters, when asked for
};

// The readings the swing gives at the samples, integrated out from the middle of the range:
// forward through the later samples, backward through the earlier ones, in steps planned for
// the seed's ω0.
class SwingModel {
public:
    SwingModel(std::span<const double> times, double centre, double seedOmega0);

    // False when the seed would need more steps than any swing sampled this often.
    bool Planned() const { return planned; }
    std::size_t Count() const { return tau.size(); }
    // The samples in order of time.
    const std::vector<std::size_t>& Order() const { return order; }

    // Calls visit(sample, state) for each sample, the state traced when `traced`, else only
    // angle and θ'/ω0 filled in.
    template <typename Visit>
    void Trace(std::span<const double> p, bool traced, Visit&& visit) const {
        for (const std::vector<Leg>& pass : passes) {
            TracedState state{p[StartAngle], p[StartRate], 1.0, 0.0, 0.0, 1.0, 0.0, 0.0};
            double last = 0.0;
            for (const Leg& leg : pass) {
                const double h = p[Omega0] * (tau[leg.Sample] - last) / leg.Steps;
                for (int k = 0; k < leg.Steps; ++k)
                    state = Step(state, p[DampingRatio], h, traced);
                last = tau[leg.Sample];
                visit(leg.Sample, state);
            }
        }
    }

    // The three readings at a sample in the given state, with their gradients when traced.
    SwingReading ReadingAt(std::span<const double> p, std::size_t sample, const TracedState& y,
                           bool traced) const;

private:
    // A sample reached from the point before it in `Steps` integration steps.
    struct Leg {
        std::size_t Sample;
        int Steps;
    };

    static TracedState Step(const TracedState& state, double dampingRatio, double step,
                            bool traced);

    std::vector<double> tau; // seconds from the middle
    std::vector<std::size_t> order;
    std::array<std::vector<Leg>, 2> passes;
    bool planned = false;
};
