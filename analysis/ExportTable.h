#pragma once

#include "analysis/ShownCurves.h"
#include "files/SpreadsheetCsv.h"

#include <vector>

// The spreadsheet columns of what a page shows: the time of its first curve, every curve
// that holds points, and what follows from them — the vector sum where the acceleration page
// shows three axes, the travelled distance beside a velocity (integrated as the distance box
// does).
std::vector<ExportColumn> ExportColumns(const std::vector<ShownCurve>& curves, bool inMs2);
