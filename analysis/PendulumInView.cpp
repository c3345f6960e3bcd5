#include "analysis/PendulumInView.h"

#include "engine/LiveState.h"

#include <algorithm>

PendulumInView PendulumSamplesBetween(const Recording& recording, const PendulumSource& source,
                                      std::uint32_t count, double from, double to) {
    PendulumInView samples;
    samples.Absolute = HoldsAbsoluteValues(recording);
    if (recording.Loaded && recording.Conditions.Known)
        samples.DrawnOffset = -ZeroOffset(recording.Conditions, source.Axis);
    const int others[] = {(source.Axis + 1) % 3, (source.Axis + 2) % 3};
    count = std::min(count, recording.LogCount);
    double time = 0.0;
    for (std::uint32_t i = 0; i < count && time <= to; ++i, time += SamplePeriod) {
        if (time < from) continue;
        if (samples.Times.empty()) samples.FirstFiltered = FilteredG(recording, source.Axis, i);
        samples.Times.push_back(time);
        samples.Observed.push_back(UnfilteredG(recording, source.Axis, i));
        for (int k = 0; k < 2; ++k)
            if (recording.HasAxis[others[k]])
                samples.Others[k].push_back(UnfilteredG(recording, others[k], i));
    }
    return samples;
}
