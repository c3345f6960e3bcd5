#include "sim/Tumble.h"

#include <algorithm>
#include <cmath>
#include <numbers>

AxisG TumbleAt(double time) {
    constexpr double Turning = 0.5, Holding = 0.5; // seconds
    constexpr double Quarter = Turning + Holding;
    const double cycle = std::fmod(time, 8 * Quarter);
    const int quarter = static_cast<int>(cycle / Quarter);
    const double progress = std::min((cycle - quarter * Quarter) / Turning, 1.0);
    const double eased = progress * progress * (3.0 - 2.0 * progress);
    const double angle = std::numbers::pi / 2 * (quarter % 4 + eased);
    if (quarter < 4) return {-std::sin(angle), std::cos(angle), 0.0};
    return {0.0, std::cos(angle), std::sin(angle)};
}
