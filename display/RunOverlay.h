#pragma once

#include "analysis/ShownCurves.h"

#include <QDateTime>
#include <QList>
#include <QVector>
#include <deque>
#include <qcustomplot.h>

class ChartSet;

// Earlier runs of a page drawn under the current one: thin dashed traces in muted colours,
// aligned at t = 0, with a small legend of their start times while shown. The traces are
// graphs of their own beside the series; the series, the recording and the files never see
// them.
class RunOverlay {
public:
    static constexpr int RunsShown = 3;

    RunOverlay(ChartSet& charts, const ControlState& controls);

    // A run ended while its page still shows it: its curves as drawn (each chart's first) are
    // kept.
    void Keep(Page page, const QDateTime& started, const std::vector<ShownCurve>& curves);
    // A series was cleared; once the newest kept run's own curve is gone it becomes a trace.
    void SeriesCleared(Chart chart, int series);
    void SetShown(bool shown);
    bool Shown() const { return Visible; }
    bool Empty() const { return Runs.empty(); }
    // Removes the traces and forgets the kept runs.
    void Forget();
    // Draws the traces for the page now active, in the unit now shown.
    void Refresh();
    int TraceCount(Chart chart) const;

private:
    struct KeptCurve {
        ::Chart Chart;
        QVector<QCPGraphData> Points; // acceleration in g, so a unit change redraws it
    };
    struct KeptRun {
        Page RunPage;
        QDateTime Started;
        Chart MainChart;
        QList<KeptCurve> Curves;
    };

    ChartSet& Charts;
    const ControlState& Controls;
    std::deque<KeptRun> Runs; // newest first
    bool NewestShownAsSeries = false;
    bool Visible = false;
    QList<QCPGraph*> Traces;
};
