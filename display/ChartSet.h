#pragma once

#include "engine/MeasurementView.h"

#include <QObject>
#include <QPointF>
#include <array>
#include <span>

class ChartGestures;
class QCPAxis;
class QCPGraph;
class QCPRange;
class QCustomPlot;
class RepaintClock;

// The three charts of the main window: the acceleration and force chart (Chart1, four
// series), the velocity chart (Chart2) and the tilt chart (Chart3). Charts are addressed by
// the ids of engine/MeasurementView.h (1..3) and series by index; an id, series or point
// index that does not exist throws std::out_of_range.
//
// Nothing repaints at once: a changed chart is redrawn on the next tick of the repaint clock,
// once however many changes arrived, so a run repaints 25 times a second whatever the sample
// rate. When only points changed, the chart is drawn anew only inside the strip where points
// were appended, its curves from the points near it, and of the screen only that strip is
// repainted; the chart as a whole is drawn again only after a change of a range, an axis, the
// unit or the size. Whatever changes with new points must therefore stay inside the plot area.
class ChartSet : public QObject {
    Q_OBJECT
public:
    ChartSet(QCustomPlot* chart1, QCustomPlot* chart2, QCustomPlot* chart3, RepaintClock& clock,
             QObject* parent = nullptr);

    void AppendPoint(Chart chart, int series, double x, double y);
    // Replaces all points of a series by (x[i], y[i]) for each i of y; x ascending and at
    // least as long as y.
    void ReplaceSeries(Chart chart, int series, std::span<const double> x,
                       std::span<const double> y);
    void ClearSeries(Chart chart, int series);
    int PointCount(Chart chart, int series) const;
    double YAt(Chart chart, int series, int index) const;
    // 0 for an empty series.
    double LargestX(Chart chart, int series) const;

    // Titles, the common range and the increments of Chart1's left and right axes: index 0
    // is the [g] row, any other the [m/s2] row.
    void SetUnit(int unitIndex);
    // The row Chart1's axes show: 0 for [g] (also the form's axes), 1 for [m/s2].
    int ShownUnit() const { return UnitShown; }
    // The bottom-axis maximum of all three charts; the minimum stays unless it is not below
    // the new maximum, in which case the axis goes back to its home minimum.
    void SetTimeWindow(int seconds);
    void SetLeftMinorGridVisible(bool visible);
    void SetRightAxisVisible(bool visible);

    // The bottom (time) axis as shown, also after zoom or scroll. Setting it follows the
    // other chart's zoom: it changes the view only, so undoing a zoom still returns to the
    // time window.
    double BottomMin(Chart chart) const;
    double BottomMax(Chart chart) const;
    void SetBottomRange(Chart chart, double min, double max);

    // The bottom- and left-axis values of Chart1 under a pixel of the chart widget.
    QPointF PixelToValues(int x, int y) const;

    // For tools drawn beside the series (overlays, ranges, fits) and for picture exports.
    QCustomPlot* Plot(Chart chart) const;
    ChartGestures* GesturesOf(Chart chart) const { return Gestures.at(IndexOf(chart)); }

signals:
    // A series lost its points (a new run, a load, a page change) or was drawn anew whole (a
    // load, a unit redraw); tools drawn beside it follow.
    void SeriesCleared(Chart chart, int series);
    void SeriesReplaced(Chart chart, int series);
    // A zoom, undo zoom or scroll by the user, after the new ranges are in effect. Ranges
    // set through this class never raise it.
    void UserRangeChanged(Chart chart);
    // A click into Chart1 that was no drag, at the pixel of the press.
    void Chart1Clicked(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pixel);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QCPGraph* Graph(Chart chart, int series) const;
    void SetUpChart1();
    void SetUpValueChart(Chart chart, const char* title, const char* leftTitle,
                         const QCPRange& leftRange, double leftIncrement, int minDecimals);
    void SetUpAxis(Chart chart, QCPAxis* axis, const char* title, const QCPRange& range,
                   double increment, int minDecimals = 0);
    // A change of axes, ranges or layout: the whole chart is drawn anew.
    void QueueReplot(Chart chart);
    // Only points changed: the chart is drawn anew where they changed.
    void QueueCurves(Chart chart);
    void Repaint();

    // What changed in a chart since its last repaint.
    struct Changes {
        bool Whole = false;    // axes, ranges, labels or layout
        bool Curves = false;   // points
        bool AnyPoint = false; // points other than appended at the right end
        double FromTime = 0.0; // appended points span this, with the points they join
        double ToTime = 0.0;
    };
    QRect ChangedArea(Chart chart) const;

    std::array<QCustomPlot*, 3> Plots;
    std::array<ChartGestures*, 3> Gestures;
    std::array<Changes, 3> Pending{};
    RepaintClock& Clock;
    int UnitShown = 0;
};
