#include "display/ChartTools.h"

#include "analysis/DrawnFit.h"
#include "analysis/ExportTable.h"
#include "analysis/PendulumFit.h"
#include "analysis/PendulumInView.h"
#include "analysis/RecordedCurves.h"
#include "display/ChartGestures.h"
#include "display/ChartSet.h"
#include "display/QtText.h"
#include "display/ShownText.h"
#include "display/SvgPicture.h"
#include "engine/LiveState.h"
#include "engine/NumberText.h"
#include "files/SpreadsheetCsv.h"

#include <QAbstractButton>
#include <QAction>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <algorithm>

namespace {

const char* const BandLayer = "rangeBand";
const char* const FitLayer = "sineFit"; // under the series: the measured points stay on top
const QColor BandColour(70, 110, 180);
const QColor FitColour(230, 110, 0);
constexpr double FitStep = 0.005; // seconds between the points of the drawn fit
constexpr int PictureScale = 2;   // pictures for print: twice the screen's pixels
constexpr int StatisticsRefreshMs = 300;
constexpr int RefitDelayMs = 150;
constexpr int MenuDrop = 8; // pixels

} // namespace

ChartTools::ChartTools(ChartSet& charts, const LiveState& state, const ControlState& controls,
                       ChartToolControls window, MeasurementView& view, QWidget* mainWindow)
    : QObject(mainWindow), Charts(charts), State(state), Controls(controls),
      Window(std::move(window)), View(view), MainWindow(mainWindow), Overlay(charts, controls),
      StatisticsView(new StatisticsWindow(mainWindow)), ChartMenu(new QMenu(mainWindow)) {
    for (const Chart chart : AllCharts) {
        QCustomPlot* plot = Charts.Plot(chart);
        plot->addLayer(BandLayer, plot->layer("grid"), QCustomPlot::limAbove);
        plot->addLayer(FitLayer, plot->layer("main"), QCustomPlot::limBelow);
        auto* band = new QCPItemRect(plot);
        band->setLayer(BandLayer);
        for (QCPItemPosition* corner : {band->topLeft, band->bottomRight}) {
            corner->setAxes(plot->xAxis, plot->yAxis);
            corner->setAxisRect(plot->axisRect());
            corner->setTypeX(QCPItemPosition::ptPlotCoords);
            corner->setTypeY(QCPItemPosition::ptAxisRectRatio);
        }
        band->setPen(QPen(BandColour, 1));
        QColor fill = BandColour;
        fill.setAlpha(45);
        band->setBrush(fill);
        band->setVisible(false);
        Bands[IndexOf(chart)] = band;
        ChartGestures* gestures = Charts.GesturesOf(chart);
        connect(gestures, &ChartGestures::TimeRangeDragged, this,
                [this, chart](double start, double current, bool finished) {
                    TimeRangeDragged(chart, start, current, finished);
                });
        connect(gestures, &ChartGestures::MenuRequested, this,
                [this, chart](QPoint pixel) { OpenMenu(chart, pixel); });
        connect(plot, &QCustomPlot::mousePress, this, [this, chart] { PressedChart = chart; });
    }
    connect(&Charts, &ChartSet::SeriesCleared, this, &ChartTools::SeriesCleared);
    connect(&Charts, &ChartSet::SeriesReplaced, this, &ChartTools::SeriesRedrawn);
    connect(&Charts, &ChartSet::UserRangeChanged, this, [this](Chart chart) {
        if (chart == Chart::Acceleration && FitLabel != nullptr) RefitTimer.start();
        if (!HasRange) UpdateStatistics();
    });
    // A scroll moves the view many times a second: the fit follows once it rests.
    RefitTimer.setSingleShot(true);
    RefitTimer.setInterval(RefitDelayMs);
    connect(&RefitTimer, &QTimer::timeout, this, &ChartTools::FitSineInView);
    StatisticsTimer.setInterval(StatisticsRefreshMs);
    connect(&StatisticsTimer, &QTimer::timeout, this, &ChartTools::UpdateStatistics);
    CreateActions(mainWindow);
}

