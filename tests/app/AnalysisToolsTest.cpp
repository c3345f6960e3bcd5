#include "SimulatorProcess.h"
#include "app/Tarvikmain.h"
#include "engine/NumberText.h"
#include "files/Cp949.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <numbers>
#include <qcustomplot.h>

namespace {

const int Deadline = 20000;

// Tarvik in a fresh working folder, connected to a simulator that runs at `rate` samples a
// second (five times the device's rate fills a 10-second window in two).
struct Lab {
    explicit Lab(QStringList simulatorOptions, const QString& settings = {})
        : Simulator(simulatorOptions) {
        QDir::setCurrent(Folder.path());
        QFile file(QStringLiteral("default.ini"));
        file.open(QIODevice::WriteOnly);
        file.write("Kvd_Log_DataBase_Ver=1.0\r\nCmbComPort=" + Simulator.DevicePath().toUtf8() +
                   "\r\n" + settings.toUtf8());
        file.close();
        Form1 = std::make_unique<TForm1>();
        Form1->show();
    }
    ~Lab() {
        if (Form1) Form1->close();
        QDir::setCurrent(QDir::tempPath());
    }

    template <typename T> T* Find(const char* name) const {
        return Form1->findChild<T*>(QLatin1String(name));
    }
    QString Memo() const { return Find<QPlainTextEdit>("Memo1")->toPlainText(); }
    QString RunName() const { return Find<QLineEdit>("EdLogFile")->text(); }
    QString Autosaved(const QString& name) const {
        return Folder.filePath(QStringLiteral("LogData/Autosave/") + name);
    }
    void Start() { Find<QAbstractButton>("BBtnStart")->click(); }
    void ShowPage(int page) { Find<QTabWidget>("PageControl1")->setCurrentIndex(page); }
    ChartTools& Tools() const { return Form1->AnalysisTools(); }
    QCustomPlot* Chart(const char* name) const { return Find<QCustomPlot>(name); }
    // A run that fills its window.
    bool FullRun() {
        const int stops = Memo().count(QStringLiteral("[Stop Data Log"));
        Start();
        return QTest::qWaitFor([&] { return Memo().count("[Stop Data Log") > stops; }, Deadline);
    }
    // The pixel of a time on a chart, halfway up its plot area.
    static QPoint At(QCustomPlot* chart, double time) {
        return {int(chart->xAxis->coordToPixel(time)), chart->axisRect()->center().y()};
    }
    // Answers the next file dialog with a path.
    static void AnswerFileDialog(const QString& path) {
        QTimer::singleShot(300, [path] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog != nullptr);
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            name->setText(path);
            QTest::keyClick(name, Qt::Key_Return);
        });
    }
    bool WaitForSamples(int count) const {
        return QTest::qWaitFor([&] { return Form1->Live().LogCount >= std::uint32_t(count); },
                               Deadline);
    }

    SimulatorProcess Simulator;
    QTemporaryDir Folder;
    std::unique_ptr<TForm1> Form1;
};

// The rows of an autosaved log: the second field of each data row.
QList<double> LoggedX(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    QList<double> values;
    for (const QByteArray& line : file.readAll().split('\n'))
        if (!line.isEmpty() && std::isdigit(static_cast<unsigned char>(line[0])))
            values << line.split(',').value(1).trimmed().toDouble();
    return values;
}

} // namespace

class AnalysisToolsTest : public QObject {
    Q_OBJECT
private slots:
    void EveryRunThatEndsIsAutosavedOnce();
    void RangeStatisticsFollowTheMarkedRangeAndCopyAsATable();
    void OverlaysShowEarlierRunsAndNeverTheRecording();
    void ExportsOpenWithTheChartsValues();
    void SineFitMeasuresGravityOfTheSimulatedPendulum();
};

