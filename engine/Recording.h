#pragma once

#include "engine/MeasurementView.h"

#include <cstdint>
#include <string>

constexpr std::uint32_t LogCapacity = 9050;

// What shaped a run's numbers, kept with its samples so that the run can be analysed again:
// the page it ran on, how the pendulum was observed, the zero offsets taken at its start, the
// filter level, the length and mass typed, the unit and the device's range code.
struct RunConditions {
    bool Known = false; // a log saved without them (or read from another program) has none
    Page RunPage = Page::TabAccelo;
    PendulumAxis PendAxis = PendulumAxis::Y;
    bool PendByGravity = true;
    double OffsetX = 0.0, OffsetY = 0.0, OffsetZ = 0.0;
    int KalmanIndex = 0;
    std::string PendulumLength; // the length box's text, as typed
    double Mass = 0.0;
    int UnitIndex = 1;
    std::uint8_t RangeCode = 0;
    bool ThreeAxis = false;
    int TimeWindow = 0; // seconds; 0 where the file does not say
};

// The one recording of a run, or of a log loaded in its place, that the charts, the chart
// tools, the exports and the autosave read. Sample i belongs to time i × 0.02 s. Each axis is
// kept as the offset-corrected g value that is shown and saved (LogX, LogY, LogZ), and, for a
// run or a kept run, as the device's count before the filter (Raw…) and after it (Filtered…),
// after the direction reversal.
struct Recording {
    double LogX[LogCapacity] = {};
    double LogY[LogCapacity] = {};
    double LogZ[LogCapacity] = {};
    std::int16_t RawX[LogCapacity] = {}, RawY[LogCapacity] = {}, RawZ[LogCapacity] = {};
    std::int16_t FilteredX[LogCapacity] = {}, FilteredY[LogCapacity] = {},
                 FilteredZ[LogCapacity] = {};
    std::uint32_t LogCount = 0;
    bool Loaded = false;                  // read from a file rather than measured here
    bool HasCounts = false;               // the count arrays hold the samples' counts
    bool HasAxis[3] = {true, true, true}; // a log may hold X only
    RunConditions Conditions;
};

// Axes by index, in the order X, Y, Z (the order of PendulumAxis).
constexpr int AxisIndex(PendulumAxis axis) {
    return static_cast<int>(axis);
}
char AxisLetter(int axis);

// A count in g as the frame processing converts it: the Y axis converts the negated count.
double AxisCountToG(int axis, std::int16_t count, std::uint8_t rangeCode);

// The offset-corrected values of an axis (LogX, LogY or LogZ).
const double* CorrectedValues(const Recording& recording, int axis);
double* CorrectedValues(Recording& recording, int axis);
const std::int16_t* FilteredCounts(const Recording& recording, int axis);
std::int16_t* FilteredCounts(Recording& recording, int axis);
const std::int16_t* RawCounts(const Recording& recording, int axis);
std::int16_t* RawCounts(Recording& recording, int axis);
double ZeroOffset(const RunConditions& conditions, int axis);

// The chart time of sample i: the sample period added i times, as a run advances its chart
// time and a load its rows' times, so that it equals the drawn point's time exactly.
double SampleTime(std::uint32_t i);

// Whether the values read below are as the sensor gave them: with the counts, or with the
// offsets the corrected values were taken with.
bool HoldsAbsoluteValues(const Recording& recording);

// Sample i of an axis after the filter, before the zero offset: what the pendulum page plots.
// Without counts, the corrected value with the run's offset added back where it is known.
double FilteredG(const Recording& recording, int axis, std::uint32_t i);

// Sample i of an axis as the sensor sent it, before the filter and the zero offset; where the
// recording has no counts, the filtered value.
double UnfilteredG(const Recording& recording, int axis, std::uint32_t i);

// Sets every corrected value to 0.0; LogCount, the counts and the conditions stay.
void ClearLogBuffer(Recording& recording);
