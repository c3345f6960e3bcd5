#pragma once

#include <QObject>

class QCheckBox;
class QCustomPlot;
class QLabel;

// The chart has no legend: while the three-axis box is ticked, a key beside it names X, Y and
// Z in the colours their curves are drawn in.
class ThreeAxisKey : public QObject {
    Q_OBJECT
public:
    ThreeAxisKey(QCheckBox* threeAxis, QCustomPlot* chart);

    // After the curves changed colour.
    void Refresh();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void UpdateVisibility();

    QCheckBox* Box;
    QCustomPlot* Chart;
    QLabel* Label;
};
