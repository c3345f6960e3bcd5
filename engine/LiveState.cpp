#include "engine/LiveState.h"

#include <algorithm>
#include <iterator>

void ApplyKalmanLevel(LiveState& state, int index) {
    const KalmanLevel level = KalmanLevelFor(index);
    KalmanInit(state.KalmanX, level.R, 1.0f);
    KalmanInit(state.KalmanY, level.R, 1.0f);
    KalmanInit(state.KalmanZ, level.R, 1.0f);
    state.KalmanBias = level.Bias;
}

void ClearLogBuffer(LiveState& state) {
    std::fill(std::begin(state.LogX), std::end(state.LogX), 0.0);
    std::fill(std::begin(state.LogY), std::end(state.LogY), 0.0);
    std::fill(std::begin(state.LogZ), std::end(state.LogZ), 0.0);
}

void RecordSample(LiveState& state) {
    if (state.LogCount >= LogCapacity) return;
    state.LogX[state.LogCount] = state.GXCor;
    state.LogY[state.LogCount] = state.GYCor;
    state.LogZ[state.LogCount] = state.GZCor;
    ++state.LogCount;
}
