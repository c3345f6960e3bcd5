#include "display/ChartTools.h"

#include "analysis/DrawnFit.h"
#include "analysis/ExportTable.h"
#include "analysis/PendulumFit.h"
#include "analysis/PendulumInView.h"
#include "analysis/PolynomialFit.h"
#include "analysis/RangeStatistics.h"
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
#include <QScreen>
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
constexpr int MenuDrop = 8;            // pixels
constexpr int MessageAreaHeight = 120; // pixels

} // namespace

ChartTools::ChartTools(ChartSet& charts, const LiveState& state, const ControlState& controls,
                       ChartToolControls window, MeasurementView& view, QWidget* mainWindow)
    : QObject(mainWindow), Charts(charts), State(state), Controls(controls),
      Window(std::move(window)), View(view), MainWindow(mainWindow), Overlay(charts, controls),
      StatisticsView(new StatisticsWindow(mainWindow)), ChartMenu(new QMenu(mainWindow)),
      FitView(new FitWindow(mainWindow)) {
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
        if (chart == FitChart && FitLabel != nullptr && !HasRange) RefitTimer.start();
        if (!HasRange) UpdateStatistics();
    });
    // A scroll moves the view many times a second: the fit follows once it rests.
    RefitTimer.setSingleShot(true);
    RefitTimer.setInterval(RefitDelayMs);
    connect(&RefitTimer, &QTimer::timeout, this, &ChartTools::FitChosenModel);
    connect(FitView, &FitWindow::ChoiceChanged, this, &ChartTools::FitChosenModel);
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
        {Tool::ModelFit, QT_TR_NOOP("직선·포물선 맞춤"), "Ctrl+Shift+M",
         &ChartTools::ShowFitWindow},
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
        // Shortcuts work wherever the main window or a tool window is active.
        mainWindow->addAction(action);
        StatisticsView->addAction(action);
        FitView->addAction(action);
        Actions[tool.Kind] = action;
        ChartMenu->addAction(action);
        if (tool.Kind == Tool::MarkRange || tool.Kind == Tool::ModelFit ||
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
    for (const Tool tool : {Tool::Statistics, Tool::MarkRange, Tool::ModelFit, Tool::Csv})
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
    if (FitLabel != nullptr) RefitTimer.start();
    emit TimeRangeChanged();
}

void ChartTools::ClearTimeRange() {
    HasRange = false;
    RefreshBands();
    // The sine fit goes back to the samples in view.
    if (FitLabel != nullptr) RefitTimer.start();
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
    StatisticsView->activateWindow(); // so that Esc closes it, as it does the fit window
}

std::pair<double, double> ChartTools::ToolRange(Chart chart) const {
    if (HasRange) return {RangeFrom, RangeTo};
    return {Charts.BottomMin(chart), Charts.BottomMax(chart)};
}

QString ChartTools::RangeText(double from, double to) const {
    return QStringLiteral("%1: %2 s ~ %3 s")
        .arg(HasRange ? tr("선택한 구간") : tr("보이는 구간"), Text(FormatFixed(from, 2)),
             Text(FormatFixed(to, 2)));
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
    const auto [from, to] = ToolRange(TargetChart());
    // Beside the velocity, the mean acceleration of the samples it was integrated from.
    const MeanAcceleration mean =
        EstimateMeanAcceleration(State.Recorded, Charts.PointCount(Chart::Velocity, 0), from, to);
    return {RangeStatisticsTable(PageCurvesShown(), from, to, mean), RangeText(from, to)};
}

// ---- the fits ----

ChartTools::ViewFit ChartTools::FitOfRange(double from, double to) const {
    ViewFit result{PendulumSourceOf(State.Recorded, Controls.PendAxis), {}, {}};
    result.Samples = PendulumSamplesBetween(
        State.Recorded, result.Source, Charts.PointCount(Chart::Acceleration, result.Source.Series),
        from, to);
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
    const QCPRange shown = Charts.Plot(Chart::Acceleration)->xAxis->range();
    const ViewFit view = FitOfRange(shown.lower, shown.upper);
    return view.Source.Missing ? std::nullopt : LargeSwingLine(view.Fit);
}

void ChartTools::FitSineInView() {
    if (Controls.ActivePage != Page::TabPendulum) return;
    FitView->ChooseModel(FitWindow::Model::Sine);
    ShowFitWindow();
}

void ChartTools::ShowFitWindow() {
    const bool opening = !FitView->isVisible();
    FitView->show();
    FitChosenModel();
    if (opening) {
        // At the right, over the message area and below the page's result boxes, as far down
        // as the screen allows.
        const QRect window = MainWindow->frameGeometry();
        const QRect fit = FitView->frameGeometry();
        const int screenBottom = MainWindow->screen()->availableGeometry().bottom();
        FitView->move(window.right() - fit.width() - 20,
                      std::min(window.bottom() - MessageAreaHeight, screenBottom - fit.height()));
    }
    FitView->raise();
    FitView->activateWindow(); // the keys go to the model, also where showing does not give them
}

void ChartTools::FitChosenModel() {
    const std::vector<ShownCurve> curves = PageCurvesShown();
    QStringList titles;
    for (const ShownCurve& curve : curves)
        titles << ShownText(curve.Title);
    FitView->OfferCurves(titles, Controls.ActivePage == Page::TabPendulum);
    RemoveFit();
    const FitWindow::Model model = FitView->ChosenModel();
    if (model == FitWindow::Model::Sine) {
        FitSine();
        return;
    }
    const int chosen = FitView->ChosenCurve();
    if (chosen >= 0 && chosen < static_cast<int>(curves.size()))
        FitPolynomialCurve(curves[chosen], model == FitWindow::Model::Line ? 1 : 2);
    else
        FitView->ShowResult(QString(), {ShownText(MessageId::FitTooFewPoints)});
}

