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
    std::string Unit{}; // as CurveUnit gives it; empty where not known
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

// The unit a page's curve is drawn in: "m/s²" or "g" for an acceleration, "N" or "kgf" for the
// force, "m/s" for the velocity, "°" for the tilt.
std::string CurveUnit(CurveId curve, bool inMs2);

// The unit of the area under a curve of that unit, a value times seconds: N·s beside a force
// (the impulse), m/s beside an acceleration in m/s² (Δv), m beside a velocity, deg·s beside a
// tilt.
std::string AreaUnit(const std::string& unit);

// The unit of a value per second to the power, "m/s" → "m/s²": a fitted slope or curvature.
std::string PerSecondUnit(const std::string& unit, int power);