// A full window, a page change, a new Start and closing the window each end a run; each run
// is written once, in the log format, under the name its Start gave it.
void AnalysisToolsTest::EveryRunThatEndsIsAutosavedOnce() {
    Lab lab({"--rate", "250", "--motion", "push", "--push-every", "2"}, "CmbUnit=0\r\n");
    QTRY_VERIFY_WITH_TIMEOUT(lab.Form1->Live().DeviceFound, Deadline);
    const LiveState& state = lab.Form1->Live();

    lab.Start();
    const QString first = lab.RunName();
    QTRY_VERIFY_WITH_TIMEOUT(lab.Memo().contains("[Stop Data Log.............]"), Deadline);
    QVERIFY(
        lab.Memo().contains("Run autosaved : " + QDir::toNativeSeparators(lab.Autosaved(first))));
    const QList<double> logged = LoggedX(lab.Autosaved(first));
    QCOMPARE(logged.size(), 499);
    for (int i = 0; i < logged.size(); i += 50)
        QVERIFY(std::abs(logged[i] - state.LogX[i]) <= 0.0005);
    // A Stop after the end keeps nothing twice.
    lab.Find<QAbstractButton>("BBtnStop")->click();
    QCOMPARE(lab.Memo().count("Run autosaved"), 1);

    // A second later, so that the next run has a name of its own; a page change ends it.
    QTest::qWait(1100);
    lab.Start();
    const QString second = lab.RunName();
    QVERIFY(lab.WaitForSamples(100));
    lab.Find<QTabWidget>("PageControl1")->setCurrentIndex(1);
    QVERIFY(QFile::exists(lab.Autosaved(second)));
    QCOMPARE(LoggedX(lab.Autosaved(second)).size(), int(state.LogCount));

    // Start during a run keeps the run it ends, and closing the window the one running then.
    lab.Find<QTabWidget>("PageControl1")->setCurrentIndex(0);
    QTest::qWait(1100);
    lab.Start();
    const QString third = lab.RunName();
    QVERIFY(lab.WaitForSamples(50));
    lab.Start();
    QVERIFY(QFile::exists(lab.Autosaved(third)));
    const QString fourth = lab.RunName();
    QVERIFY(lab.WaitForSamples(50));
    lab.Form1->close();
    QVERIFY(QFile::exists(lab.Autosaved(fourth)));
    QCOMPARE(QDir(lab.Folder.filePath("LogData/Autosave")).entryList(QDir::Files).size(), 4);
}

