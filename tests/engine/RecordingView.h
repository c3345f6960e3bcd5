#pragma once

#include "engine/MeasurementView.h"

#include <map>
#include <vector>

// A measurement view that keeps what the core shows: chart points, box texts, messages.
struct RecordingView final : MeasurementView {
    struct Point {
        double X, Y;
    };

    void AppendPoint(Chart chart, int series, double x, double y) override {
        Points[{chart, series}].push_back({x, y});
    }
    void ClearSeries(Chart chart, int series) override { Points.erase({chart, series}); }
    int PointCount(Chart chart, int series) const override {
        return Points.contains({chart, series}) ? int(Points.at({chart, series}).size()) : 0;
    }
    void ShowBox(Box box, const std::string& text) override { Boxes[box] = text; }
    void ShowThreeAxisBox() override {}
    void RunEnded() override {}
    void AppendMessage(const Message& message) override { Messages.push_back(KoreanText(message)); }

    std::map<std::pair<Chart, int>, std::vector<Point>> Points;
    std::map<Box, std::string> Boxes;
    std::vector<std::string> Messages;
};
