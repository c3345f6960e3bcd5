#pragma once

#include "engine/MeasurementView.h"

#include <functional>

class ChartSet;
class QPlainTextEdit;
class QWidget;
class ValueBoxes;

// Where the measurement core's points, values and lines appear: the charts, the value boxes,
// the three-axis box it reveals and the message area, in the language shown. What the end of a
// run means is the window's.
class MeasurementScreen final : public MeasurementView {
public:
    MeasurementScreen(ChartSet& charts, ValueBoxes& boxes, QWidget* threeAxisBox,
                      QPlainTextEdit* messages, std::function<void()> runEnded);

    void AppendPoint(Chart chart, int series, double x, double y) override;
    void ReplaceSeries(Chart chart, int series, std::span<const double> x,
                       std::span<const double> y) override;
    void ClearSeries(Chart chart, int series) override;
    int PointCount(Chart chart, int series) const override;
    void ShowBox(Box box, const std::string& text) override;
    void ShowThreeAxisBox() override;
    void RunEnded() override;
    void AppendMessage(const Message& message) override;

private:
    ChartSet& Charts;
    ValueBoxes& Boxes;
    QWidget* ThreeAxisBox;
    QPlainTextEdit* Messages;
    std::function<void()> Ended;
};
