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
// user-made changes are announced, after the new ranges are in effect. A press and release
// of any button that stays within a few pixels is a click, not a drag: it changes no range
// and is announced with the place of the press; a right click also asks for the chart's menu.
// A left drag with Shift held, or the next one after ArmTimeRange, marks a time range instead
// of zooming.
class ChartGestures : public QObject {
    Q_OBJECT
public:
    ChartGestures(QCustomPlot* plot, QList<QCPAxis*> axes, bool scrollVertically);

    void SetHome(QCPAxis* axis, const QCPRange& range) { Homes.insert(axis, range); }
    QCPRange Home(QCPAxis* axis) const { return Homes.value(axis); }
    void ArmTimeRange() { TimeRangeArmed = true; }

signals:
    void RangeChangedByUser();
    void Clicked(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pixel);
    void MenuRequested(QPoint pixel);
    // A time-range drag, in bottom-axis values: where it started and where it is now.
    void TimeRangeDragged(double start, double current, bool finished);

private:
    void Press(QMouseEvent* event);
    void Move(QMouseEvent* event);
    void Release(QMouseEvent* event);
    void DoubleClick(QMouseEvent* event);
    void ReturnHome();
    void MarkTimeRange(QPoint position, bool finished);

    QCustomPlot* Plot;
    QList<QCPAxis*> Axes;
    bool ScrollVertically;
    QHash<QCPAxis*, QCPRange> Homes;
    QRubberBand* Band;
    Qt::MouseButton DragButton = Qt::NoButton;
    QPoint DragStart;
    QPoint LastPosition;
    bool Scrolling = false;
    Qt::MouseButton ClickButton = Qt::NoButton;
    Qt::KeyboardModifiers ClickModifiers;
    QPoint ClickStart;
    bool ClickCancelled = false;
    bool MarkingTimeRange = false;
    bool TimeRangeArmed = false;
};
