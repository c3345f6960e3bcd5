#pragma once

#include "engine/Pendulum.h"
#include "engine/Recording.h"

#include <string>

// What the pendulum page measures: the axis it observes, as the recording holds it. A run
// plots the axis it observed in the chart's first series; a loaded log draws each of its
// axes in a series of its own and is measured on the axis the page observes now.
struct PendulumSource {
    int Axis = 1;
    int Series = 0;                 // the drawn series that shows it
    std::optional<Message> Missing; // why the recording cannot be measured
};

PendulumSource PendulumSourceOf(const Recording& recording, PendulumAxis observed);

// The axis as the period measurement reads it: after the filter, as plotted, over the first
// `count` samples.
class RecordedAxisReader : public SeriesReader {
public:
    RecordedAxisReader(const Recording& recording, int axis, int count);

    int Count() const override { return Samples; }
    double YAt(int index) const override;
    double LargestX() const override;

private:
    const Recording& Recorded;
    int Axis;
    int Samples;
};
