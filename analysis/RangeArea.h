#pragma once

#include <span>

// The area under a curve over the closed time range [from, to] by the trapezoid rule: the
// integral of the line the chart draws through the samples. Where an end of the range falls
// between two samples, the curve is interpolated there, so the area covers the marked time and
// not only the whole sample steps inside it (a constant force marked over 0.5 s gives its
// impulse exactly, wherever the marks lie). Before the first sample and after the last the
// curve is not extended. Times must ascend. NaN where fewer than two samples lie in the range,
// or they all share one time: a number there would be made up from the neighbours alone.
double AreaBetween(std::span<const double> times, std::span<const double> values, double from,
                   double to);
