#pragma once

#include <array>
#include <cmath>
#include <cstddef>

// The swinging pendulum both the simulator and the fit follow: θ'' = −stiffness·sin θ −
// friction·θ', a full pendulum with light linear damping (friction = 2γ).

// One classical Runge–Kutta step of y' = rate(y).
template <std::size_t N, typename Rate>
std::array<double, N> RungeKuttaStep(const std::array<double, N>& y, double step, Rate rate) {
    const auto ahead = [&y](const std::array<double, N>& slope, double by) {
        std::array<double, N> moved;
        for (std::size_t i = 0; i < N; ++i)
            moved[i] = y[i] + by * slope[i];
        return moved;
    };
    const std::array<double, N> k1 = rate(y);
    const std::array<double, N> k2 = rate(ahead(k1, step / 2));
    const std::array<double, N> k3 = rate(ahead(k2, step / 2));
    const std::array<double, N> k4 = rate(ahead(k3, step));
    std::array<double, N> next;
    for (std::size_t i = 0; i < N; ++i)
        next[i] = y[i] + step / 6 * (k1[i] + 2 * k2[i] + 2 * k3[i] + k4[i]);
    return next;
}

// The angle θ (radians) and its rate θ'.
using SwingState = std::array<double, 2>;

// θ'' of the swing in a state.
inline double SwingAcceleration(const SwingState& state, double stiffness, double friction) {
    return -stiffness * std::sin(state[0]) - friction * state[1];
}

SwingState SwingStep(const SwingState& state, double stiffness, double friction, double step);

// The amplitude of the undamped swing with the same energy, from the angle and the rate in
// units of the small-swing angular frequency (θ'/ω0): 1 − cos θ0 = 1 − cos θ + (θ'/ω0)²/2.
// Not a number when the pendulum would go over the top.
double SwingAmplitude(double angle, double scaledRate);

// How much a swing of amplitude θ0 lengthens the period: T / T0 = (2/π)·K(sin(θ0/2)).
double PeriodLengthening(double amplitude);
