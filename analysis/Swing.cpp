#include "analysis/Swing.h"

#include <cmath>
#include <numbers>

SwingState SwingStep(const SwingState& state, double stiffness, double friction, double step) {
    return RungeKuttaStep(state, step, [stiffness, friction](const SwingState& s) {
        return SwingState{s[1], SwingAcceleration(s, stiffness, friction)};
    });
}

double SwingAmplitude(double angle, double scaledRate) {
    const double turning = std::cos(angle) - scaledRate * scaledRate / 2;
    return turning >= -1.0 ? std::acos(turning) : NAN;
}

double PeriodLengthening(double amplitude) {
    return 2 / std::numbers::pi * std::comp_ellint_1(std::sin(amplitude / 2));
}
