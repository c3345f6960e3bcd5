#pragma once

#include "engine/PendulumSource.h"

#include <vector>

// The recorded samples of a pendulum between two times, as the fit reads them: the observed
// axis and the other two before the filter, in g.
struct PendulumInView {
    std::vector<double> Times, Observed;
    std::vector<double> Others[2]; // empty where the recording lacks the axis
    double FirstFiltered = 0.0;    // the observed axis after the filter, at the first time
    bool Absolute = false;         // as the sensor read them, not zero-offset
    // Added to the observed values to give the drawn curve's: a loaded log draws its values
    // with the run's zero offset taken off.
    double DrawnOffset = 0.0;
};

// The first `count` samples of the source's axis whose times lie in [from, to].
PendulumInView PendulumSamplesBetween(const Recording& recording, const PendulumSource& source,
                                      std::uint32_t count, double from, double to);
