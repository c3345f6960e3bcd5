#pragma once

#include <vector>

// What the period measurement needs to know about the samples in view before it looks for
// turning points.
struct ViewShape {
    double Range = 0; // from the 5 % to the 95 % point of the values: one spike cannot stretch it
    double Noise = 0; // standard deviation of the noise on each sample
};

ViewShape MeasureViewShape(const std::vector<double>& samples);

// The span from the 5 % to the 95 % point of the values.
double Spread(std::vector<double> values);

// A turning point: its extreme sample.
struct Turn {
    int Extreme;
    bool Peak;
};

// A turn counts once the curve has moved the margin away from the running extreme, so noise
// near the flat top of a swing makes none; the extreme sample itself is the turning point
// (the first of equal ones). The view cuts the swings at its ends: there the curve need only
// have come from, or gone on to, `endMargin` away, and as the box has always required, head
// for the first turn over its first three samples and leave the last for two more, so that a
// clean curve keeps the turns it shows at its ends.
std::vector<Turn> FindTurns(const std::vector<double>& curve, double margin, double endMargin);

// Whether every spacing of the turn times lies within half the median spacing of it: a turn
// missed or made up breaks that.
bool EvenlySpaced(const std::vector<double>& times);
