#include "SimulatorProcess.h"
#include "engine/NumberText.h"
#include "tests/app/Program.h"

#include <QLabel>
#include <QRegularExpression>
#include <QTimer>
#include <qcustomplot.h>

namespace {

const QString Identify = QStringLiteral("02 00 00 00 02 03");
const QString StreamStartFrame = QStringLiteral("02 01 01 00 04 03");
const QString StreamStopFrame = QStringLiteral("02 01 00 00 03 03");

// Once the simulator has logged an identify request written here after everything the
// program sent, it has logged all of that too.
void WaitForEverythingSent(SimulatorProcess& simulator) {
    const int before = simulator.CountOf(Identify);
    QFile line(simulator.DevicePath());
    QVERIFY(line.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    const Frame identify = BuildFrame(CmdIdentify, 0, 0);
    line.write(reinterpret_cast<const char*>(identify.data()), identify.size());
    QTRY_COMPARE_WITH_TIMEOUT(simulator.CountOf(Identify), before + 1, Deadline);
}

} // namespace

class AppTest : public QObject {
    Q_OBJECT
private slots:
    // Closing the window closes the port without stopping the device and writes the settings,
    // which a restart reads back: a text, a list, a check box and the port.
    void ClosingKeepsTheSettingsAndLeavesTheDeviceStreaming() {
        SimulatorProcess simulator({});
        Program program(simulator.PortLine());
        QTRY_VERIFY_WITH_TIMEOUT(simulator.CountOf(StreamStartFrame) == 1, Deadline);
        program.Type("EdMass", "0.250");
        program.Find<QComboBox>("CmbYTime")->setCurrentIndex(3);
        program.Find<QAbstractButton>("CbDirRevY")->setChecked(true);
        program.Window->close();
        QVERIFY(!program.Form1->Port().Opened);
        WaitForEverythingSent(simulator);
        QCOMPARE(simulator.CountOf(StreamStopFrame), 0);

        TForm1 restarted;
        const Controls again{&restarted};
        QCOMPARE(again.Text("EdMass"), QStringLiteral("0.250"));
        QCOMPARE(restarted.Live().Mass, 0.25); // the force boxes' mass
        QCOMPARE(restarted.ChartsView().BottomMax(Chart::Tilt), 30.0);
        QVERIFY(again.Find<QAbstractButton>("CbDirRevY")->isChecked());
        QCOMPARE(again.Find<QComboBox>("CmbComPort")->currentText(), simulator.DevicePath());
    }

    void RunEndsWithTheWindowAndItsLogLoadsBack() {
        // Five times the real rate: the 10-second window fills in two seconds.
        SimulatorProcess simulator({"--rate", "250", "--motion", "push", "--push-every", "2"});
        Program program(simulator.PortLine() + "CmbYTime=10\r\nCmbUnit=1\r\n");
        QVERIFY(program.Connected());
        QVERIFY(program.FullRun());
        const LiveState& state = program.Live();
        const ChartSet& charts = program.Charts();
        QCOMPARE(charts.PointCount(Chart::Acceleration, SeriesX), 499);
        QCOMPARE(state.Recorded.LogCount, 499u);
        QVERIFY(program.Find<QComboBox>("CmbUnit")->isEnabled());

        ModalAnswers answers;
        const QString path = program.FilePath("LogData/run1");
        answers.Paths << path << path + ".csv";
        program.Click("BitBtn1");
        QCOMPARE(program.Text("EdLogFile"), QStringLiteral("run1.csv"));
        QVERIFY(program.Memo().contains("X Axis Log File Saved : "));

        // Loaded back in [g], the recorded values to a hundredth of a m/s².
        const std::vector<double> recorded(state.Recorded.LogX,
                                           state.Recorded.LogX + state.Recorded.LogCount);
        program.Find<QComboBox>("CmbUnit")->setCurrentIndex(0);
        program.Click("BBtnLoad");
        QCOMPARE(program.Text("EdLogFile"), QStringLiteral("run1"));
        QCOMPARE(state.Recorded.LogCount, 499u);
        QCOMPARE(charts.PointCount(Chart::Acceleration, SeriesX), 499);
        for (int i = 0; i < 499; ++i) {
            QVERIFY(std::abs(state.Recorded.LogX[i] - recorded[i]) <= 0.005 / 9.8);
            QCOMPARE(charts.YAt(Chart::Acceleration, SeriesX, i), state.Recorded.LogX[i]);
        }

        // The unit switch redraws the loaded samples in m/s², with the force X × mass.
        program.Choose("CmbUnit", 1);
        QCOMPARE(charts.PointCount(Chart::Acceleration, SeriesX), 499);
        QCOMPARE(charts.PointCount(Chart::Acceleration, SeriesY), 0);
        QCOMPARE(charts.YAt(Chart::Acceleration, SeriesX, 10), state.Recorded.LogX[10] * 9.8);
        QCOMPARE(charts.YAt(Chart::Acceleration, SeriesForce, 10),
                 state.Recorded.LogX[10] * 9.8 * 0.117);
    }

