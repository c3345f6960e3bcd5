#include "engine/Recording.h"

#include "device/Frame.h"
#include "engine/LiveState.h"

#include <algorithm>
#include <utility>

char AxisLetter(int axis) {
    return "XYZ"[std::clamp(axis, 0, 2)];
}

double AxisCountToG(int axis, std::int16_t count, std::uint8_t rangeCode) {
    return CountToG(axis == 1 ? Negate16(count) : count, rangeCode);
}

const double* CorrectedValues(const Recording& recording, int axis) {
    const double* const axes[] = {recording.LogX, recording.LogY, recording.LogZ};
    return axes[std::clamp(axis, 0, 2)];
}

double* CorrectedValues(Recording& recording, int axis) {
    return const_cast<double*>(CorrectedValues(std::as_const(recording), axis));
}

const std::int16_t* FilteredCounts(const Recording& recording, int axis) {
    const std::int16_t* const axes[] = {recording.FilteredX, recording.FilteredY,
                                        recording.FilteredZ};
    return axes[std::clamp(axis, 0, 2)];
}

const std::int16_t* RawCounts(const Recording& recording, int axis) {
    const std::int16_t* const axes[] = {recording.RawX, recording.RawY, recording.RawZ};
    return axes[std::clamp(axis, 0, 2)];
}

std::int16_t* FilteredCounts(Recording& recording, int axis) {
    return const_cast<std::int16_t*>(FilteredCounts(std::as_const(recording), axis));
}

std::int16_t* RawCounts(Recording& recording, int axis) {
    return const_cast<std::int16_t*>(RawCounts(std::as_const(recording), axis));
}

double ZeroOffset(const RunConditions& conditions, int axis) {
    const double offsets[] = {conditions.OffsetX, conditions.OffsetY, conditions.OffsetZ};
    return offsets[std::clamp(axis, 0, 2)];
}

double SampleTime(std::uint32_t i) {
    double time = 0.0;
    for (std::uint32_t k = 0; k < i; ++k)
        time += SamplePeriod;
    return time;
}

bool HoldsAbsoluteValues(const Recording& recording) {
    return recording.HasCounts || recording.Conditions.Known;
}

double FilteredG(const Recording& recording, int axis, std::uint32_t i) {
    if (recording.HasCounts)
        return AxisCountToG(axis, FilteredCounts(recording, axis)[i],
                            recording.Conditions.RangeCode);
    const double corrected = CorrectedValues(recording, axis)[i];
    return recording.Conditions.Known ? corrected + ZeroOffset(recording.Conditions, axis)
                                      : corrected;
}

double UnfilteredG(const Recording& recording, int axis, std::uint32_t i) {
    if (!recording.HasCounts) return FilteredG(recording, axis, i);
    return AxisCountToG(axis, RawCounts(recording, axis)[i], recording.Conditions.RangeCode);
}

void ClearLogBuffer(Recording& recording) {
    for (double* values : {recording.LogX, recording.LogY, recording.LogZ})
        std::fill(values, values + LogCapacity, 0.0);
}
