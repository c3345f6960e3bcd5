#pragma once

#include "engine/Recording.h"

// The mean X acceleration of a velocity-page run between two times, in m/s², with a 95 %
// interval (twice its standard error) that holds. Two things make it uncertain: the samples'
// own noise, which averages out over the range, and the zero offset Start took from one
// filtered sample (its noise, and its rounding to a thousandth of a g), which shifts every
// sample alike and does not. The velocity the page integrates is no help here: its points
// are sums of the same noisy samples, so a line through them claims a precision it has not.
struct MeanAcceleration {
    bool Valid = false; // two samples in the range at least
    double Mean = 0.0;
    double Interval = 0.0;
};

// Over the first `count` samples, those whose times lie in [from, to].
MeanAcceleration EstimateMeanAcceleration(const Recording& recording, std::uint32_t count,
                                          double from, double to);
