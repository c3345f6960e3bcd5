#pragma once

#include "engine/MeasurementView.h"
#include "files/SpreadsheetCsv.h"

#include <vector>

// The curves a page shows, as drawn: accelerations and force in the unit the chart shows.
struct ShownRun {
    Page ShownPage = Page::TabAccelo;
    bool InMs2 = true;
    char PendulumAxis = 'Y';
    std::vector<double> Time{}; // seconds, of the page's first curve
    // The acceleration chart's four series; on the pendulum page X holds the observed axis.
    std::vector<double> X{}, Y{}, Z{}, Force{};
    std::vector<double> Velocity{}; // m/s
    std::vector<double> Angle{};    // degrees
};

// The spreadsheet columns of a page: time, the curves shown, and what follows from them —
// the vector sum of three axes on the acceleration page, the travelled distance on the
// velocity page (integrated as the distance box does). Empty curves give no column.
std::vector<ExportColumn> ExportColumns(const ShownRun& run);
