#pragma once

#include <vector>

// What the period measurement needs to know about the samples in view before it looks for
// turning points.
struct ViewShape {
    double Range = 0; // from the 5 % to the 95 % point of the values: one spike cannot stretch it
    double Noise = 0; // standard deviation of the noise on each sample
    int Period = 0;   // samples per cycle of the strongest oscillation; 0 when none stands out
};

ViewShape MeasureViewShape(const std::vector<double>& samples);

// The value below which the share `fraction` of the values lies (one of them).
double Quantile(std::vector<double> values, double fraction);

// The span from the 5 % to the 95 % point of the values.
double Spread(std::vector<double> values);

// Centred moving average over `width` samples (odd): value j belongs to sample j + width / 2.
std::vector<double> MovingAverage(const std::vector<double>& samples, int width);

// A turning point: its extreme sample, and the samples on either side by which the curve had
// come from, and gone to, at least the margin away from the extreme.
struct Turn {
    int Extreme;
    int Before;
    int After;
    bool Peak;
};

// A turn counts once the curve has moved the margin away from the running extreme, so noise
// near the flat top of a swing makes none; the extreme sample itself is the turning point
// (the first of equal ones). The view cuts the swings at its ends: there the curve need only
// have come from, or gone on to, `endMargin` away, and as the box has always required, head
// for the first turn over its first three samples and leave the last for two more, so that a
// clean curve keeps the turns it shows at its ends.
std::vector<Turn> FindTurns(const std::vector<double>& curve, double margin, double endMargin);

// The time of a turn in samples, halfway between where the curve crosses the level `margin`
// inside the extreme on its way in and on its way out. The curve is steep there, so noise
// moves these crossings far less than it moves the flat extreme itself.
double TurnCentre(const std::vector<double>& curve, const Turn& turn, double margin);

// Whether every spacing of the turn times lies within half the median spacing of it: a turn
// missed or made up breaks that.
bool EvenlySpaced(const std::vector<double>& times);

// The noise left in a curve that repeats every `period` samples: its difference from itself
// one period later holds twice the noise's variance and nothing of the swing.
double FoldedNoise(const std::vector<double>& curve, double period);
