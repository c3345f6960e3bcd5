#include "display/ChartSet.h"

#include "display/ChartGestures.h"
#include "display/IncrementTicker.h"
#include "engine/MeasurementView.h"

#include <QCoreApplication>
#include <qcustomplot.h>
#include <stdexcept>
#include <string>

namespace {

// One repaint per screen refresh at most, however fast the points arrive.
constexpr int ReplotIntervalMs = 16;

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

void AddSeries(QCustomPlot* plot, QCPAxis* valueAxis, const char* name, const QColor& colour) {
    QCPGraph* graph = plot->addGraph(plot->xAxis, valueAxis);
    graph->setName(name);
    graph->setPen(QPen(colour));
    graph->setAdaptiveSampling(true);
}

} // namespace

ChartSet::ChartSet(QCustomPlot* chart1, QCustomPlot* chart2, QCustomPlot* chart3, QObject* parent)
    : QObject(parent), Plots{chart1, chart2, chart3} {
    ReplotTimer.setSingleShot(true);
    ReplotTimer.setInterval(ReplotIntervalMs);
    connect(&ReplotTimer, &QTimer::timeout, this, &ChartSet::ReplotChanged);
    Gestures = {
        new ChartGestures(chart1, {chart1->xAxis, chart1->yAxis, chart1->yAxis2}, true),
        new ChartGestures(chart2, {chart2->xAxis, chart2->yAxis}, true),
        new ChartGestures(chart3, {chart3->xAxis, chart3->yAxis}, false),
    };
    SetUpChart1();
    SetUpValueChart(Chart2, QT_TRANSLATE_NOOP("ChartSet", "속도 산출 그래프"),
                    QT_TRANSLATE_NOOP("ChartSet", "속도[m/s]"), QCPRange(-2, 2), 0.5, 1);
    SetUpValueChart(Chart3, QT_TRANSLATE_NOOP("ChartSet", "기울기 그래프"),
                    QT_TRANSLATE_NOOP("ChartSet", "기울기(각도)"), QCPRange(-60, 60), 10, 0);
    for (int chart = Chart1; chart <= Chart3; ++chart) {
        connect(Gestures[chart - 1], &ChartGestures::RangeChangedByUser, this, [this, chart] {
            QueueReplot(chart);
            emit UserRangeChanged(chart);
        });
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
        for (int chart = Chart1; chart <= Chart3; ++chart)
            if (watched == Plot(chart)) QueueReplot(chart);
    }
    return QObject::eventFilter(watched, event);
}

QCustomPlot* ChartSet::Plot(int chart) const {
    return Plots.at(chart - 1);
}

QCPGraph* ChartSet::Graph(int chart, int series) const {
    QCustomPlot* plot = Plot(chart);
    if (series < 0 || series >= plot->graphCount())
        throw std::out_of_range("chart " + std::to_string(chart) + " has no series " +
                                std::to_string(series));
    return plot->graph(series);
}