ChartTools::~ChartTools() = default;

void ChartTools::CreateActions(QWidget* mainWindow) {
    const struct {
        Tool Kind;
        const char* Text;
        const char* Keys;
        void (ChartTools::*Run)();
    } tools[] = {
        {Tool::Statistics, QT_TR_NOOP("구간 통계"), "Ctrl+Shift+T", &ChartTools::ShowStatistics},
        {Tool::MarkRange, QT_TR_NOOP("구간 선택"), "Ctrl+Shift+R", nullptr},
        {Tool::SineFit, QT_TR_NOOP("사인 맞춤"), "Ctrl+Shift+F", &ChartTools::FitSineInView},
        {Tool::Overlay, QT_TR_NOOP("이전 실행 겹치기"), "Ctrl+Shift+O", nullptr},
        {Tool::ClearOverlay, QT_TR_NOOP("겹치기 지우기"), "Ctrl+Shift+D", nullptr},
        {Tool::Picture, QT_TR_NOOP("그림으로 저장"), "Ctrl+Shift+S", &ChartTools::AskPicturePath},
        {Tool::Csv, QT_TR_NOOP("CSV 내보내기"), "Ctrl+Shift+E", &ChartTools::AskCsvPath},
    };
    for (const auto& tool : tools) {
        auto* action = new QAction(tr(tool.Text), this);
        action->setShortcut(QKeySequence(QString::fromLatin1(tool.Keys)));
        action->setShortcutContext(Qt::WindowShortcut);
        if (tool.Run != nullptr) connect(action, &QAction::triggered, this, tool.Run);
        // Shortcuts work wherever the main window or the statistics window is active.
        mainWindow->addAction(action);
        StatisticsView->addAction(action);
        Actions[tool.Kind] = action;
        ChartMenu->addAction(action);
        if (tool.Kind == Tool::MarkRange || tool.Kind == Tool::SineFit ||
            tool.Kind == Tool::ClearOverlay)
            ChartMenu->addSeparator();
    }
    connect(Actions[Tool::MarkRange], &QAction::triggered, this, [this] {
        const Chart chart = TargetChart();
        Charts.GesturesOf(chart)->ArmTimeRange();
        Charts.Plot(chart)->setCursor(Qt::SplitHCursor);
    });
    QAction* overlay = Actions[Tool::Overlay];
    overlay->setCheckable(true);
    connect(overlay, &QAction::toggled, this, [this](bool on) { Overlay.SetShown(on); });
    connect(Actions[Tool::ClearOverlay], &QAction::triggered, this, [this] {
        Actions[Tool::Overlay]->setChecked(false);
        Overlay.Forget();
    });
}

Chart ChartTools::TargetChart() const {
    const std::vector<Chart> charts = PageCharts(Controls.ActivePage);
    if (charts.empty()) return Chart::Acceleration;
    return PressedChart && std::find(charts.begin(), charts.end(), *PressedChart) != charts.end()
               ? *PressedChart
               : charts.front();
}

void ChartTools::OpenMenu(Chart chart, QPoint pixel) {
    PressedChart = chart;
    const bool curves = !PageCharts(Controls.ActivePage).empty();
    for (const Tool tool : {Tool::Statistics, Tool::MarkRange, Tool::Csv})
        Actions[tool]->setEnabled(curves);
    Actions[Tool::SineFit]->setEnabled(Controls.ActivePage == Page::TabPendulum &&
                                       chart == Chart::Acceleration);
    Actions[Tool::ClearOverlay]->setEnabled(!Overlay.Empty());
    // Just below the readout the same click shows beside the pointer.
    ChartMenu->popup(Charts.Plot(chart)->mapToGlobal(pixel + QPoint(0, MenuDrop)));
}

