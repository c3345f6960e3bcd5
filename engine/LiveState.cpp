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

void TakeRangeCode(LiveState& state, std::uint8_t rangeCode) {
    state.RangeCode = rangeCode;
    state.DisplayDecimals = rangeCode == 1 ? 3 : 2;
}

void StartRecording(LiveState& state) {
    Recording& recording = state.Recorded;
    ClearLogBuffer(recording);
    recording.LogCount = 0;
    recording.Loaded = false;
    recording.HasCounts = true;
    std::fill(std::begin(recording.HasAxis), std::end(recording.HasAxis), true);
    recording.Conditions = RunConditions{};
    recording.Conditions.Known = true;
    recording.Conditions.RangeCode = state.RangeCode;
}

void RecordSample(LiveState& state) {
    Recording& recording = state.Recorded;
    const std::uint32_t i = recording.LogCount;
    if (i >= LogCapacity) return;
    recording.LogX[i] = state.GXCor;
    recording.LogY[i] = state.GYCor;
    recording.LogZ[i] = state.GZCor;
    recording.RawX[i] = state.RawCountX;
    recording.RawY[i] = state.RawCountY;
    recording.RawZ[i] = state.RawCountZ;
    recording.FilteredX[i] = state.CountX;
    recording.FilteredY[i] = state.CountY;
    recording.FilteredZ[i] = state.CountZ;
    recording.LogCount = i + 1;
}
