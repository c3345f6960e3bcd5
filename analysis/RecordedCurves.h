#pragma once

#include "analysis/ShownCurves.h"
#include "engine/Recording.h"

#include <functional>

// How many points a drawn series holds: it shows the recording's first samples.
using DrawnPoints = std::function<int(CurveId)>;

// The curves a page shows, read from the recording as they are drawn: the accelerations and
// the force in the unit shown, the velocity integrated from the X acceleration as the run did,
// the tilt from the uncorrected axes, the pendulum's axis as plotted. A loaded log shows its
// axes on the acceleration chart of any page that has it.
std::vector<ShownCurve> RecordedCurves(const Recording& recording, Page page, int unitIndex,
                                       double mass, const DrawnPoints& drawn);