    // The core's readout table pins the texts; here the clicks reach it and the labels show it.
    void ChartReadoutShowsTheRecordingOrThePlaceClicked() {
        SimulatorProcess simulator({"--rate", "250", "--motion", "tilt"});
        Program program(simulator.PortLine() + "CmbYTime=10\r\nCmbUnit=1\r\n");
        QVERIFY(program.Connected());
        QVERIFY(program.Note->isVisible()); // shown at the end of the start-up search
        QTRY_VERIFY_WITH_TIMEOUT(program.Find<QWidget>("Cb3Axis")->isVisible(), Deadline);
        program.Click("Cb3Axis");
        // No force curve in three-axis mode, so no force axis beside the curves.
        QVERIFY(!program.Find<QCustomPlot>("Chart1")->yAxis2->visible());
        QVERIFY(program.FullRun());
        const LiveState& state = program.Live();
        int i = 20; // the sample where X lies farthest from the Z curve
        for (int j = 20; j < 480; ++j)
            if (std::abs(state.Recorded.LogX[j]) > std::abs(state.Recorded.LogX[i])) i = j;
        QVERIFY(std::abs(state.Recorded.LogX[i]) > 0.3);

        auto* chart = program.Find<QCustomPlot>("Chart1");
        auto* time = program.Find<QLabel>("STxtChartValueX");
        auto* value = program.Find<QLabel>("STxtChartValueY");
        auto* hideTimer = program.Form1->findChild<QTimer*>("TmFavWork2");
        auto clickAt = [&](Qt::MouseButton button, double x, double y) {
            const QPoint at(qRound(chart->xAxis->coordToPixel(x)),
                            qRound(chart->yAxis->coordToPixel(y)));
            QTest::mouseClick(chart, button, {}, at);
            return at;
        };
        auto expectReadout = [&](QPoint at, const QString& valueText, const QColor& colour) {
            QVERIFY(time->isVisible() && value->isVisible() && hideTimer->isActive());
            QCOMPARE(value->text(), valueText);
            QCOMPARE(value->palette().color(QPalette::WindowText), colour);
            QCOMPARE(time->pos(), at + QPoint(7, -26));
            QCOMPARE(value->pos(), at + QPoint(7, -10));
        };
        auto recorded = [&](const char* axis, double g) {
            return QString(axis) + "축ACC:" + QString::fromStdString(FormatFixed(g * 9.8, 2));
        };

        // Snapped, with any button: the recorded value of the axis nearest to the click.
        QPoint at = clickAt(Qt::LeftButton, i * 0.02, state.Recorded.LogZ[i] * 9.8 + 0.3);
        expectReadout(at, recorded("Z", state.Recorded.LogZ[i]), QColor(0, 0, 255));
        QCOMPARE(time->text(), QStringLiteral("Time:%1[s]").arg(i * 0.02, 0, 'f', 2));
        at = clickAt(Qt::RightButton, i * 0.02, state.Recorded.LogY[i] * 9.8 - 0.3);
        expectReadout(at, recorded("Y", state.Recorded.LogY[i]), QColor(255, 0, 0));
        // Free: the place under the pointer.
        program.Click("CbCursorFree");
        at = QPoint(chart->width() / 2, chart->height() / 2);
        const QPointF place = program.Charts().PixelToValues(at.x(), at.y());
        QTest::mouseClick(chart, Qt::MiddleButton, {}, at);
        expectReadout(at, QStringLiteral("ACC:%1").arg(place.y(), 0, 'f', 2), Qt::black);

        // The readout goes 3 s after the last click; a click left of the time origin only
        // restarts that count, and a drag zooms without a readout.
        QTRY_VERIFY_WITH_TIMEOUT(!time->isVisible() && !value->isVisible(), Deadline);
        clickAt(Qt::LeftButton, -0.2, 0);
        QVERIFY(hideTimer->isActive() && !time->isVisible());
        QTest::mousePress(chart, Qt::LeftButton, {}, at);
        QTest::mouseMove(chart, at + QPoint(60, 40));
        QTest::mouseRelease(chart, Qt::LeftButton, {}, at + QPoint(60, 40));
        QVERIFY(chart->xAxis->range().upper < 10);
        QVERIFY(!time->isVisible() && !value->isVisible());
    }