// Shift + left drag marks a time range on the acceleration chart; the statistics window
// follows it, also when the range is dragged along, and copies as tab-separated text. A right
// click without moving opens the menu, a right drag still scrolls.
void AnalysisToolsTest::RangeStatisticsFollowTheMarkedRangeAndCopyAsATable() {
    Lab lab({"--rate", "250", "--motion", "push", "--push-every", "2"}, "CmbUnit=1\r\n");
    QTRY_VERIFY_WITH_TIMEOUT(lab.Form1->Live().DeviceFound, Deadline);
    QVERIFY(lab.FullRun());
    QCustomPlot* chart = lab.Chart("Chart1");
    QTest::mousePress(chart, Qt::LeftButton, Qt::ShiftModifier, Lab::At(chart, 2.0));
    QTest::mouseMove(chart, Lab::At(chart, 5.0));
    QTest::mouseRelease(chart, Qt::LeftButton, Qt::ShiftModifier, Lab::At(chart, 5.0));
    StatisticsWindow* window = lab.Tools().Statistics();
    QVERIFY(window->isVisible());
    QStringList rows = window->TableText().split('\n');
    QCOMPARE(rows[0], QStringLiteral("구간 통계\tX 가속도 [m/s²]\t힘 [N]"));
    const auto count = [](const QStringList& table) {
        return table[1].section('\t', 1, 1).toInt();
    };
    QVERIFY(std::abs(count(rows) - 150) <= 2); // 3 s of samples, within a pixel
    const double start = rows[2].section('\t', 1, 1).toDouble();
    QVERIFY(std::abs(start - 2.0) < 0.05); // within a pixel and a sample
    // The mean of the X column is the mean of the curve's points in the range.
    double sum = 0;
    int n = 0;
    for (auto point = chart->graph(0)->data()->constBegin();
         point != chart->graph(0)->data()->constEnd(); ++point) {
        if (point->key >= start && point->key <= rows[3].section('\t', 1, 1).toDouble()) {
            sum += point->value;
            ++n;
        }
    }
    QCOMPARE(n, count(rows));
    QCOMPARE(rows[7].section('\t', 1, 1), QString::fromStdString(FormatFixed(sum / n, 4)));

    // Dragged along from inside, the range keeps its width and the table follows.
    QTest::mousePress(chart, Qt::LeftButton, Qt::ShiftModifier, Lab::At(chart, 3.0));
    QTest::mouseMove(chart, Lab::At(chart, 4.0));
    QTest::mouseRelease(chart, Qt::LeftButton, Qt::ShiftModifier, Lab::At(chart, 4.0));
    rows = window->TableText().split('\n');
    QVERIFY2(std::abs(rows[2].section('\t', 1, 1).toDouble() - 3.0) < 0.08,
             qPrintable(rows.join('|')));
    QVERIFY(std::abs(count(rows) - 150) <= 3);
    window->findChild<QAbstractButton*>("BtnStatisticsCopy")->click();
    QCOMPARE(QApplication::clipboard()->text(), window->TableText());

    // "구간 선택" makes the next plain left drag mark a range instead of zooming.
    const QCPRange view = chart->xAxis->range();
    lab.Tools().Action(ChartTools::Tool::MarkRange)->trigger();
    const QPoint below(0, 40);
    QTest::mousePress(chart, Qt::LeftButton, {}, Lab::At(chart, 7.0));
    QTest::mouseMove(chart, Lab::At(chart, 8.0) + below);
    QTest::mouseRelease(chart, Qt::LeftButton, {}, Lab::At(chart, 8.0) + below);
    QCOMPARE(chart->xAxis->range(), view);
    rows = window->TableText().split('\n');
    QVERIFY(std::abs(rows[2].section('\t', 1, 1).toDouble() - 7.0) < 0.05);
    QVERIFY(std::abs(count(rows) - 50) <= 2);

    const double shownMin = chart->xAxis->range().lower;
    QTest::mouseClick(chart, Qt::RightButton, {}, Lab::At(chart, 6.0));
    QTRY_VERIFY_WITH_TIMEOUT(lab.Tools().Menu()->isVisible(), Deadline);
    lab.Tools().Menu()->hide();
    QCOMPARE(chart->xAxis->range().lower, shownMin);
    QTest::mousePress(chart, Qt::RightButton, {}, Lab::At(chart, 6.0));
    QTest::mouseMove(chart, Lab::At(chart, 5.0));
    QTest::mouseRelease(chart, Qt::RightButton, {}, Lab::At(chart, 5.0));
    QVERIFY(!lab.Tools().Menu()->isVisible());
    QVERIFY(std::abs(chart->xAxis->range().lower - (shownMin + 1.0)) < 0.05);
}

