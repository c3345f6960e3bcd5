#include "engine/PendulumSource.h"

#include "engine/LiveState.h"

#include <algorithm>

PendulumSource PendulumSourceOf(const Recording& recording, PendulumAxis observed) {
    if (!recording.Loaded) return {AxisIndex(recording.Conditions.PendAxis), 0, {}};
    const int axis = AxisIndex(observed);
    if (recording.HasAxis[axis]) return {axis, axis, {}};
    return {axis, axis, Message(MessageId::AxisNotRecorded, {std::string(1, AxisLetter(axis))})};
}

RecordedAxisReader::RecordedAxisReader(const Recording& recording, int axis, int count)
    : Recorded(recording), Axis(axis),
      Samples(std::clamp(count, 0, static_cast<int>(recording.LogCount))) {}

double RecordedAxisReader::YAt(int index) const {
    return FilteredG(Recorded, Axis, static_cast<std::uint32_t>(index));
}

double RecordedAxisReader::LargestX() const {
    return Samples > 0 ? SampleTime(static_cast<std::uint32_t>(Samples - 1)) : 0.0;
}
