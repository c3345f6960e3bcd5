#pragma once

#include "analysis/PendulumFit.h"

#include <span>
#include <utility>
#include <vector>

// The pendulum fit's curve of the observed axis as the chart draws that axis. The fit is of the
// samples as the sensor sent them; the chart shows them after the run's filter, which lags a
// swing by a few samples and trims its peaks. So where the run was filtered, the curve is
// passed through the same filter at the sample times, starting from what the filter showed at
// the first of them (`firstShown`, g), and lies on the curve drawn; otherwise it is drawn
// smooth, `step` seconds apart. Points are (seconds, g).
std::vector<std::pair<double, double>> DrawnFitCurve(const PendulumFit& fit,
                                                     std::span<const double> sampleTimes,
                                                     double firstShown, int kalmanIndex, int axis,
                                                     std::uint8_t rangeCode, double step);
