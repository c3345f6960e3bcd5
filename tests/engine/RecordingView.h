#pragma once

#include "engine/MeasurementView.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

// A measurement view that keeps everything the core shows: the chart points per (chart,
// series), the latest text and the number of writes of every box, and the message lines.
class RecordingView final : public MeasurementView {
public:
    struct Point {
        double X, Y;
    };
    using SeriesKey = std::pair<int, int>;

    void AppendPoint(int chart, int series, double x, double y) override {
        Points[{chart, series}].push_back({x, y});
    }
    void ClearSeries(int chart, int series) override { Points.erase({chart, series}); }
    int PointCount(int chart, int series) const override {
        const auto found = Points.find({chart, series});
        return found == Points.end() ? 0 : static_cast<int>(found->second.size());
    }
    void ShowBox(Box box, const std::string& text) override {
        Boxes[box] = text;
        ++BoxWrites[box];
    }
    void ShowThreeAxisBox() override { ThreeAxisBoxShown = true; }
    void RunEnded() override { ++RunsEnded; }
    void AppendMessage(const std::string& line) override { Messages.push_back(line); }

    std::map<SeriesKey, std::vector<Point>> Points;
    std::map<Box, std::string> Boxes;
    std::map<Box, int> BoxWrites;
    std::vector<std::string> Messages;
    bool ThreeAxisBoxShown = false;
    int RunsEnded = 0;
};