// Overlays show up to three earlier runs of the page under the current one, in the unit
// shown; the recording and the autosaved logs stay the runs' own.
void AnalysisToolsTest::OverlaysShowEarlierRunsAndNeverTheRecording() {
    Lab lab({"--rate", "250", "--motion", "push", "--push-every", "3"}, "CmbUnit=1\r\n");
    QTRY_VERIFY_WITH_TIMEOUT(lab.Form1->Live().DeviceFound, Deadline);
    QCustomPlot* chart = lab.Chart("Chart1");
    QVERIFY(lab.FullRun());
    QVector<double> first;
    for (auto point = chart->graph(0)->data()->constBegin();
         point != chart->graph(0)->data()->constEnd(); ++point)
        first << point->value;
    QTest::qWait(1100); // a name of its own for the next run
    QVERIFY(lab.FullRun());
    lab.Tools().Action(ChartTools::Tool::Overlay)->trigger();
    const RunOverlay& overlays = lab.Tools().Overlays();
    QCOMPARE(overlays.TraceCount(Chart1), 1);
    QCPGraph* trace = chart->graph(chart->graphCount() - 1);
    QCOMPARE(trace->dataCount(), first.size());
    QCOMPARE(trace->data()->at(100)->value, first[100]);
    QVERIFY(chart->legend->visible());
    QVERIFY(trace->pen().style() == Qt::DashLine);

    for (int run = 0; run < 3; ++run) {
        QTest::qWait(1100);
        QVERIFY(lab.FullRun());
    }
    QCOMPARE(overlays.TraceCount(Chart1), 3);
    QCOMPARE(lab.Form1->ChartsView().PointCount(Chart1, 0), 499);
    QCOMPARE(lab.Form1->Live().LogCount, 499u);
    QCOMPARE(LoggedX(lab.Autosaved(lab.RunName())).size(), 499);
    lab.Tools().Action(ChartTools::Tool::ClearOverlay)->trigger();
    QCOMPARE(overlays.TraceCount(Chart1), 0);
    QVERIFY(!chart->legend->visible());
}

// A picture at twice the chart's pixels, SVG and PDF files that are what they say, and a
// spreadsheet file whose values read back as the chart's.
void AnalysisToolsTest::ExportsOpenWithTheChartsValues() {
    Lab lab({"--rate", "250", "--motion", "push", "--push-every", "2", "--noise", "0.01"},
            "CmbUnit=1\r\n");
    QTRY_VERIFY_WITH_TIMEOUT(lab.Form1->Live().DeviceFound, Deadline);
    lab.ShowPage(3); // the velocity page: acceleration, velocity and the derived distance
    QVERIFY(lab.FullRun());
    QCustomPlot* chart = lab.Chart("Chart1");
    const QString base = lab.Folder.filePath("LogData/picture");
    QVERIFY(lab.Tools().SavePicture(Chart1, base + ".png"));
    QCOMPARE(QImage(base + ".png").size(), chart->size() * 2);
    QVERIFY(lab.Tools().SavePicture(Chart2, base + ".svg"));
    QVERIFY(lab.Tools().SavePicture(Chart2, base + ".pdf"));
    QFile svg(base + ".svg"), pdf(base + ".pdf");
    QVERIFY(svg.open(QIODevice::ReadOnly) && svg.readAll().contains("<svg"));
    QVERIFY(pdf.open(QIODevice::ReadOnly) && pdf.read(5) == "%PDF-");

    const QString path = lab.Folder.filePath("LogData/sheet.csv");
    Lab::AnswerFileDialog(path);
    lab.Tools().Action(ChartTools::Tool::Csv)->trigger();
    QVERIFY(lab.Memo().contains("CSV exported : " + path));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QList<QByteArray> lines = file.readAll().split('\n');
    QVERIFY(lines[0].startsWith("\xEF\xBB\xBF"));
    QCOMPARE(QString::fromUtf8(lines[0].mid(3)).trimmed(),
             QStringLiteral("시간 [s],X 가속도 [m/s²],속도 [m/s],이동 거리 [m]"));
    QCOMPARE(lines.size(), 1 + 499 + 1);
    const QCustomPlot* velocity = lab.Chart("Chart2");
    for (int row = 0; row < 499; ++row) {
        const QList<QByteArray> cells = lines[row + 1].trimmed().split(',');
        QVERIFY(std::abs(cells[0].toDouble() - chart->graph(0)->data()->at(row)->key) < 1e-6);
        QVERIFY(std::abs(cells[1].toDouble() - chart->graph(0)->data()->at(row)->value) < 1e-6);
        QVERIFY(std::abs(cells[2].toDouble() - velocity->graph(0)->data()->at(row)->value) < 1e-6);
    }
    // The last distance is the one the distance box adds up.
    QVERIFY(std::abs(lines[499].split(',')[3].toDouble() - lab.Form1->Live().Distance) < 1e-6);
}

