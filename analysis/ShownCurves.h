#pragma once

#include "engine/MeasurementView.h"

#include <string>
#include <vector>

// A curve a page shows, as drawn: accelerations and force in the unit the chart shows,
// velocity in m/s, tilt in degrees.
struct ShownCurve {
    ::Chart Chart = ::Chart::Acceleration;
    int Series = 0;
    Message Title; // in words, with its unit
    std::vector<double> Times{}, Values{};
};

struct CurveId {
    ::Chart Chart;
    int Series;
};

// The curves each page draws, in the order tables list them.
std::vector<CurveId> PageCurves(Page page);
// The charts those curves are drawn on, in the same order, each once.
std::vector<Chart> PageCharts(Page page);

// The title of a page's curve, e.g. "X 가속도 [m/s²]", "힘 [N]", "속도 [m/s]".
Message CurveTitle(Page page, CurveId curve, bool inMs2, char pendulumAxis);

bool IsVelocity(const ShownCurve& curve);
