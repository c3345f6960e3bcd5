#include "display/ChartReadout.h"

#include "display/QtText.h"
#include "display/ShownText.h"

#include <QLabel>

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

void ShowLabel(QLabel* label, QPoint topLeft, const QString& text, const QColor& colour) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Window, Qt::white);
    label->setPalette(palette);
    label->setText(text);
    label->adjustSize();
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
    ShowLabel(TimeLabel, pixel + QPoint(LabelLeft, TimeLabelTop), Text(readout->TimeText), colour);
    ShowLabel(ValueLabel, pixel + QPoint(LabelLeft, ValueLabelTop), ShownText(readout->ValueText),
              colour);
}

void ChartReadout::Hide() {
    TimeLabel->hide();
    ValueLabel->hide();
}