void ChartSet::SetUpChart1() {
    QCustomPlot* plot = Plot(Chart1);
    AddTitle(plot, QT_TRANSLATE_NOOP("ChartSet", "가속도 & 힘"));
    SetUpAxis(Chart1, plot->xAxis, QT_TRANSLATE_NOOP("ChartSet", "시간 [sec]"), FormTimeRange,
              TimeIncrement);
    SetUpAxis(Chart1, plot->yAxis, QT_TRANSLATE_NOOP("ChartSet", "가속도 [g]"),
              QCPRange(-1.64, 2.36), 0.01);
    plot->yAxis->grid()->setPen(QPen(QColor(192, 192, 192), 0, Qt::SolidLine));
    plot->yAxis->grid()->setSubGridPen(QPen(Qt::gray, 0, Qt::DotLine));
    plot->yAxis->grid()->setSubGridVisible(true);

    QCPAxis* force = plot->yAxis2;
    SetUpAxis(Chart1, force, QT_TRANSLATE_NOOP("ChartSet", "힘(Kgf)"), QCPRange(-5.24, -1.24), 0.5);
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

void ChartSet::SetUpValueChart(int chart, const char* title, const char* leftTitle,
                               const QCPRange& leftRange, double leftIncrement, int minDecimals) {
    QCustomPlot* plot = Plot(chart);
    AddTitle(plot, title);
    SetUpAxis(chart, plot->xAxis, QT_TRANSLATE_NOOP("ChartSet", "시간 [sec]"), FormTimeRange,
              TimeIncrement);
    SetUpAxis(chart, plot->yAxis, leftTitle, leftRange, leftIncrement, minDecimals);
    AddSeries(plot, plot->yAxis, "CH_1", Qt::black);
}

void ChartSet::SetUpAxis(int chart, QCPAxis* axis, const char* title, const QCPRange& range,
                         double increment, int minDecimals) {
    axis->setLabel(QCoreApplication::translate("ChartSet", title));
    axis->setRange(range);
    axis->setTicker(QSharedPointer<IncrementTicker>::create(axis, increment, minDecimals));
    Gestures[chart - 1]->SetHome(axis, range);
    QueueReplot(chart);
}

void ChartSet::AppendPoint(int chart, int series, double x, double y) {
    Graph(chart, series)->addData(x, y);
    QueueReplot(chart);
}

void ChartSet::ClearSeries(int chart, int series) {
    Graph(chart, series)->data()->clear();
    QueueReplot(chart);
}

int ChartSet::PointCount(int chart, int series) const {
    return Graph(chart, series)->data()->size();
}

double ChartSet::YAt(int chart, int series, int index) const {
    const auto& data = *Graph(chart, series)->data();
    if (index < 0 || index >= data.size())
        throw std::out_of_range("point " + std::to_string(index) + " of " +
                                std::to_string(data.size()));
    return data.at(index)->value;
}

double ChartSet::LargestX(int chart, int series) const {
    const auto& data = *Graph(chart, series)->data();
    return data.isEmpty() ? 0.0 : (data.constEnd() - 1)->key;
}

void ChartSet::SetUnit(int unitIndex) {
    UnitShown = unitIndex == 0 ? 0 : 1;
    const UnitAxes& unit = UnitTable[UnitShown];
    QCustomPlot* plot = Plot(Chart1);
    SetUpAxis(Chart1, plot->yAxis, unit.LeftTitle, unit.Range, unit.LeftIncrement);
    SetUpAxis(Chart1, plot->yAxis2, unit.RightTitle, unit.Range, unit.RightIncrement);
}

void ChartSet::SetTimeWindow(int seconds) {
    for (int chart = Chart1; chart <= Chart3; ++chart) {
        QCPAxis* time = Plot(chart)->xAxis;
        const QCPRange home(Gestures[chart - 1]->Home(time).lower, seconds);
        Gestures[chart - 1]->SetHome(time, home);
        const double shownMin = time->range().lower;
        time->setRange(shownMin < seconds ? shownMin : home.lower, seconds);
        QueueReplot(chart);
    }
}

void ChartSet::SetLeftMinorGridVisible(bool visible) {
    Plot(Chart1)->yAxis->grid()->setSubGridVisible(visible);
    QueueReplot(Chart1);
}

void ChartSet::SetRightAxisVisible(bool visible) {
    Plot(Chart1)->yAxis2->setVisible(visible);
    QueueReplot(Chart1);
}

double ChartSet::BottomMin(int chart) const {
    return Plot(chart)->xAxis->range().lower;
}

double ChartSet::BottomMax(int chart) const {
    return Plot(chart)->xAxis->range().upper;
}

void ChartSet::SetBottomRange(int chart, double min, double max) {
    Plot(chart)->xAxis->setRange(min, max);
    QueueReplot(chart);
}

QPointF ChartSet::PixelToValues(int x, int y) const {
    const QCustomPlot* plot = Plot(Chart1);
    return {plot->xAxis->pixelToCoord(x), plot->yAxis->pixelToCoord(y)};
}

void ChartSet::QueueReplot(int chart) {
    Changed[chart - 1] = true;
    if (!ReplotTimer.isActive()) ReplotTimer.start();
}

void ChartSet::ReplotChanged() {
    for (int i = 0; i < 3; ++i) {
        if (!Changed[i]) continue;
        Changed[i] = false;
        Plots[i]->replot(QCustomPlot::rpQueuedRefresh);
    }
}