    void CalibrationIsWrittenInOrderAndReadBack() {
        SimulatorProcess simulator({});
        Program program(simulator.PortLine());
        QVERIFY(program.Connected());
        program.Unlock();
        program.ShowPage("TabLab");
        const QStringList numbers = {"-2", "300", "-32768", "1000", "-1", "32767"};
        program.Type({"EdOffsetY", "EdOffsetX", "EdOffsetZ", "EdScaleY", "EdScaleX", "EdScaleZ"},
                     numbers);
        program.Click("BtnLabSsCalApply");

        // Offsets, then scales, each in the order Y, X, Z, closed by its end command; negatives as
        // 16-bit two's complement, low byte first.
        const QStringList expected = {"02 05 FE FF 04 03", "02 06 2C 01 35 03", "02 07 00 80 89 03",
                                      "02 08 00 00 0A 03", "02 09 E8 03 F6 03", "02 0A FF FF 0A 03",
                                      "02 0B FF 7F 8B 03", "02 0C 00 00 0E 03"};
        QTRY_COMPARE_WITH_TIMEOUT(simulator.CountOf(expected.last()), 1, Deadline);
        QStringList written;
        for (const QString& line : simulator.Received()) {
            const int type = line.section(' ', 1, 1).toInt(nullptr, 16);
            if (type >= CmdOffsetY && type <= CmdScaleEnd) written << line.section(" t=", 0, 0);
        }
        QCOMPARE(written, expected);
        const QString confirmed = QStringLiteral("오프셋과 스케일을 가속도계에 기록하였습니다");
        QCOMPARE(program.Memo().count(confirmed), 1);
        // The device needs 50 ms between the values and 200 ms after the offsets' end.
        for (int k = 1; k < expected.size(); ++k) {
            const double gap = simulator.TimeOf(expected[k]) - simulator.TimeOf(expected[k - 1]);
            QVERIFY2(gap >= (k == 4 ? 180 : 40), qPrintable(expected[k]));
        }

        program.Click("Button3");
        program.Click("Button4");
        QTRY_COMPARE_WITH_TIMEOUT(program.Texts({"EdRcvdOstY", "EdRcvdOstX", "EdRcvdOstZ",
                                                 "EdRcvdScaleY", "EdRcvdScaleX", "EdRcvdScaleZ"}),
                                  numbers, Deadline);

        // A box without a whole number is reported and ends the sequence there.
        program.Type("EdScaleX", "1.5");
        ModalAnswers answers;
        program.Click("BtnLabSsCalApply");
        QVERIFY(answers.Boxes.value(0).contains("'1.5'"));
        WaitForEverythingSent(simulator);
        QCOMPARE(simulator.CountOf(expected[3]), 2);
        QCOMPARE(simulator.CountOf(expected[4]), 2);
        QCOMPARE(simulator.CountOf(expected[7]), 1);
        QCOMPARE(program.Memo().count(confirmed), 1); // a stopped write is not confirmed

        // Without a device nothing is written, also while the port is still open.
        program.Type("EdScaleX", "-1");
        program.Click("SbCom");
        QVERIFY(program.Form1->Port().Opened);
        program.Click("BtnLabSsCalApply");
        WaitForEverythingSent(simulator);
        QCOMPARE(simulator.CountOf(expected[0]), 2);
    }

