#include "display/ChartSet.h"

#include "display/ChartGestures.h"
#include "display/ChartPaint.h"
#include "display/IncrementTicker.h"
#include "display/RepaintClock.h"
#include "engine/MeasurementView.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>
#include <qcustomplot.h>
#include <stdexcept>
#include <string>

namespace {

// The layer of the curves, between the tools drawn under them and the axes.
const QString CurvesLayer = QStringLiteral("curves");

// Pixels beside appended points that their drawing may touch: line ends, smoothing, and the
// per-pixel thinning of dense curves, which redraws the pixel column of the last point.
constexpr int StripMargin = 4;

struct UnitAxes {
    const char* LeftTitle;
    double LeftIncrement;
    const char* RightTitle;
    double RightIncrement;
    // Left and right share the range, so a value reads the same on either axis: the
    // three-axis Y series sits on the right axis, the force series on the left one.
    QCPRange Range;
};

const UnitAxes UnitTable[] = {
    {QT_TRANSLATE_NOOP("ChartSet", "가속도[g]"), 0.01, QT_TRANSLATE_NOOP("ChartSet", "힘[Kgf]"),
     0.1, QCPRange(-2, 2)},
    {QT_TRANSLATE_NOOP("ChartSet", "가속도[m/s2]"), 0.1, QT_TRANSLATE_NOOP("ChartSet", "힘[N]"), 1,
     QCPRange(-20, 20)},
};

// The form's bottom axis of every chart, until the time window is applied.
const QCPRange FormTimeRange(0, 60);
constexpr double TimeIncrement = 0.02;

const QColor ForceColour(Qt::red);

void AddTitle(QCustomPlot* plot, const char* title) {
    plot->plotLayout()->setMargins(QMargins(5, 5, 5, 5));
    plot->plotLayout()->insertRow(0);
    QFont font = plot->font();
    font.setPointSize(font.pointSize() + 2);
    font.setBold(true);
    plot->plotLayout()->addElement(
        0, 0, new QCPTextElement(plot, QCoreApplication::translate("ChartSet", title), font));
}

// A new point costs drawing the chart inside its strip of the plot area and repainting that
// strip: a small part of the widget, and clear of the opaque check box in its corner, which
// would send a repaint of the whole widget down Qt's slow clipped path.
void RedrawStrip(QCustomPlot* plot, const QRect& changed) {
    if (NeedsReplot(plot))
        plot->replot(QCustomPlot::rpQueuedRefresh); // a new size or layer: all anew
    else
        plot->update(changed);
}

// A chart paints itself from its layers, so no layer needs a buffer of its own. The overlay
// layer, buffered by QCustomPlot for its selection rectangle, stays empty: zooms show a rubber
// band of their own.
void SetUpLayers(QCustomPlot* plot) {
    plot->addLayer(CurvesLayer, plot->layer(QStringLiteral("main")), QCustomPlot::limAbove);
    plot->layer(QStringLiteral("overlay"))->setMode(QCPLayer::lmLogical);
    PaintFromLayers(plot);
}

void AddSeries(QCustomPlot* plot, QCPAxis* valueAxis, const char* name, const QColor& colour) {
    QCPGraph* graph = plot->addGraph(plot->xAxis, valueAxis);
    graph->setLayer(CurvesLayer);
    graph->setName(name);
    graph->setPen(QPen(colour));
    graph->setAdaptiveSampling(true);
}

} // namespace

ChartSet::ChartSet(QCustomPlot* chart1, QCustomPlot* chart2, QCustomPlot* chart3,
                   RepaintClock& clock, QObject* parent)
    : QObject(parent), Plots{chart1, chart2, chart3}, Clock(clock) {
    connect(&Clock, &RepaintClock::Tick, this, &ChartSet::Repaint);
    for (QCustomPlot* plot : Plots)
        SetUpLayers(plot);
    Gestures = {
        new ChartGestures(chart1, {chart1->xAxis, chart1->yAxis, chart1->yAxis2}, true),
        new ChartGestures(chart2, {chart2->xAxis, chart2->yAxis}, true),
        new ChartGestures(chart3, {chart3->xAxis, chart3->yAxis}, false),
    };
    SetUpChart1();
    SetUpValueChart(Chart::Velocity, QT_TRANSLATE_NOOP("ChartSet", "속도 산출 그래프"),
                    QT_TRANSLATE_NOOP("ChartSet", "속도[m/s]"), QCPRange(-2, 2), 0.5, 1);
    SetUpValueChart(Chart::Tilt, QT_TRANSLATE_NOOP("ChartSet", "기울기 그래프"),
                    QT_TRANSLATE_NOOP("ChartSet", "기울기(각도)"), QCPRange(-60, 60), 10, 0);
    for (const Chart chart : AllCharts) {
        connect(Gestures[IndexOf(chart)], &ChartGestures::RangeChangedByUser, this,
                [this, chart] { emit UserRangeChanged(chart); });
        // Whoever changes a range, the axes are drawn anew with it.
        QCustomPlot* plot = Plot(chart);
        for (QCPAxis* axis : {plot->xAxis, plot->yAxis, plot->xAxis2, plot->yAxis2})
            connect(axis, qOverload<const QCPRange&>(&QCPAxis::rangeChanged), this,
                    [this, chart] { QueueReplot(chart); });
        QueueReplot(chart);
    }
    connect(Gestures[0], &ChartGestures::Clicked, this, &ChartSet::Chart1Clicked);
    for (QCustomPlot* plot : Plots)
        plot->installEventFilter(this);
}

