#include "SimulatorProcess.h"
#include "display/RunTableModel.h"
#include "display/RunTableWindow.h"
#include "files/LogFile.h"
#include "tests/app/Program.h"

#include <QAction>
#include <QClipboard>
#include <QHeaderView>
#include <QTableView>
#include <cmath>
#include <qcustomplot.h>

namespace {

constexpr double Mass = 2.0; // kg, in the settings file

QStringList Titles(const RunTableModel& model) {
    QStringList titles;
    for (int column = 0; column < model.columnCount(); ++column)
        titles << model.headerData(column, Qt::Horizontal).toString();
    return titles;
}

double Cell(const RunTableModel& model, int row, int column) {
    return model.index(row, column).data().toString().toDouble();
}

// The table's cells show four decimals, of six significant digits at most.
bool Near(double shown, double expected) {
    return std::abs(shown - expected) <= std::max(0.6e-4, 6e-6 * std::abs(expected));
}

// The shaded band of the marked range on a chart, if one is shown.
QCPItemRect* ShownBand(QCustomPlot* chart) {
    for (int i = 0; i < chart->itemCount(); ++i)
        if (auto* band = qobject_cast<QCPItemRect*>(chart->item(i)); band && band->visible())
            return band;
    return nullptr;
}

} // namespace

// The data table of the real window against accsim at five times the device's rate.
class DataTableTest : public QObject {
    Q_OBJECT
private slots:
    // Opened with Ctrl+T, the table waits for the run's end, then holds every sample of the
    // recording: time, the three axes in the unit shown, force F = m·a and the vector sum on the
    // acceleration page; velocity and distance as the velocity chart and the distance box have
    // them on the velocity page; the tilt on the tilt page.
    void ColumnsFollowTheRecordingTheUnitAndThePage() {
        SimulatorProcess simulator({"--rate", "250", "--motion", "push", "--push-every", "2"});
        Program lab(simulator.PortLine() + QStringLiteral("CmbUnit=1\r\nEdMass=%1\r\n").arg(Mass));
        QVERIFY(lab.Connected());
        QVERIFY(QTest::qWaitForWindowActive(lab.Window.get()));
        QTest::keyClick(lab.Window.get(), Qt::Key_T, Qt::ControlModifier);
        RunTableWindow& table = lab.Form1->DataTable();
        QTRY_VERIFY_WITH_TIMEOUT(table.isVisible(), Deadline);
        const RunTableModel& model = table.Model();
        lab.Click("BBtnStart");
        QVERIFY(lab.WaitForSamples(20));
        QCOMPARE(model.rowCount(), 0);
        QVERIFY(table.StatusText().contains("측정 중"));
        QTRY_VERIFY_WITH_TIMEOUT(lab.Memo().contains("[Stop Data Log"), Deadline);

        const Recording& run = lab.Live().Recorded;
        const auto* chart = lab.Find<QCustomPlot>("Chart1");
        for (const double unit : {StandardGravity, 1.0}) {
            const QString a = unit == 1.0 ? " [g]" : " [m/s²]";
            QCOMPARE(Titles(model),
                     QStringList({"시간 [s]", "X 가속도" + a, "Y 가속도" + a, "Z 가속도" + a,
                                  unit == 1.0 ? "힘 [kgf]" : "힘 [N]", "벡터합" + a}));
            QCOMPARE(model.rowCount(), int(run.LogCount));
            for (int row = 0; row < model.rowCount(); row += 7) {
                const double x = run.LogX[row], y = run.LogY[row], z = run.LogZ[row];
                QCOMPARE(model.TimeOf(row), chart->graph(0)->data()->at(row)->key);
                QVERIFY(Near(Cell(model, row, 1), chart->graph(0)->data()->at(row)->value));
                QVERIFY(Near(Cell(model, row, 1), x * unit));
                QVERIFY(Near(Cell(model, row, 2), y * unit) && Near(Cell(model, row, 3), z * unit));
                QVERIFY(Near(Cell(model, row, 4), Mass * x * unit));
                QVERIFY(Near(Cell(model, row, 5), std::sqrt(x * x + y * y + z * z) * unit));
            }
            lab.Choose("CmbUnit", 0);
        }

        lab.ShowPage("TabAngle");
        QCOMPARE(Titles(model).mid(3), QStringList({"Z 가속도 [g]", "기울기 [°]"}));
        lab.ShowPage("TabSpeed");
        QVERIFY(lab.FullRun());
        QCOMPARE(Titles(model).mid(3),
                 QStringList({"Z 가속도 [g]", "속도 [m/s]", "이동 거리 [m]"}));
        const auto* velocity = lab.Find<QCustomPlot>("Chart2");
        const int last = model.rowCount() - 1;
        QCOMPARE(last + 1, velocity->graph(0)->dataCount());
        for (int row = 0; row <= last; row += 7)
            QVERIFY(Near(Cell(model, row, 4), velocity->graph(0)->data()->at(row)->value));
        QVERIFY2(Near(Cell(model, last, 5), lab.Live().Distance),
                 qPrintable(model.index(last, 5).data().toString()));
    }