    void StartZeroesOnTheTiltPendulumAndVelocityPages() {
        // Filter off: at rest the program reads exactly 1 g along Y.
        SimulatorProcess simulator({"--rate", "250"});
        Program program(simulator.PortLine() + "CmbKalman=0\r\n");
        QVERIFY(program.Connected());
        QTRY_COMPARE_WITH_TIMEOUT(program.Live().GY, 1.0, Deadline);
        const LiveState& state = program.Live();
        for (const auto& [page, zeroes] : {std::pair{"TabAccelo", false},
                                           {"TabAngle", true},
                                           {"TabPendulum", true},
                                           {"TabSpeed", true}}) {
            program.ShowPage(page);
            program.Click("BtnOffsetCls");
            program.Click("BBtnStart");
            QVERIFY(state.Logging);
            QCOMPARE(program.Text("EdAccOffsetY"), zeroes ? "1.000" : "0.000");
            QCOMPARE(program.Text("EdAccOffsetX"), "0.000");
            QCOMPARE(state.OffsetY, zeroes ? 1.0 : 0.0);
        }

        // On the velocity page a second Start records on with the integration off; the window is
        // always 10 s, also after another was typed into the box.
        QVERIFY(state.VelocityRun);
        program.Click("BBtnStart");
        QVERIFY(state.Logging && !state.VelocityRun);
        auto* window = program.Find<QComboBox>("CmbYTime");
        window->setEditText("25");
        emit window->lineEdit()->editingFinished();
        QCOMPARE(program.Charts().BottomMax(Chart::Acceleration), 25.0);
        QVERIFY(program.FullRun());
        QCOMPARE(window->currentText(), QStringLiteral("10"));
        QCOMPARE(program.Charts().BottomMax(Chart::Velocity), 10.0);
        QCOMPARE(program.Charts().PointCount(Chart::Acceleration, SeriesX), 499);
    }

    void PageAndFilterChangesDuringARunKeepTheSamples() {
        SimulatorProcess simulator({"--rate", "250"});
        Program program(simulator.PortLine() + "CmbYTime=60\r\n");
        QVERIFY(program.Connected());
        QTRY_COMPARE_WITH_TIMEOUT(program.Text("EdAccSumG"), QStringLiteral("1.000"), Deadline);
        const LiveState& state = program.Live();
        program.Click("BBtnStart");
        QVERIFY(program.WaitForSamples(100));
        program.Choose("CmbKalman", 3); // a stronger filter goes on from the estimate it has
        QVERIFY(program.WaitForSamples(300));
        program.ShowPage("TabAngle");
        QVERIFY(!state.Logging);
        QVERIFY(!program.Memo().contains("[Stop Data Log"));
        const std::uint32_t recorded = state.Recorded.LogCount;
        for (std::uint32_t k = 0; k < recorded; ++k)
            QVERIFY2(std::abs(state.Recorded.LogY[k] - 1.0) < 0.01, qPrintable(QString::number(k)));
        QTRY_VERIFY_WITH_TIMEOUT(program.Text("EdAngle") != "", Deadline);
        QCOMPARE(state.Recorded.LogCount, recorded);
    }

