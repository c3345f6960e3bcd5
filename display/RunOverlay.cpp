#include "display/RunOverlay.h"

#include "display/ChartSet.h"
#include "engine/LiveState.h"

#include <QCoreApplication>
#include <algorithm>

namespace {

const char* const OverlayLayer = "runOverlays";
// How many kept runs of all pages are remembered.
constexpr std::size_t RunsKept = 16;

const QColor TraceColours[RunOverlay::RunsShown] = {QColor(90, 120, 170), QColor(120, 150, 90),
                                                    QColor(170, 110, 90)};

// Only the acceleration chart follows the unit box.
double ChartFactor(Chart chart, const ControlState& controls) {
    return chart == Chart::Acceleration ? UnitFactor(controls.UnitIndex) : 1.0;
}

} // namespace

RunOverlay::RunOverlay(ChartSet& charts, const ControlState& controls)
    : Charts(charts), Controls(controls) {
    for (const Chart chart : AllCharts) {
        QCustomPlot* plot = Charts.Plot(chart);
        plot->addLayer(OverlayLayer, plot->layer("grid"), QCustomPlot::limAbove);
        plot->setAutoAddPlottableToLegend(false);
        for (int i = 0; i < plot->graphCount(); ++i)
            plot->graph(i)->removeFromLegend();
        QFont font = plot->font();
        font.setPointSize(std::max(6, font.pointSize() - 1));
        plot->legend->setFont(font);
        plot->legend->setBrush(QColor(255, 255, 255, 220));
        plot->axisRect()->insetLayout()->setInsetAlignment(0, Qt::AlignTop | Qt::AlignRight);
    }
}

void RunOverlay::Keep(Page page, const QDateTime& started, const std::vector<ShownCurve>& curves) {
    KeptRun run{page, started, page == Page::TabAngle ? Chart::Tilt : Chart::Acceleration, {}};
    for (const ShownCurve& curve : curves) {
        const double factor = ChartFactor(curve.Chart, Controls);
        QVector<QCPGraphData> points;
        points.reserve(static_cast<qsizetype>(curve.Values.size()));
        for (std::size_t i = 0; i < curve.Values.size(); ++i)
            points.append(QCPGraphData(curve.Times[i], curve.Values[i] / factor));
        if (!points.isEmpty()) run.Curves.append({curve.Chart, points});
    }
    if (run.Curves.isEmpty()) return;
    Runs.push_front(std::move(run));
    if (Runs.size() > RunsKept) Runs.pop_back();
    NewestShownAsSeries = true;
    Refresh();
}

void RunOverlay::SeriesCleared(Chart chart, int series) {
    if (series != 0 || !NewestShownAsSeries || Runs.front().MainChart != chart) return;
    NewestShownAsSeries = false;
    Refresh();
}

void RunOverlay::SetShown(bool shown) {
    Visible = shown;
    Refresh();
}

void RunOverlay::Forget() {
    Runs.clear();
    NewestShownAsSeries = false;
    Refresh();
}

void RunOverlay::Refresh() {
    for (QCPGraph* trace : Traces)
        trace->parentPlot()->removeGraph(trace);
    Traces.clear();
    int shown = 0;
    for (std::size_t i = 0; Visible && i < Runs.size() && shown < RunsShown; ++i) {
        const KeptRun& run = Runs[i];
        if (run.RunPage != Controls.ActivePage || (i == 0 && NewestShownAsSeries)) continue;
        QPen pen(TraceColours[shown], 1, Qt::DashLine);
        for (const KeptCurve& curve : run.Curves) {
            QCustomPlot* plot = Charts.Plot(curve.Chart);
            QCPGraph* trace = plot->addGraph(plot->xAxis, plot->yAxis);
            trace->setLayer(OverlayLayer);
            trace->setPen(pen);
            trace->setName(QCoreApplication::translate("RunOverlay", "이전 실행 %1")
                               .arg(run.Started.toString("HH:mm:ss")));
            const double factor = ChartFactor(curve.Chart, Controls);
            QVector<QCPGraphData> points = curve.Points;
            for (QCPGraphData& point : points)
                point.value *= factor;
            trace->data()->set(points, true);
            trace->addToLegend();
            Traces.append(trace);
        }
        ++shown;
    }
    for (const Chart chart : AllCharts) {
        QCustomPlot* plot = Charts.Plot(chart);
        plot->legend->setVisible(TraceCount(chart) > 0);
        plot->replot(QCustomPlot::rpQueuedReplot);
    }
}

int RunOverlay::TraceCount(Chart chart) const {
    const QCustomPlot* plot = Charts.Plot(chart);
    return static_cast<int>(std::count_if(Traces.begin(), Traces.end(), [plot](QCPGraph* trace) {
        return trace->parentPlot() == plot;
    }));
}
