#include "analysis/DrawnFit.h"

#include "device/Frame.h"
#include "engine/Kvdkalman.h"

#include <cmath>

namespace {

// A filter of the level whose gain has settled and whose next output is `count`. Its state is
// that one number: it holds the run's filter as it was.
KalmanFilter SettledFilter(int kalmanIndex, double count) {
    const KalmanLevel level = KalmanLevelFor(kalmanIndex);
    KalmanFilter filter;
    KalmanInit(filter, level.R, 1.0f);
    const double predicted = (1.0 + std::sqrt(1.0 + 4.0 * level.R)) / 2.0; // with Q = 1
    const double gain = predicted / (predicted + level.R);
    filter.P = static_cast<float>((1.0 - gain) * predicted);
    filter.X = static_cast<float>(count + level.Bias - filter.Drift);
    return filter;
}

} // namespace

std::vector<std::pair<double, double>> DrawnFitCurve(const PendulumFit& fit,
                                                     std::span<const double> sampleTimes,
                                                     double firstShown, int kalmanIndex, int axis,
                                                     std::uint8_t rangeCode, double step) {
    std::vector<std::pair<double, double>> points;
    if (!fit.Ok || sampleTimes.empty()) return points;
    if (kalmanIndex == 0) {
        for (double t = sampleTimes.front(); t <= sampleTimes.back(); t += step)
            points.emplace_back(t, fit.ObservedAt(t));
        return points;
    }
    // The filter works on counts; the Y axis converts the negated count.
    const double gPerCount = CountToG(axis == 1 ? -1 : 1, rangeCode);
    const double bias = KalmanLevelFor(kalmanIndex).Bias;
    KalmanFilter filter = SettledFilter(kalmanIndex, firstShown / gPerCount);
    for (const double t : sampleTimes) {
        const double count = fit.ObservedAt(t) / gPerCount;
        const double shown = KalmanStep(filter, static_cast<float>(count)) - bias;
        points.emplace_back(t, shown * gPerCount);
    }
    return points;
}