// ---- the time range and its statistics ----

void ChartTools::TimeRangeDragged(Chart chart, double start, double current, bool finished) {
    if (!RangeDragging) {
        // A drag that starts inside the marked range moves it; any other marks a new one.
        RangeDragging = true;
        RangeMoving = HasRange && start >= RangeFrom && start <= RangeTo;
        MoveFrom = RangeFrom;
        MoveTo = RangeTo;
    }
    if (RangeMoving) {
        MarkTimeRange(MoveFrom + current - start, MoveTo + current - start);
    } else if (finished && start == current) {
        ClearTimeRange(); // a click without a drag takes the range away
    } else {
        MarkTimeRange(std::min(start, current), std::max(start, current));
    }
    if (!finished) return;
    RangeDragging = false;
    Charts.Plot(chart)->unsetCursor();
    if (HasRange) ShowStatistics();
}

void ChartTools::MarkTimeRange(double from, double to) {
    HasRange = true;
    RangeFrom = from;
    RangeTo = to;
    RefreshBands();
    UpdateStatistics();
    emit TimeRangeChanged();
}

void ChartTools::ClearTimeRange() {
    HasRange = false;
    RefreshBands();
    emit TimeRangeChanged();
}

std::optional<std::pair<double, double>> ChartTools::MarkedRange() const {
    if (!HasRange) return std::nullopt;
    return std::pair{RangeFrom, RangeTo};
}

void ChartTools::RefreshBands() {
    const std::vector<Chart> charts = PageCharts(Controls.ActivePage);
    for (const Chart chart : AllCharts) {
        QCPItemRect* band = Bands[IndexOf(chart)];
        band->setVisible(HasRange &&
                         std::find(charts.begin(), charts.end(), chart) != charts.end());
        band->topLeft->setCoords(RangeFrom, 0);
        band->bottomRight->setCoords(RangeTo, 1);
        Charts.Plot(chart)->replot(QCustomPlot::rpQueuedReplot);
    }
}

std::vector<ShownCurve> ChartTools::PageCurvesShown() const {
    return RecordedCurves(State.Recorded, Controls.ActivePage, Controls.UnitIndex, State.Mass,
                          [this](CurveId id) { return Charts.PointCount(id.Chart, id.Series); });
}

void ChartTools::ShowStatistics() {
    const bool opening = !StatisticsView->isVisible();
    StatisticsView->show();
    StatisticsTimer.start();
    UpdateStatistics();
    if (opening) {
        // Over the value panels at the right, where it hides the least of the charts.
        const QRect window = MainWindow->frameGeometry();
        StatisticsView->move(window.right() - StatisticsView->frameGeometry().width() - 20,
                             window.top() + 80);
    }
    StatisticsView->raise();
}

void ChartTools::UpdateStatistics() {
    if (!StatisticsView->isVisible()) {
        StatisticsTimer.stop();
        return;
    }
    const RangeTable now = CurrentStatistics();
    StatisticsView->ShowTable(now.Table, now.Range);
}

ChartTools::RangeTable ChartTools::CurrentStatistics() const {
    const Chart chart = TargetChart();
    const double from = HasRange ? RangeFrom : Charts.BottomMin(chart);
    const double to = HasRange ? RangeTo : Charts.BottomMax(chart);
    const QString range = QStringLiteral("%1: %2 s ~ %3 s")
                              .arg(HasRange ? tr("선택한 구간") : tr("보이는 구간"),
                                   Text(FormatFixed(from, 2)), Text(FormatFixed(to, 2)));
    // Beside the velocity, the mean acceleration of the samples it was integrated from.
    const MeanAcceleration mean =
        EstimateMeanAcceleration(State.Recorded, Charts.PointCount(Chart::Velocity, 0), from, to);
    return {RangeStatisticsTable(PageCurvesShown(), from, to, mean), range};
}