    // Rows selected with the keyboard mark their time range on the charts; a range marked on a
    // chart, also before the table opens, selects its rows and a click on the chart takes both
    // away. Ctrl+C copies the title row and the selected rows, tab-separated; Esc closes the table.
    void SelectedRowsAndTheChartsRangeFollowEachOther() {
        SimulatorProcess simulator({"--rate", "250", "--motion", "push", "--push-every", "2"});
        Program lab(simulator.PortLine() + "CmbUnit=1\r\n");
        QVERIFY(lab.Connected());
        QVERIFY(lab.FullRun());
        RunTableWindow& table = lab.Form1->DataTable();
        ChartTools& tools = lab.Form1->AnalysisTools();
        tools.MarkTimeRange(1.0, 1.5); // before the table opens
        lab.Form1->findChild<QAction*>("ActRunTable")->trigger();
        QTableView* view = table.View();
        const RunTableModel& model = table.Model();
        QCOMPARE(view->selectionModel()->selectedRows().size(), 26);
        auto* chart = lab.Find<QCustomPlot>("Chart1");

        QCOMPARE(view->currentIndex().row(), 50);
        for (int step = 0; step < 50; ++step)
            QTest::keyClick(view, Qt::Key_Down);
        for (int step = 0; step < 50; ++step)
            QTest::keyClick(view, Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(tools.MarkedRange(),
                 std::optional(std::pair{model.TimeOf(100), model.TimeOf(150)}));
        QVERIFY(ShownBand(chart) != nullptr);
        QCOMPARE(ShownBand(chart)->topLeft->coords().x(), model.TimeOf(100));

        QApplication::clipboard()->clear();
        QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
        const QStringList lines = QApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 1 + 51);
        QCOMPARE(lines[0], Titles(model).join('\t'));
        QCOMPARE(lines[1].split('\t').size(), model.columnCount());
        QCOMPARE(lines[1].section('\t', 0, 0), QStringLiteral("2.000"));
        QCOMPARE(lines[51].section('\t', 1, 1), model.index(150, 1).data().toString());

        QTest::mousePress(chart, Qt::LeftButton, Qt::ShiftModifier, At(chart, 5.0));
        QTest::mouseMove(chart, At(chart, 6.0));
        QTest::mouseRelease(chart, Qt::LeftButton, Qt::ShiftModifier, At(chart, 6.0));
        const auto [from, to] = *tools.MarkedRange();
        const QModelIndexList rows = view->selectionModel()->selectedRows();
        QVERIFY(std::abs(from - 5.0) < 0.08 && rows.size() >= 45 && rows.size() <= 55);
        const int first = rows.first().row(), end = rows.last().row();
        QVERIFY(model.TimeOf(first) > from - 1e-6 && model.TimeOf(first - 1) < from);
        QVERIFY(model.TimeOf(end) < to + 1e-6 && model.TimeOf(end + 1) > to);
        QCOMPARE(end - first + 1, rows.size());

        QTest::mouseClick(chart, Qt::LeftButton, Qt::ShiftModifier, At(chart, 7.0));
        QVERIFY(!tools.MarkedRange() && !view->selectionModel()->hasSelection());
        QTest::keyClick(view, Qt::Key_Escape);
        QVERIFY(!table.isVisible());
    }

    // A log loaded while the table is open fills it, with just the axes the log holds.
    void ALoadedLogFillsTheTable() {
        Program lab(QStringLiteral("CmbUnit=0\r\n"));
        RunTableWindow& table = lab.Form1->DataTable();
        table.OpenAction()->trigger();
        QCOMPARE(table.Model().rowCount(), 0);
        const QString path = lab.FilePath("LogData/x.csv");
        QFile log(path);
        QVERIFY(log.open(QIODevice::WriteOnly));
        for (int i = 0; i < 300; ++i)
            log.write(QByteArray::number(i) + "," + QByteArray::number(0.001 * i, 'f', 3) + "\r\n");
        log.close();
        ModalAnswers answers;
        answers.Paths << path;
        lab.Click("BBtnLoad");
        const RunTableModel& model = table.Model();
        QTRY_COMPARE_WITH_TIMEOUT(model.rowCount(), 300, Deadline);
        QCOMPARE(Titles(model).mid(0, 2), QStringList({"시간 [s]", "X 가속도 [g]"}));
        QVERIFY(!Titles(model).join(' ').contains("Y 가속도"));
        QCOMPARE(model.index(299, 0).data().toString(), QStringLiteral("5.980"));
        QCOMPARE(model.index(299, 1).data().toString(), QStringLiteral("0.2990"));
    }
};

QTEST_MAIN(DataTableTest)
#include "DataTableTest.moc"
