#pragma once

#include "analysis/ExportTable.h"
#include "engine/Recording.h"

#include <vector>

// The columns of the data table: every sample the recording holds, with its time, each axis it
// holds in the unit shown, and what the page derives from them as its charts do — force and
// vector sum on the acceleration page, velocity and distance on the velocity page, the tilt on
// the tilt page, the observed axis as plotted on the pendulum page. Empty without samples.
std::vector<TableColumn> RunTableColumns(const Recording& recording, Page page, int unitIndex,
                                         double mass);