// ---- the pendulum fit ----

ChartTools::ViewFit ChartTools::FitOfView() const {
    const QCPRange view = Charts.Plot(Chart::Acceleration)->xAxis->range();
    ViewFit result{PendulumSourceOf(State.Recorded, Controls.PendAxis), {}, {}};
    result.Samples = PendulumSamplesBetween(
        State.Recorded, result.Source, Charts.PointCount(Chart::Acceleration, result.Source.Series),
        view.lower, view.upper);
    PendulumSamples input{result.Samples.Times,
                          result.Samples.Observed,
                          {},
                          Window.PendByGravity->isChecked(),
                          result.Samples.Absolute};
    for (int k = 0; k < 2; ++k)
        input.Others[k] = result.Samples.Others[k];
    result.Fit = FitPendulum(input, ReadTypedLength(Std(Window.PendLength->text())));
    return result;
}

std::optional<Message> ChartTools::LargeSwingNote() const {
    if (Controls.ActivePage != Page::TabPendulum) return std::nullopt;
    const ViewFit view = FitOfView();
    return view.Source.Missing ? std::nullopt : LargeSwingLine(view.Fit);
}

void ChartTools::FitSineInView() {
    if (Controls.ActivePage != Page::TabPendulum) return;
    QCustomPlot* plot = Charts.Plot(Chart::Acceleration);
    const auto [source, samples, fit] = FitOfView();
    const double unitFactor = UnitFactor(Controls.UnitIndex);
    RemoveFit();
    const bool fitted = !source.Missing && fit.Ok;
    if (fitted) {
        FitCurve = plot->addGraph(plot->xAxis, plot->yAxis);
        FitCurve->setLayer(FitLayer);
        FitCurve->setPen(QPen(FitColour, 2.5));
        const RunConditions& run = State.Recorded.Conditions;
        QVector<QCPGraphData> curve;
        for (const auto& [t, g] :
             DrawnFitCurve(fit, samples.Times, samples.FirstFiltered,
                           run.Known ? run.KalmanIndex : 0, source.Axis, run.RangeCode, FitStep))
            curve.append(QCPGraphData(t, (g + samples.DrawnOffset) * unitFactor));
        FitCurve->data()->set(curve, true);
    }
    FitLabel = new QCPItemText(plot);
    FitLabel->setLayer("legend");
    FitLabel->setClipToAxisRect(true);
    FitLabel->position->setType(QCPItemPosition::ptAxisRectRatio);
    FitLabel->position->setAxisRect(plot->axisRect());
    // In the half of the chart the curve leaves free.
    const bool curveAbove = fitted && (fit.Periodic.Offset + samples.DrawnOffset) * unitFactor >
                                          plot->yAxis->range().center();
    FitLabel->position->setCoords(0.01, curveAbove ? 0.98 : 0.02);
    FitLabel->setPositionAlignment(Qt::AlignLeft | (curveAbove ? Qt::AlignBottom : Qt::AlignTop));
    FitLabel->setTextAlignment(Qt::AlignLeft);
    FitLabel->setPadding(QMargins(6, 4, 6, 4));
    FitLabel->setPen(QPen(FitColour));
    FitLabel->setBrush(QColor(255, 255, 255, 235));
    QStringList lines;
    for (const Message& line :
         source.Missing ? std::vector{*source.Missing} : PendulumFitLines(fit))
        lines << ShownText(line);
    FitLabel->setText(lines.join('\n'));
    FitLabelFont = FitLabel->font();
    ApplyFitTextSize();
    plot->replot(QCustomPlot::rpQueuedReplot);
}

void ChartTools::SetFitTextPixels(int pixels) {
    FitTextPixels = pixels;
    if (FitLabel == nullptr) return;
    ApplyFitTextSize();
    Charts.Plot(Chart::Acceleration)->replot(QCustomPlot::rpQueuedReplot);
}