// A chart lays itself out after it has placed its ticks, so the ticks of the first replot
// at a new size (a page shown for the first time, a panel moved) still fit the old size:
// one more replot places them for the size now shown.
bool ChartSet::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize) {
        for (const Chart chart : AllCharts)
            if (watched == Plot(chart)) QueueReplot(chart);
    }
    return QObject::eventFilter(watched, event);
}

QCustomPlot* ChartSet::Plot(Chart chart) const {
    return Plots.at(IndexOf(chart));
}

QCPGraph* ChartSet::Graph(Chart chart, int series) const {
    QCustomPlot* plot = Plot(chart);
    if (series < 0 || series >= plot->graphCount())
        throw std::out_of_range("chart " + std::to_string(static_cast<int>(chart)) +
                                " has no series " + std::to_string(series));
    return plot->graph(series);
}

void ChartSet::SetUpChart1() {
    QCustomPlot* plot = Plot(Chart::Acceleration);
    AddTitle(plot, QT_TRANSLATE_NOOP("ChartSet", "가속도 & 힘"));
    SetUpAxis(Chart::Acceleration, plot->xAxis, QT_TRANSLATE_NOOP("ChartSet", "시간 [sec]"),
              FormTimeRange, TimeIncrement);
    SetUpAxis(Chart::Acceleration, plot->yAxis, QT_TRANSLATE_NOOP("ChartSet", "가속도 [g]"),
              QCPRange(-1.64, 2.36), 0.01);
    plot->yAxis->grid()->setPen(QPen(QColor(192, 192, 192), 0, Qt::SolidLine));
    plot->yAxis->grid()->setSubGridPen(QPen(Qt::gray, 0, Qt::DotLine));
    plot->yAxis->grid()->setSubGridVisible(true);

    QCPAxis* force = plot->yAxis2;
    SetUpAxis(Chart::Acceleration, force, QT_TRANSLATE_NOOP("ChartSet", "힘(Kgf)"),
              QCPRange(-5.24, -1.24), 0.5);
    force->setVisible(true);
    force->setBasePen(QPen(ForceColour));
    force->setTickPen(QPen(ForceColour));
    force->setSubTickPen(QPen(ForceColour));
    force->setTickLabelColor(ForceColour);
    force->setLabelColor(ForceColour);

    AddSeries(plot, plot->yAxis, "CH_1", Qt::black);
    // Y is drawn against the red force axis, in its colour, as the readout names it.
    AddSeries(plot, force, "CH_2", ForceColour);
    AddSeries(plot, plot->yAxis, "CH_3", QColor(0x00, 0x80, 0xFF));
    AddSeries(plot, plot->yAxis, "CH_4", ForceColour);
}

void ChartSet::SetUpValueChart(Chart chart, const char* title, const char* leftTitle,
                               const QCPRange& leftRange, double leftIncrement, int minDecimals) {
    QCustomPlot* plot = Plot(chart);
    AddTitle(plot, title);
    SetUpAxis(chart, plot->xAxis, QT_TRANSLATE_NOOP("ChartSet", "시간 [sec]"), FormTimeRange,
              TimeIncrement);
    SetUpAxis(chart, plot->yAxis, leftTitle, leftRange, leftIncrement, minDecimals);
    AddSeries(plot, plot->yAxis, "CH_1", Qt::black);
}

void ChartSet::SetUpAxis(Chart chart, QCPAxis* axis, const char* title, const QCPRange& range,
                         double increment, int minDecimals) {
    axis->setLabel(QCoreApplication::translate("ChartSet", title));
    axis->setRange(range);
    axis->setTicker(QSharedPointer<IncrementTicker>::create(axis, increment, minDecimals));
    Gestures[IndexOf(chart)]->SetHome(axis, range);
    QueueReplot(chart);
}

void ChartSet::AppendPoint(Chart chart, int series, double x, double y) {
    QCPGraph* graph = Graph(chart, series);
    Changes& changes = Pending[IndexOf(chart)];
    const double joined = graph->data()->isEmpty() ? x : (graph->data()->constEnd() - 1)->key;
    if (x < joined) changes.AnyPoint = true;
    const bool first = !changes.Curves || changes.AnyPoint;
    changes.FromTime = first ? joined : std::min(changes.FromTime, joined);
    changes.ToTime = first ? x : std::max(changes.ToTime, x);
    graph->addData(x, y);
    QueueCurves(chart);
}

