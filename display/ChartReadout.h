#pragma once

#include "engine/CursorReadout.h"

#include <QPoint>
#include <optional>

class QLabel;

// The two readout labels inside the acceleration chart: the time above the value, beside
// the place clicked, in the colour of the axis read.
class ChartReadout {
public:
    ChartReadout(QLabel* timeLabel, QLabel* valueLabel);

    // Places and shows the readout for a click at `pixel`; without a readout (a click at or
    // left of the time origin) the labels stay as they are.
    void Show(QPoint pixel, const std::optional<CursorReadout>& readout);
    void Hide();

private:
    QLabel* TimeLabel;
    QLabel* ValueLabel;
    int FormLineHeight; // of the labels' own type, before any enlargement
};