void ChartTools::ApplyFitTextSize() {
    QFont font = FitLabelFont;
    if (FitTextPixels > 0) {
        font.setPixelSize(FitTextPixels);
        font.setBold(true);
    }
    FitLabel->setFont(font);
}

QString ChartTools::FitText() const {
    return FitLabel != nullptr ? FitLabel->text() : QString();
}

void ChartTools::RemoveFit() {
    QCustomPlot* plot = Charts.Plot(Chart::Acceleration);
    if (FitCurve != nullptr) plot->removeGraph(FitCurve);
    if (FitLabel != nullptr) plot->removeItem(FitLabel);
    FitCurve = nullptr;
    FitLabel = nullptr;
    plot->replot(QCustomPlot::rpQueuedReplot);
}

// ---- what happens to the charts ----

void ChartTools::SeriesCleared(Chart chart, int series) {
    Overlay.SeriesCleared(chart, series);
    SeriesRedrawn(chart, series);
}

void ChartTools::SeriesRedrawn(Chart chart, int series) {
    if (chart != Chart::Acceleration || series != 0) return;
    if (FitLabel != nullptr) RemoveFit();
    RefreshBands();
    Overlay.Refresh();
}

void ChartTools::KeepRun(Page page, const QDateTime& started) {
    std::vector<ShownCurve> curves = PageCurvesShown();
    std::erase_if(curves, [](const ShownCurve& curve) { return curve.Series != 0; });
    Overlay.Keep(page, started, curves);
}

// ---- exports ----

void ChartTools::AskPicturePath() {
    const Chart chart = TargetChart();
    QString base = QFileInfo(Window.LogName->text()).completeBaseName();
    if (base.isEmpty()) base = QStringLiteral("chart");
    const QString path =
        Window.AskSavePath(Actions[Tool::Picture]->text(),
                           QStringLiteral("%1_Chart%2.png").arg(base).arg(static_cast<int>(chart)),
                           {QStringLiteral("PNG (*.png)"), QStringLiteral("SVG (*.svg)"),
                            QStringLiteral("PDF (*.pdf)")});
    if (!path.isEmpty()) SavePicture(chart, path);
}

void ChartTools::AskCsvPath() {
    if (PageCurvesShown().empty()) {
        QMessageBox::information(MainWindow, MainWindow->windowTitle(),
                                 tr("저장할 수 있는 Data가 없습니다"));
        return;
    }
    QString base = QFileInfo(Window.LogName->text()).completeBaseName();
    if (base.isEmpty()) base = QStringLiteral("run");
    const QString path =
        Window.AskSavePath(Actions[Tool::Csv]->text(), QStringLiteral("%1_table.csv").arg(base),
                           {QStringLiteral("CSV (*.csv)")});
    if (!path.isEmpty()) ExportCsv(path);
}

bool ChartTools::SavePicture(Chart chart, const QString& path) {
    QCustomPlot* plot = Charts.Plot(chart);
    const QString suffix = QFileInfo(path).suffix().toLower();
    bool saved = false;
    if (suffix == QLatin1String("svg")) {
        saved = SaveSvgPicture(*plot, path);
    } else if (suffix == QLatin1String("pdf")) {
        saved = plot->savePdf(path);
    } else {
        // Marked at twice the screen's resolution: the same size on paper, twice as sharp.
        saved = plot->savePng(path, 0, 0, PictureScale, -1, 96 * PictureScale);
    }
    View.AppendMessage((saved ? "Picture saved : " : "Cannot save picture : ") + Std(path));
    return saved;
}

bool ChartTools::ExportCsv(const QString& path) {
    const auto columns = ExportColumns(PageCurvesShown(), Controls.UnitIndex != 0);
    const bool written = !columns.empty() && WriteSpreadsheetCsv(Std(path), columns);
    View.AppendMessage((written ? "CSV exported : " : "Cannot export CSV : ") + Std(path));
    return written;
}
