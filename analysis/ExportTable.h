#pragma once

#include "analysis/ShownCurves.h"
#include "files/SpreadsheetCsv.h"

#include <vector>

// A column of a table of the run: a title in words with its unit, its values, and the decimals
// it is written with.
struct TableColumn {
    Message Title;
    std::vector<double> Values;
    int Decimals = 6;
};

// The table's columns of curves: the time of the first curve, every curve that holds points,
// and what follows from them — the vector sum where the X, Y and Z accelerations are among them,
// the travelled distance beside a velocity (integrated as the distance box does).
std::vector<TableColumn> CurveColumns(const std::vector<ShownCurve>& curves, bool inMs2);

// The spreadsheet columns of what a page shows: its curves' columns, titled in Korean.
std::vector<ExportColumn> ExportColumns(const std::vector<ShownCurve>& curves, bool inMs2);
