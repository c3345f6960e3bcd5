#include "display/MeasurementScreen.h"

#include "display/ChartSet.h"
#include "display/ShownText.h"
#include "display/ValueBoxes.h"

#include <QPlainTextEdit>

MeasurementScreen::MeasurementScreen(ChartSet& charts, ValueBoxes& boxes, QWidget* threeAxisBox,
                                     QPlainTextEdit* messages, std::function<void()> runEnded)
    : Charts(charts), Boxes(boxes), ThreeAxisBox(threeAxisBox), Messages(messages),
      Ended(std::move(runEnded)) {}

void MeasurementScreen::AppendPoint(Chart chart, int series, double x, double y) {
    Charts.AppendPoint(chart, series, x, y);
}

void MeasurementScreen::ReplaceSeries(Chart chart, int series, std::span<const double> x,
                                      std::span<const double> y) {
    Charts.ReplaceSeries(chart, series, x, y);
}

void MeasurementScreen::ClearSeries(Chart chart, int series) {
    Charts.ClearSeries(chart, series);
}

int MeasurementScreen::PointCount(Chart chart, int series) const {
    return Charts.PointCount(chart, series);
}

void MeasurementScreen::ShowBox(Box box, const std::string& text) {
    Boxes.Show(box, text);
}

void MeasurementScreen::ShowThreeAxisBox() {
    if (ThreeAxisBox->isHidden()) ThreeAxisBox->show();
}

void MeasurementScreen::RunEnded() {
    Ended();
}

void MeasurementScreen::AppendMessage(const Message& message) {
    Messages->appendPlainText(ShownText(message));
}
