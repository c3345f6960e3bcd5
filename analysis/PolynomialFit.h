#pragma once

#include "messages/Message.h"

#include <span>
#include <string>
#include <vector>

// A line (degree 1) or a parabola (degree 2) fitted by least squares to the samples whose
// times lie in a closed range, y(t) = Σ Coefficients[k]·t^k in the chart's own seconds. Each
// coefficient has the half-width of its 95 % interval: Student's t with n − p degrees of
// freedom times its standard error, the samples' spread estimated from the residuals.
struct PolynomialFit {
    bool Ok = false; // enough samples at enough distinct times for a spread beside the curve
    Message Failure; // "맞춤 불가: …" otherwise
    int Degree = 1;
    int Count = 0; // samples fitted
    std::vector<double> Coefficients, HalfWidths;
    double ResidualDeviation = 0.0; // √(Σ residual² / (n − p))

    double ValueAt(double time) const;
};

// Fails (Ok false) where the range holds no more samples than parameters, fewer distinct times
// than parameters, or a value that is not a number.
PolynomialFit FitPolynomial(std::span<const double> times, std::span<const double> values,
                            double from, double to, int degree);

// The result in lines for the fit window: the model, each coefficient as value ± 95 % interval
// with its unit (that of the values, `unit`, per second to its power), the residual spread and
// the samples fitted.
std::vector<Message> PolynomialFitLines(const PolynomialFit& fit, const std::string& unit);

// The chart's short label: the model with its coefficients written in, as the window rounds
// them ("직선 맞춤: y = 0.012 − 9.81·t"), or the reason no fit was made.
Message PolynomialFitLabel(const PolynomialFit& fit);