void ChartTools::FitSine() {
    const auto [from, to] = ToolRange(Chart::Acceleration);
    const auto [source, samples, fit] = FitOfRange(from, to);
    const double unitFactor = UnitFactor(Controls.UnitIndex);
    QVector<QCPGraphData> curve;
    if (!source.Missing && fit.Ok) {
        const RunConditions& run = State.Recorded.Conditions;
        for (const auto& [t, g] :
             DrawnFitCurve(fit, samples.Times, samples.FirstFiltered,
                           run.Known ? run.KalmanIndex : 0, source.Axis, run.RangeCode, FitStep))
            curve.append(QCPGraphData(t, (g + samples.DrawnOffset) * unitFactor));
    }
    QStringList lines;
    for (const Message& line :
         source.Missing ? std::vector{*source.Missing} : PendulumFitLines(fit))
        lines << ShownText(line);
    // The chart keeps the period; the window has the rest.
    const QString label =
        curve.isEmpty() ? lines.front() : ShownText(MessageId::SineFit) + ": " + lines[1];
    DrawFit(Chart::Acceleration, curve, (fit.Periodic.Offset + samples.DrawnOffset) * unitFactor,
            label);
    FitView->ShowResult(RangeText(from, to), lines);
}

void ChartTools::FitPolynomialCurve(const ShownCurve& shown, int degree) {
    const auto [from, to] = ToolRange(shown.Chart);
    const PolynomialFit fit = FitPolynomial(shown.Times, shown.Values, from, to, degree);
    QVector<QCPGraphData> curve;
    double level = 0.0;
    if (fit.Ok) {
        const SampleRange range = SamplesBetween(shown.Times, from, to);
        const double first = shown.Times[range.First], last = shown.Times[range.End - 1];
        for (double t = first; t < last + FitStep / 2; t += FitStep)
            curve.append(QCPGraphData(std::min(t, last), fit.ValueAt(std::min(t, last))));
        level = fit.ValueAt((first + last) / 2);
    }
    QStringList lines;
    for (const Message& line : PolynomialFitLines(fit, shown.Unit))
        lines << ShownText(line);
    DrawFit(shown.Chart, curve, level, ShownText(PolynomialFitLabel(fit)));
    FitView->ShowResult(RangeText(from, to), lines);
}

void ChartTools::DrawFit(Chart chart, const QVector<QCPGraphData>& curve, double level,
                         const QString& label) {
    FitChart = chart;
    QCustomPlot* plot = Charts.Plot(chart);
    if (!curve.isEmpty()) {
        FitCurve = plot->addGraph(plot->xAxis, plot->yAxis);
        FitCurve->setLayer(FitLayer);
        FitCurve->setPen(QPen(FitColour, 2.5));
        FitCurve->data()->set(curve, true);
    }
    FitLabel = new QCPItemText(plot);
    FitLabel->setLayer("legend");
    FitLabel->setClipToAxisRect(true);
    FitLabel->position->setType(QCPItemPosition::ptAxisRectRatio);
    FitLabel->position->setAxisRect(plot->axisRect());
    // In the half of the chart the curve leaves free.
    const bool curveAbove = !curve.isEmpty() && level > plot->yAxis->range().center();
    FitLabel->position->setCoords(0.01, curveAbove ? 0.98 : 0.02);
    FitLabel->setPositionAlignment(Qt::AlignLeft | (curveAbove ? Qt::AlignBottom : Qt::AlignTop));
    FitLabel->setTextAlignment(Qt::AlignLeft);
    FitLabel->setPadding(QMargins(6, 4, 6, 4));
    FitLabel->setPen(QPen(FitColour));
    FitLabel->setBrush(QColor(255, 255, 255, 235));
    FitLabel->setText(label);
    FitLabelFont = FitLabel->font();
    ApplyFitTextSize();
    plot->replot(QCustomPlot::rpQueuedReplot);
}

void ChartTools::SetFitTextPixels(int pixels) {
    FitTextPixels = pixels;
    if (FitLabel == nullptr) return;
    ApplyFitTextSize();
    Charts.Plot(FitChart)->replot(QCustomPlot::rpQueuedReplot);
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
    return FitView->ResultText();
}

QString ChartTools::FitLabelText() const {
    return FitLabel != nullptr ? FitLabel->text() : QString();
}

void ChartTools::RemoveFit() {
    QCustomPlot* plot = Charts.Plot(FitChart);
    if (FitCurve != nullptr) plot->removeGraph(FitCurve);
    if (FitLabel != nullptr) plot->removeItem(FitLabel);
    FitCurve = nullptr;
    FitLabel = nullptr;
    FitView->ShowResult(QString(), {});
    plot->replot(QCustomPlot::rpQueuedReplot);
}

// ---- what happens to the charts ----

void ChartTools::SeriesCleared(Chart chart, int series) {
    Overlay.SeriesCleared(chart, series);
    SeriesRedrawn(chart, series);
}

void ChartTools::SeriesRedrawn(Chart chart, int series) {
    // A new run, a load or a page change clears the acceleration chart's first series too.
    const bool fitGoes = chart == FitChart || chart == Chart::Acceleration;
    if (series == 0 && fitGoes && FitLabel != nullptr) RemoveFit();
    if (chart != Chart::Acceleration || series != 0) return;
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
