#pragma once

#include "analysis/PendulumFit.h"
#include "analysis/PendulumInView.h"
#include "analysis/ShownCurves.h"
#include "display/FitWindow.h"
#include "display/RunOverlay.h"
#include "display/StatisticsWindow.h"

#include <QFont>
#include <QObject>
#include <QString>
#include <QTimer>
#include <array>
#include <functional>
#include <map>
#include <optional>
#include <utility>

class ChartSet;
class MeasurementView;
struct LiveState;
class QAbstractButton;
class QAction;
class QCPGraph;
class QCPItemRect;
class QCPItemText;
class QLineEdit;
class QMenu;

// The window's controls the tools read, and its save dialog: a path asked for with a title,
// a proposed name and filters such as "PNG (*.png)"; empty when cancelled.
struct ChartToolControls {
    const QAbstractButton* PendByGravity = nullptr; // observing the gravity component
    const QLineEdit* PendLength = nullptr;
    const QLineEdit* LogName = nullptr;
    std::function<QString(const QString&, const QString&, const QStringList&)> AskSavePath;
};

// Analysis tools beside the charts, reached from each chart's menu (a right click without
// dragging) and by the shortcuts the menu shows: statistics over a marked time range, fits of a
// line, a parabola or the pendulum over it, overlays of earlier runs, and exports as a picture
// or a spreadsheet file. They read the recording, as much of it as the charts show, and follow
// the charts' changes; the series the measurement draws and the recording stay untouched.
class ChartTools : public QObject {
    Q_OBJECT
public:
    enum class Tool {
        Statistics,
        MarkRange,
        SineFit,
        ModelFit,
        Overlay,
        ClearOverlay,
        Picture,
        Csv
    };

    ChartTools(ChartSet& charts, const LiveState& state, const ControlState& controls,
               ChartToolControls window, MeasurementView& view, QWidget* mainWindow);
    ~ChartTools() override;

    QAction* Action(Tool tool) const { return Actions.at(tool); }
    QMenu* Menu() const { return ChartMenu; }
    StatisticsWindow* Statistics() const { return StatisticsView; }
    FitWindow* Fits() const { return FitView; }
    const RunOverlay& Overlays() const { return Overlay; }

    // A run ended while its page's charts still show it.
    void KeepRun(Page page, const QDateTime& started);

    // The marked time range, shaded on the page's charts; the statistics and a fit follow it.
    void MarkTimeRange(double from, double to);
    void ClearTimeRange();
    std::optional<std::pair<double, double>> MarkedRange() const;
    // The pendulum fit over the marked range, or over the samples in view where none is
    // marked: drawn on the chart with a short label, its result lines in the fit window.
    void FitSineInView();
    // Beside the period box's gravity: the line on a swing too large for its formula.
    std::optional<Message> LargeSwingNote() const;
    // The fit's result as the fit window lists it, and the short label on the chart.
    QString FitText() const;
    QString FitLabelText() const;
    // The statistics table of the marked range, or of the range in view, and which it is.
    struct RangeTable {
        MessageTable Table;
        QString Range;
    };
    RangeTable CurrentStatistics() const;
    // Type size of the fit's label in pixels, bold; 0 gives it the chart's own type.
    void SetFitTextPixels(int pixels);
    bool SavePicture(Chart chart, const QString& path);
    bool ExportCsv(const QString& path);

signals:
    // A range was marked, moved or taken away, on a chart or by MarkTimeRange.
    void TimeRangeChanged();

private:
    struct ViewFit {
        PendulumSource Source;
        PendulumInView Samples;
        PendulumFit Fit;
    };
    ViewFit FitOfRange(double from, double to) const;
    // A series was cleared (a new run, a load or a page change) or drawn anew whole (a load, a
    // unit redraw): the fit goes with the points it was made from, and overlays and range
    // bands are drawn in the unit now shown.
    void SeriesCleared(Chart chart, int series);
    void SeriesRedrawn(Chart chart, int series);
    void CreateActions(QWidget* mainWindow);
    void OpenMenu(Chart chart, QPoint pixel);
    void TimeRangeDragged(Chart chart, double start, double current, bool finished);
    void ShowStatistics();
    void UpdateStatistics();
    // Over the marked range, or what the chart shows where none is marked.
    std::pair<double, double> ToolRange(Chart chart) const;
    QString RangeText(double from, double to) const;
    void ShowFitWindow();
    void FitChosenModel();
    void FitSine();
    void FitPolynomialCurve(const ShownCurve& curve, int degree);
    // The fitted curve (empty where there is none) under the chart's series and its label, in
    // the half of the chart the curve at `level` leaves free.
    void DrawFit(Chart chart, const QVector<QCPGraphData>& curve, double level,
                 const QString& label);
    void RefreshBands();
    void RemoveFit();
    void ApplyFitTextSize();
    void AskPicturePath();
    void AskCsvPath();
    std::vector<ShownCurve> PageCurvesShown() const;
    Chart TargetChart() const;

    ChartSet& Charts;
    const LiveState& State;
    const ControlState& Controls;
    ChartToolControls Window;
    MeasurementView& View;
    QWidget* MainWindow;
    RunOverlay Overlay;
    StatisticsWindow* StatisticsView;
    QMenu* ChartMenu;
    std::map<Tool, QAction*> Actions;
    QTimer StatisticsTimer;
    QTimer RefitTimer;
    std::optional<Chart> PressedChart; // the chart last clicked, for the shortcuts
    bool HasRange = false;
    double RangeFrom = 0.0, RangeTo = 0.0;
    bool RangeDragging = false, RangeMoving = false;
    double MoveFrom = 0.0, MoveTo = 0.0; // the range when a drag inside it began
    std::array<QCPItemRect*, 3> Bands{};
    FitWindow* FitView;
    Chart FitChart = Chart::Acceleration; // where the fit is drawn
    QCPGraph* FitCurve = nullptr;
    QCPItemText* FitLabel = nullptr;
    QFont FitLabelFont; // the label's own type, before any enlargement
    int FitTextPixels = 0;
};
