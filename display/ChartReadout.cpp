#include "display/ChartReadout.h"

#include "display/QtText.h"
#include "display/ShownText.h"

#include <QLabel>
#include <algorithm>

namespace {

// Offsets from the pointer: the time label above the value label, both up and to the right.
constexpr int LabelLeft = 7;
constexpr int TimeLabelTop = -26;
constexpr int ValueLabelTop = -10;

QColor ColourOf(ReadoutColour colour) {
    switch (colour) {
    case ReadoutColour::Red:
        return QColor(255, 0, 0);
    case ReadoutColour::Blue:
        return QColor(0, 0, 255);
    case ReadoutColour::Black:
        break;
    }
    return QColor(0, 0, 0);
}

void SetLabel(QLabel* label, const QString& text, const QColor& colour) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Window, Qt::white);
    label->setPalette(palette);
    label->setText(text);
    label->adjustSize();
}

void ShowLabelAt(QLabel* label, QPoint topLeft) {
    label->move(topLeft);
    label->raise();
    label->show();
}

} // namespace

ChartReadout::ChartReadout(QLabel* timeLabel, QLabel* valueLabel)
    : TimeLabel(timeLabel), ValueLabel(valueLabel) {
    for (QLabel* label : {TimeLabel, ValueLabel}) {
        label->setAutoFillBackground(true);
        QFont bold = label->font();
        bold.setBold(true);
        label->setFont(bold);
    }
    FormLineHeight = ValueLabel->fontMetrics().height();
}

void ChartReadout::Show(QPoint pixel, const std::optional<CursorReadout>& readout) {
    if (!readout) return;
    const QColor colour = ColourOf(readout->Colour);
    SetLabel(TimeLabel, Text(readout->TimeText), colour);
    SetLabel(ValueLabel, ShownText(readout->ValueText), colour);
    // Enlarged labels (projector type) move up by the height they gained, and go left of the
    // pointer where they would run past the chart's right edge.
    const int gained = std::max(0, ValueLabel->fontMetrics().height() - FormLineHeight);
    const int valueTop = ValueLabelTop - gained;
    const int timeTop = TimeLabelTop - 2 * gained;
    const int width = std::max(TimeLabel->width(), ValueLabel->width());
    const QWidget* chart = ValueLabel->parentWidget();
    const bool flip = gained > 0 && chart != nullptr &&
                      pixel.x() + LabelLeft + width > chart->width() &&
                      pixel.x() - LabelLeft - width >= 0;
    auto left = [&](const QLabel* label) {
        return flip ? pixel.x() - LabelLeft - label->width() : pixel.x() + LabelLeft;
    };
    ShowLabelAt(TimeLabel, QPoint(left(TimeLabel), pixel.y() + timeTop));
    ShowLabelAt(ValueLabel, QPoint(left(ValueLabel), pixel.y() + valueTop));
}

void ChartReadout::Hide() {
    TimeLabel->hide();
    ValueLabel->hide();
}
