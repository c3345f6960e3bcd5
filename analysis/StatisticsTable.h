#pragma once

#include "analysis/MeanAcceleration.h"
#include "analysis/ShownCurves.h"

#include <functional>
#include <string>
#include <vector>

using MessageTable = std::vector<std::vector<Message>>;
using TextTable = std::vector<std::vector<std::string>>;

// The statistics of every curve over the closed time range [from, to] as messages: a title row,
// then one row per quantity with a column per curve. Beside a velocity also Δv and the run's
// mean acceleration over the range with its 95 % interval. Last the area under each curve
// over the range with its unit (AreaBetween). A curve without samples in the range, or a
// quantity that needs more of them, leaves its cells empty.
MessageTable RangeStatisticsTable(const std::vector<ShownCurve>& curves, double from, double to,
                                  const MeanAcceleration& meanAcceleration = {});

// The table with each cell as `text` gives it.
TextTable TextOf(const MessageTable& table, const std::function<std::string(const Message&)>& text);

// Tab-separated lines, as a spreadsheet pastes them into cells.
std::string TabSeparated(const TextTable& table);
