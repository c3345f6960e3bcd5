#include "engine/Kvdkalman.h"

#include <cmath>
#include <limits>

void KalmanInit(KalmanFilter& filter, float r, float q) {
    filter.R = r;
    filter.Q = q;
    filter.Drift = 1.0f;
    filter.XPred = 0.0f;
    filter.PPred = 0.0f;
    filter.P = 0.0f;
    filter.K = 1.0f;
}

float KalmanStep(KalmanFilter& filter, float z) {
    filter.Z = z;
    filter.XPred = filter.X + filter.Drift;
    filter.PPred = filter.P + filter.Q;
    filter.K = filter.PPred / (filter.PPred + filter.R);
    filter.X = filter.XPred + (filter.Z - filter.XPred) * filter.K;
    filter.P = (1.0f - filter.K) * filter.PPred;
    return filter.XPred;
}

std::int16_t FilterCount(KalmanFilter& filter, double bias, std::int16_t count) {
    const double value = static_cast<double>(KalmanStep(filter, static_cast<float>(count))) - bias;
    if (std::isnan(value)) return 0;
    if (value >= std::numeric_limits<std::int16_t>::max()) return INT16_MAX;
    if (value <= std::numeric_limits<std::int16_t>::min()) return INT16_MIN;
    return static_cast<std::int16_t>(value);
}

KalmanLevel KalmanLevelFor(int index) {
    static constexpr KalmanLevel Levels[KalmanLevelCount] = {
        {0.0f, 0.0},    {6.0f, 3.0},    {12.0f, 4.0},    {20.0f, 5.0},
        {380.0f, 20.0}, {600.0f, 25.0}, {9900.0f, 100.0}};
    if (index < 0 || index >= KalmanLevelCount) return Levels[0];
    return Levels[index];
}
