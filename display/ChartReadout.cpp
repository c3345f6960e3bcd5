#include "display/ChartReadout.h"

#include "display/QtText.h"
#include "display/ShownText.h"

#include <QLabel>
#include <algorithm>

namespace {

// Offsets from the pointer: the time label above the value label, both up and to the right.
// Labels taller than the form's (projector type) move up by what they have more.
constexpr int LabelLeft = 7;
constexpr int FormLabelHeight = 16;
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
}

void ChartReadout::Show(QPoint pixel, const std::optional<CursorReadout>& readout) {
    if (!readout) return;
    const QColor colour = ColourOf(readout->Colour);
    SetLabel(TimeLabel, Text(readout->TimeText), colour);
    SetLabel(ValueLabel, ShownText(readout->ValueText), colour);
    const int valueTop = ValueLabelTop - std::max(0, ValueLabel->height() - FormLabelHeight);
    const int timeTop = valueTop - std::max(FormLabelHeight, TimeLabel->height());
    // Left of the pointer where the labels would run past the chart's right edge.
    const int width = std::max(TimeLabel->width(), ValueLabel->width());
    const QWidget* chart = ValueLabel->parentWidget();
    const bool flip = chart != nullptr && pixel.x() + LabelLeft + width > chart->width() &&
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
