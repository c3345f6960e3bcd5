#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <QPoint>
#include <qcustomplot.h>

class QRubberBand;

// The mouse gestures of one chart: a left drag towards the lower right zooms into the
// dragged rectangle, a left drag towards the upper left or a double click returns the axes
// to their home ranges (the ranges the program set last), a right drag scrolls. Only these
// user-made changes are announced, after the new ranges are in effect. A left drag with Shift
// held, or the next one after ArmTimeRange, marks a time range instead of zooming; a right
// click that does not move asks for the chart's menu.
class ChartGestures : public QObject {
    Q_OBJECT
public:
    ChartGestures(QCustomPlot* plot, QList<QCPAxis*> axes, bool scrollVertically);

    void SetHome(QCPAxis* axis, const QCPRange& range) { Homes.insert(axis, range); }
    QCPRange Home(QCPAxis* axis) const { return Homes.value(axis); }
    void ArmTimeRange() { TimeRangeArmed = true; }

signals:
    void RangeChangedByUser();
    // A time-range drag, in bottom-axis values: where it started and where it is now.
    void TimeRangeDragged(double start, double current, bool finished);
    void MenuRequested(QPoint pixel);

private:
    void Press(QMouseEvent* event);
    void Move(QMouseEvent* event);
    void Release(QMouseEvent* event);
    void DoubleClick(QMouseEvent* event);
    void MarkTimeRange(QPoint position, bool finished);
    void ReturnHome();

    QCustomPlot* Plot;
    QList<QCPAxis*> Axes;
    bool ScrollVertically;
    QHash<QCPAxis*, QCPRange> Homes;
    QRubberBand* Band;
    Qt::MouseButton DragButton = Qt::NoButton;
    QPoint DragStart;
    QPoint LastPosition;
    bool MarkingTimeRange = false;
    bool TimeRangeArmed = false;
    bool Scrolling = false;
};
