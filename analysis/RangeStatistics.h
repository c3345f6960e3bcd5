#pragma once

#include <cstddef>
#include <span>

// The samples of a series whose times lie in a closed time range: indexes [First, End).
struct SampleRange {
    std::size_t First = 0;
    std::size_t End = 0;
};

// Times must ascend, as the charts keep them.
SampleRange SamplesBetween(std::span<const double> times, double from, double to);

// What a class reads off a stretch of one curve. Values that need more samples than the
// range holds (a spread from one sample) are NaN.
struct RangeStatistics {
    int Count = 0;
    double StartTime, EndTime, Duration;
    double FirstValue, LastValue; // for the change across the range, Δv on a velocity curve
    double Minimum, Maximum, Mean;
    double StandardDeviation; // of the samples, with n − 1
};

RangeStatistics ComputeRangeStatistics(std::span<const double> times,
                                       std::span<const double> values, double from, double to);
