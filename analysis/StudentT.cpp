#include "analysis/StudentT.h"

#include <cmath>
#include <limits>
#include <numbers>

namespace {

// P(|T| ≤ √ν·tan θ) by the finite series of the distribution for whole degrees of freedom
// (Abramowitz and Stegun 26.7.3 and 26.7.4).
double CentralProbability(double theta, int degrees) {
    const double c2 = std::cos(theta) * std::cos(theta);
    const bool odd = degrees % 2 == 1;
    double term = 1.0, sum = 1.0;
    for (int k = odd ? 3 : 2; k <= degrees - 2; k += 2) {
        term *= c2 * (k - 1.0) / k;
        sum += term;
    }
    if (!odd) return std::sin(theta) * sum;
    const double first = 2.0 * theta / std::numbers::pi;
    if (degrees == 1) return first;
    return first + 2.0 / std::numbers::pi * std::sin(theta) * std::cos(theta) * sum;
}

} // namespace

double StudentT(double coverage, int degrees) {
    if (degrees < 1 || !(coverage > 0.0 && coverage < 1.0))
        return std::numeric_limits<double>::quiet_NaN();
    // The probability rises with θ from 0 to π/2: halve the interval to rounding.
    double low = 0.0, high = std::numbers::pi / 2;
    for (int i = 0; i < 60; ++i) {
        const double middle = (low + high) / 2;
        (CentralProbability(middle, degrees) < coverage ? low : high) = middle;
    }
    return std::sqrt(static_cast<double>(degrees)) * std::tan((low + high) / 2);
}
