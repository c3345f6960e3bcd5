#pragma once

#include "engine/Pendulum.h"

#include <QObject>
#include <QPointF>
#include <QTimer>
#include <array>

class ChartGestures;
class QCPAxis;
class QCPGraph;
class QCPRange;
class QCustomPlot;

// The three charts of the main window: the acceleration and force chart (Chart1, four
// series), the velocity chart (Chart2) and the tilt chart (Chart3). Charts are addressed by
// the ids of engine/MeasurementView.h (1..3) and series by index; an id, series or point
// index that does not exist throws std::out_of_range. Appending never repaints at once: a
// changed chart is redrawn at the next screen refresh, once however many points arrived.
class ChartSet : public QObject {
    Q_OBJECT
public:
    ChartSet(QCustomPlot* chart1, QCustomPlot* chart2, QCustomPlot* chart3,
             QObject* parent = nullptr);

    void AppendPoint(int chart, int series, double x, double y);
    void ClearSeries(int chart, int series);
    int PointCount(int chart, int series) const;
    double YAt(int chart, int series, int index) const;
    // 0 for an empty series.
    double LargestX(int chart, int series) const;

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
    double BottomMin(int chart) const;
    double BottomMax(int chart) const;
    void SetBottomRange(int chart, double min, double max);

    // The bottom- and left-axis values of Chart1 under a pixel of the chart widget.
    QPointF PixelToValues(int x, int y) const;

    // For tools drawn beside the series (overlays, ranges, fits) and for picture exports.
    QCustomPlot* Plot(int chart) const;
    ChartGestures* GesturesOf(int chart) const { return Gestures.at(chart - 1); }

signals:
    // A zoom, undo zoom or scroll by the user, after the new ranges are in effect. Ranges
    // set through this class never raise it.
    void UserRangeChanged(int chart);
    // A click into Chart1 that was no drag, at the pixel of the press.
    void Chart1Clicked(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pixel);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QCPGraph* Graph(int chart, int series) const;
    void SetUpChart1();
    void SetUpValueChart(int chart, const char* title, const char* leftTitle,
                         const QCPRange& leftRange, double leftIncrement, int minDecimals);
    void SetUpAxis(int chart, QCPAxis* axis, const char* title, const QCPRange& range,
                   double increment, int minDecimals = 0);
    void QueueReplot(int chart);
    void ReplotChanged();

    std::array<QCustomPlot*, 3> Plots;
    std::array<ChartGestures*, 3> Gestures;
    std::array<bool, 3> Changed{};
    QTimer ReplotTimer;
    int UnitShown = 0;
};

// The pendulum measurement's read access to one plotted series.
class ChartSeriesReader : public SeriesReader {
public:
    ChartSeriesReader(const ChartSet& charts, int chart, int series)
        : Charts(charts), ChartId(chart), SeriesIndex(series) {}

    int Count() const override { return Charts.PointCount(ChartId, SeriesIndex); }
    double YAt(int index) const override { return Charts.YAt(ChartId, SeriesIndex, index); }
    double LargestX() const override { return Charts.LargestX(ChartId, SeriesIndex); }

private:
    const ChartSet& Charts;
    int ChartId;
    int SeriesIndex;
};