void ChartSet::ReplaceSeries(Chart chart, int series, std::span<const double> x,
                             std::span<const double> y) {
    QVector<QCPGraphData> points(static_cast<qsizetype>(y.size()));
    for (std::size_t i = 0; i < y.size(); ++i)
        points[static_cast<qsizetype>(i)] = {x[i], y[i]};
    Graph(chart, series)->data()->set(points, true);
    Pending[IndexOf(chart)].AnyPoint = true;
    QueueCurves(chart);
    emit SeriesReplaced(chart, series);
}

void ChartSet::ClearSeries(Chart chart, int series) {
    Graph(chart, series)->data()->clear();
    Pending[IndexOf(chart)].AnyPoint = true;
    QueueCurves(chart);
    emit SeriesCleared(chart, series);
}

int ChartSet::PointCount(Chart chart, int series) const {
    return Graph(chart, series)->data()->size();
}

double ChartSet::YAt(Chart chart, int series, int index) const {
    const auto& data = *Graph(chart, series)->data();
    if (index < 0 || index >= data.size())
        throw std::out_of_range("point " + std::to_string(index) + " of " +
                                std::to_string(data.size()));
    return data.at(index)->value;
}

double ChartSet::LargestX(Chart chart, int series) const {
    const auto& data = *Graph(chart, series)->data();
    return data.isEmpty() ? 0.0 : (data.constEnd() - 1)->key;
}

void ChartSet::SetUnit(int unitIndex) {
    UnitShown = unitIndex == 0 ? 0 : 1;
    const UnitAxes& unit = UnitTable[UnitShown];
    QCustomPlot* plot = Plot(Chart::Acceleration);
    SetUpAxis(Chart::Acceleration, plot->yAxis, unit.LeftTitle, unit.Range, unit.LeftIncrement);
    SetUpAxis(Chart::Acceleration, plot->yAxis2, unit.RightTitle, unit.Range, unit.RightIncrement);
}

void ChartSet::SetTimeWindow(int seconds) {
    for (const Chart chart : AllCharts) {
        QCPAxis* time = Plot(chart)->xAxis;
        const QCPRange home(Gestures[IndexOf(chart)]->Home(time).lower, seconds);
        Gestures[IndexOf(chart)]->SetHome(time, home);
        const double shownMin = time->range().lower;
        time->setRange(shownMin < seconds ? shownMin : home.lower, seconds);
    }
}

void ChartSet::SetLeftMinorGridVisible(bool visible) {
    Plot(Chart::Acceleration)->yAxis->grid()->setSubGridVisible(visible);
    QueueReplot(Chart::Acceleration);
}

void ChartSet::SetRightAxisVisible(bool visible) {
    Plot(Chart::Acceleration)->yAxis2->setVisible(visible);
    QueueReplot(Chart::Acceleration);
}

double ChartSet::BottomMin(Chart chart) const {
    return Plot(chart)->xAxis->range().lower;
}

double ChartSet::BottomMax(Chart chart) const {
    return Plot(chart)->xAxis->range().upper;
}

void ChartSet::SetBottomRange(Chart chart, double min, double max) {
    Plot(chart)->xAxis->setRange(min, max);
}

QPointF ChartSet::PixelToValues(int x, int y) const {
    const QCustomPlot* plot = Plot(Chart::Acceleration);
    return {plot->xAxis->pixelToCoord(x), plot->yAxis->pixelToCoord(y)};
}

void ChartSet::QueueReplot(Chart chart) {
    Pending[IndexOf(chart)].Whole = true;
    Clock.Request();
}

void ChartSet::QueueCurves(Chart chart) {
    Pending[IndexOf(chart)].Curves = true;
    Clock.Request();
}

// The part of the plot area whose curves changed: the strip of the appended points, or all
// of it.
QRect ChartSet::ChangedArea(Chart chart) const {
    const Changes& changes = Pending[IndexOf(chart)];
    const QCustomPlot* plot = Plot(chart);
    const QRect area = plot->axisRect()->rect();
    if (changes.AnyPoint) return area;
    const double from = plot->xAxis->coordToPixel(changes.FromTime);
    const double to = plot->xAxis->coordToPixel(changes.ToTime);
    const QRect strip(
        QPoint(static_cast<int>(std::floor(std::min(from, to))) - StripMargin, area.top()),
        QPoint(static_cast<int>(std::ceil(std::max(from, to))) + StripMargin, area.bottom()));
    return strip & area;
}

void ChartSet::Repaint() {
    for (const Chart chart : AllCharts) {
        Changes& changes = Pending[IndexOf(chart)];
        if (changes.Whole) {
            Plot(chart)->replot(QCustomPlot::rpQueuedRefresh);
        } else if (changes.Curves) {
            RedrawStrip(Plot(chart), ChangedArea(chart));
        }
        changes.Whole = changes.Curves = changes.AnyPoint = false;
    }
}
