#include "analysis/StatisticsTable.h"

#include "analysis/RangeArea.h"
#include "analysis/RangeStatistics.h"
#include "engine/NumberText.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

constexpr int TimeDecimals = 2;
constexpr int ValueDecimals = 4;

std::string Number(double value, int decimals) {
    return std::isfinite(value) ? FormatFixed(value, decimals, 17) : std::string();
}

} // namespace

MessageTable RangeStatisticsTable(const std::vector<ShownCurve>& curves, double from, double to,
                                  const MeanAcceleration& meanAcceleration) {
    struct Quantity {
        Message Title;
        std::function<std::string(const RangeStatistics&, const ShownCurve&)> Text;
    };
    auto time = [](double RangeStatistics::*field) {
        return [field](const RangeStatistics& s, const ShownCurve&) {
            return Number(s.*field, TimeDecimals);
        };
    };
    auto value = [](double RangeStatistics::*field) {
        return [field](const RangeStatistics& s, const ShownCurve&) {
            return Number(s.*field, ValueDecimals);
        };
    };
    auto acceleration = [&meanAcceleration](double MeanAcceleration::*field) {
        return [&meanAcceleration, field](const RangeStatistics&, const ShownCurve& c) {
            return IsVelocity(c) && meanAcceleration.Valid
                       ? Number(meanAcceleration.*field, ValueDecimals)
                       : std::string();
        };
    };
    std::vector<Quantity> quantities{
        {MessageId::PointCount,
         [](const RangeStatistics& s, const ShownCurve&) {
             return s.Count > 0 ? std::to_string(s.Count) : std::string();
         }},
        {MessageId::StartTime, time(&RangeStatistics::StartTime)},
        {MessageId::EndTime, time(&RangeStatistics::EndTime)},
        {"Δt [s]", time(&RangeStatistics::Duration)},
        {MessageId::Minimum, value(&RangeStatistics::Minimum)},
        {MessageId::Maximum, value(&RangeStatistics::Maximum)},
        {MessageId::Mean, value(&RangeStatistics::Mean)},
        {MessageId::StandardDeviation, value(&RangeStatistics::StandardDeviation)},
    };
    if (std::any_of(curves.begin(), curves.end(), IsVelocity)) {
        quantities.push_back({"Δv [m/s]", [](const RangeStatistics& s, const ShownCurve& c) {
                                  return IsVelocity(c)
                                             ? Number(s.LastValue - s.FirstValue, ValueDecimals)
                                             : std::string();
                              }});
        quantities.push_back({MessageId::MeanAcceleration, acceleration(&MeanAcceleration::Mean)});
        quantities.push_back(
            {MessageId::MeanAccelerationInterval, acceleration(&MeanAcceleration::Interval)});
    }
    // Its unit beside each area: the columns' units differ (N·s beside a force, m/s beside an
    // acceleration).
    quantities.push_back(
        {MessageId::AreaUnderCurve, [from, to](const RangeStatistics&, const ShownCurve& c) {
             const std::string area =
                 Number(AreaBetween(c.Times, c.Values, from, to), ValueDecimals);
             return area.empty() || c.Unit.empty() ? area : area + " " + AreaUnit(c.Unit);
         }});
    MessageTable table{{MessageId::RangeStatistics}};
    std::vector<RangeStatistics> statistics;
    for (const ShownCurve& curve : curves) {
        table[0].push_back(curve.Title);
        statistics.push_back(ComputeRangeStatistics(curve.Times, curve.Values, from, to));
    }
    for (const Quantity& quantity : quantities) {
        std::vector<Message> row{quantity.Title};
        for (std::size_t c = 0; c < curves.size(); ++c)
            row.push_back(quantity.Text(statistics[c], curves[c]));
        table.push_back(std::move(row));
    }
    return table;
}

TextTable TextOf(const MessageTable& table,
                 const std::function<std::string(const Message&)>& text) {
    TextTable texts;
    for (const auto& row : table) {
        texts.emplace_back();
        for (const Message& cell : row)
            texts.back().push_back(text(cell));
    }
    return texts;
}

std::string TabSeparated(const TextTable& table) {
    std::string text;
    for (const auto& row : table) {
        for (std::size_t c = 0; c < row.size(); ++c)
            text += (c > 0 ? "\t" : "") + row[c];
        text += '\n';
    }
    return text;
}