    void DemoPendulumGivesStandardGravity() {
        // As ./run.sh starts it: the length the program's box shows at start, 0.500 m, and the
        // filter level the box shows.
        SimulatorProcess simulator(
            {"--motion", "pendulum", "--length", "0.5", "--amplitude", "15", "--noise", "0.001"});
        Program program(simulator.PortLine() + "CmbKalman=2\r\n");
        QVERIFY(program.Connected());
        QCOMPARE(program.Text("EdPendL"), QStringLiteral("0.500"));
        program.ShowPage("TabPendulum");
        program.Click("BBtnStart");
        QVERIFY(program.WaitForSamples(300));
        program.Click("BBtnStop");
        // Returning the view home measures the period from the turning points in it.
        auto* chart = program.Find<QCustomPlot>("Chart1");
        QTest::mouseDClick(chart, Qt::LeftButton, {}, chart->rect().center());
        program.Click("Button1");
        QVERIFY2(std::abs(program.Text("EdPendCalG").toDouble() - 9.8) < 0.2,
                 qPrintable(program.Text("EdPendT") + " s: " + program.Text("EdPendCalG")));
    }

    // A pulled cable ends the run there: it is kept, the boxes show they are not live, and
    // after the device is back by itself nothing is joined to it; Start begins a new run.
    void UnpluggedDeviceEndsAndKeepsTheRunAndReconnectsByItself() {
        const QString link = QDir::tempPath() + "/tarvik-replug-" +
                             QString::number(QCoreApplication::applicationPid());
        auto simulator = std::make_unique<SimulatorProcess>(QStringList{"--link", link});
        Program program(QStringLiteral("CmbComPort=%1\r\nCmbYTime=60\r\n").arg(link));
        QVERIFY(program.Connected());
        program.Click("BBtnStart");
        const ChartSet& charts = program.Charts();
        QTRY_VERIFY_WITH_TIMEOUT(charts.PointCount(Chart::Acceleration, SeriesX) > 25, Deadline);

        simulator.reset(); // the cable is pulled
        const QString lost = QStringLiteral("가속도계 연결이 끊어졌습니다 (%1).").arg(link);
        QTRY_VERIFY_WITH_TIMEOUT(program.Memo().contains(lost), Deadline);
        QVERIFY(!program.ComDown() && !program.Live().DeviceFound && !program.Live().Logging);
        QVERIFY(program.Memo().contains("가속도계 연결이 끊어져 측정을 "));
        QVERIFY(program.Memo().contains("Run autosaved : "));
        QVERIFY(!program.Find("EdAcceloG")->isEnabled());
        const int pointsKept = charts.PointCount(Chart::Acceleration, SeriesX);
        QCOMPARE(int(program.Live().Recorded.LogCount), pointsKept);
        program.Click("BBtnStart"); // says there is no device
        QVERIFY(program.Memo().contains("연결된 가속도계가 없습니다."));

        simulator = std::make_unique<SimulatorProcess>(QStringList{"--link", link}); // plugged in
        QTRY_VERIFY_WITH_TIMEOUT(program.Memo().contains("가속도계가 다시 연결되었습니다."),
                                 Deadline);
        QTRY_VERIFY_WITH_TIMEOUT(program.Find("EdAcceloG")->isEnabled(), Deadline);
        QCOMPARE(charts.PointCount(Chart::Acceleration, SeriesX), pointsKept);
        QVERIFY(program.ComDown() && !program.Live().Logging);
        QCOMPARE(program.Memo().count(lost), 1);
        program.Click("BBtnStart"); // the chart holds the new run alone
        QVERIFY(program.WaitForSamples(10));
        QCOMPARE(charts.PointCount(Chart::Acceleration, SeriesX),
                 int(program.Live().Recorded.LogCount));
    }

    // Counted from the stream, so also above the device's 50 samples a second.
    void LostSamplesAreReportedAtTheEndOfTheRun() {
        SimulatorProcess simulator(
            {"--rate", "320", "--drop-bytes", "0.01"}); // about one sample in six broken
        Program program(simulator.PortLine() + "CmbYTime=60\r\n");
        QVERIFY(program.Connected());
        program.Click("BBtnStart");
        QVERIFY(program.WaitForSamples(150));
        program.Click("BBtnStop");
        QVERIFY(program.Memo().contains(
            QRegularExpression("\\[Stop Data Log\\.+\\]\n\\[주의\\] 이번 측정에서 샘플 약 "
                               "[0-9]+개\\([0-9]+%\\)를 받지 못했습니다.")));
    }
};

QTEST_MAIN(AppTest)
#include "AppTest.moc"
