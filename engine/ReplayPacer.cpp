#include "engine/ReplayPacer.h"

#include "engine/LiveState.h"

#include <algorithm>
#include <cmath>

namespace {

// Sums of timer intervals land a hair below a whole period; they count as reaching it.
constexpr double PeriodTolerance = 1e-6;

} // namespace

std::uint32_t ReplayPacer::Advance(double seconds) {
    if (Paused || Finished()) return 0;
    Position += seconds * Speed / SamplePeriod;
    const double due = std::floor(Position + PeriodTolerance) + 1.0;
    return HandOn(static_cast<std::uint32_t>(std::min(due, static_cast<double>(Samples))));
}

std::uint32_t ReplayPacer::Step() {
    if (!Paused || Finished()) return 0;
    Position = Handed; // the next sample's own time: playing on, the one after is a period away
    return HandOn(Handed + 1);
}

std::uint32_t ReplayPacer::HandOn(std::uint32_t due) {
    if (due <= Handed) return 0;
    const std::uint32_t count = due - Handed;
    Handed = due;
    return count;
}