// The period of a pendulum of length L swinging with amplitude θ0 (the arithmetic-geometric
// mean form of the complete elliptic integral).
double PendulumPeriod(double length, double amplitudeDegrees) {
    double a = 1, b = std::cos(amplitudeDegrees * std::numbers::pi / 360);
    for (int i = 0; i < 10; ++i)
        std::tie(a, b) = std::pair(0.5 * (a + b), std::sqrt(a * b));
    return 2 * std::numbers::pi * std::sqrt(length / 9.8) / a;
}

// accsim's pendulum follows the full pendulum equation with 0.002 g of noise; 10 s in view.
// At 20° the fitted period matches the motion's within 0.1 % and only the corrected g holds
// 9.8; at 5° the plain g does. The fit works on the run's log loaded back as well.
void AnalysisToolsTest::SineFitMeasuresGravityOfTheSimulatedPendulum() {
    QProcess help;
    help.start(QStringLiteral(ACCSIM_PATH), {QStringLiteral("--help")});
    help.waitForFinished(Deadline);
    if (!help.readAll().contains("--length"))
        QSKIP("accsim has no --length: its pendulum does not follow the full equation yet");
    for (const double amplitude : {20.0, 5.0}) {
        Lab lab({"--motion", "pendulum", "--length", "0.5", "--amplitude",
                 QString::number(amplitude), "--noise", "0.002"},
                "CmbUnit=1\r\nCmbYTime=10\r\nEdPendL=0.500\r\nRbPendY=true\r\nRbPendByG=true\r\n");
        QTRY_VERIFY_WITH_TIMEOUT(lab.Form1->Live().DeviceFound, Deadline);
        lab.ShowPage(2);
        lab.Find<QAbstractButton>("Cb3Axis")->setChecked(true); // the log keeps all three axes
        QVERIFY(lab.FullRun());
        lab.Tools().Action(ChartTools::Tool::SineFit)->trigger();
        // The value (0) or its interval (1) on the line of the fit's text that has the label.
        auto number = [](const QString& text, const QString& label, int which) {
            const QString line = text.section(label, 1).section('\n', 0, 0);
            return line.section(QStringLiteral(" = "), -1)
                .section(' ', which * 2, which * 2)
                .toDouble();
        };
        const QString text = lab.Tools().FitText();
        const double period = number(text, QStringLiteral("주기 T"), 0);
        const double truth = PendulumPeriod(0.5, amplitude);
        QVERIFY2(std::abs(period / truth - 1) < (amplitude > 10 ? 0.001 : 0.004), qPrintable(text));
        const double g = number(text, QStringLiteral("중력 g"), 0);
        const double gInterval = number(text, QStringLiteral("중력 g"), 1);
        const double corrected = number(text, QStringLiteral("보정한 g"), 0);
        const double correctedInterval = number(text, QStringLiteral("보정한 g"), 1);
        if (amplitude > 10) {
            QVERIFY2(std::abs(corrected - 9.8) <= correctedInterval, qPrintable(text));
            QVERIFY2(std::abs(g - 9.8) > gInterval, qPrintable(text));
        } else {
            // The stated interval is two σ; a live run's noise is not seeded, so the test
            // allows three, which the core's seeded trials pin down to two.
            QVERIFY2(std::abs(g - 9.8) <= 1.5 * gInterval, qPrintable(text));
        }
        // The run's log, loaded back, gives the same period.
        lab.AnswerFileDialog(lab.Autosaved(lab.RunName()));
        lab.Find<QAbstractButton>("BBtnLoad")->click();
        lab.Tools().Action(ChartTools::Tool::SineFit)->trigger();
        const QString loaded = lab.Tools().FitText();
        QVERIFY2(std::abs(number(loaded, QStringLiteral("주기 T"), 0) - period) <=
                     number(loaded, QStringLiteral("주기 T"), 1),
                 qPrintable(loaded));
    }
}

QTEST_MAIN(AnalysisToolsTest)
#include "AnalysisToolsTest.moc"
