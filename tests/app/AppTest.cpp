#include "Dialogs.h"
#include "SimulatorProcess.h"
#include "app/Tarvikmain.h"
#include "app/Tarviknote.h"
#include "engine/NumberText.h"
#include "files/Cp949.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <qcustomplot.h>

namespace {

const QString Identify = QStringLiteral("02 00 00 00 02 03");
const QString StreamStartFrame = QStringLiteral("02 01 01 00 04 03");
const QString StreamStopFrame = QStringLiteral("02 01 00 00 03 03");
const int Deadline = 15000;

// One analysis program in a working folder of its own, with the settings given.
struct Program {
    explicit Program(const QString& settings, PortCandidates candidates = {}) {
        QDir::setCurrent(Folder.path());
        QFile file(QStringLiteral("default.ini"));
        file.open(QIODevice::WriteOnly);
        file.write("Kvd_Log_DataBase_Ver=1.0\r\n" + settings.toUtf8());
        file.close();
        QFile note(QStringLiteral("AccNote.rtf")); // without it the start-up reports its absence
        note.open(QIODevice::WriteOnly);
        note.write("{\\rtf1 note\\par}");
        note.close();
        Form1 = std::make_unique<TForm1>(nullptr, std::move(candidates));
        Form2 = std::make_unique<TForm2>(Form1.get());
        Form1->SetNoteWindow(Form2.get());
        Form1->show();
    }
    ~Program() {
        Form1->close();
        QDir::setCurrent(QDir::tempPath());
    }

    template <typename T> T* Find(const char* name) const {
        return Form1->findChild<T*>(QLatin1String(name));
    }
    QString Memo() const { return Find<QPlainTextEdit>("Memo1")->toPlainText(); }
    bool ComDown() const { return Find<QAbstractButton>("SbCom")->isChecked(); }
    void Click(const char* button) { Find<QAbstractButton>(button)->click(); }
    QString Text(const char* box) const { return Find<QLineEdit>(box)->text(); }
    void Type(const char* box, const QString& text) { Find<QLineEdit>(box)->setText(text); }
    void ShowPage(const char* page) {
        Find<QTabWidget>("PageControl1")->setCurrentWidget(Find<QWidget>(page));
    }
    void Choose(const char* comboName, int index) {
        auto* combo = Find<QComboBox>(comboName);
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }

    // Answers the next file dialog with a path.
    void AnswerFileDialog(const QString& path) {
        QTimer::singleShot(300, [path] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog != nullptr);
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            QVERIFY(name != nullptr);
            name->setText(path);
            QTest::keyClick(name, Qt::Key_Return);
        });
    }

    QTemporaryDir Folder;
    std::unique_ptr<TForm1> Form1;
    std::unique_ptr<TForm2> Form2;
};

QString PortSetting(const SimulatorProcess& simulator) {
    return QStringLiteral("CmbComPort=%1\r\n").arg(simulator.DevicePath());
}

// A frame as the simulator prints what it receives.
QString FrameText(const Frame& frame) {
    QStringList bytes;
    for (const std::uint8_t byte : frame)
        bytes << QStringLiteral("%1").arg(byte, 2, 16, QLatin1Char('0')).toUpper();
    return bytes.join(' ');
}

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

void WaitForDevice(const Program& program) {
    QTRY_VERIFY_WITH_TIMEOUT(program.Form1->Live().DeviceFound && program.ComDown(), Deadline);
}

} // namespace

class AppTest : public QObject {
    Q_OBJECT
private slots:
    void StartUpConnectsAndStartsTheStream();
    void NoDeviceGivesTheAdviceLinesAndAutoSearchFindsTheSimulator();
    void DisconnectSendsStopAndClosesThePortLater();
    void WatchdogRestartsASilentStreamWithoutResettingTheRun();
    void RunEndsWithTheWindowAndSavesAndLoadsItsLog();
    void SettingsSurviveARestart();
    void ChartReadoutShowsTheRecordingOrThePlaceClicked();
    void CalibrationIsWrittenInOrderAndReadBack();
    void ClosingSavesSettingsAndClosesThePortWithoutStoppingTheDevice();
    void StartZeroesOnTheTiltPendulumAndVelocityPages();
    void PageAndFilterChangesDuringARunKeepTheSamples();
    void DemoPendulumGivesStandardGravity();
    void UnpluggedDeviceReconnectsByItselfAndTheRunGoesOn();
    void LostSamplesAreReportedAtTheEndOfTheRun();
};

void AppTest::StartUpConnectsAndStartsTheStream() {
    SimulatorProcess simulator({});
    Program program(PortSetting(simulator));
    QTRY_VERIFY_WITH_TIMEOUT(program.Memo().contains("Found ZevuzaRuziv...OK"), Deadline);
    QVERIFY(program.Memo().startsWith("Please, wait. Searching ZevuzaRuziv...."));
    QTRY_VERIFY_WITH_TIMEOUT(simulator.TimeOf(StreamStartFrame) > 0, Deadline);
    // The start command follows the identify answer after a pause of 100 ms.
    QVERIFY(simulator.TimeOf(StreamStartFrame) - simulator.TimeOf(Identify) >= 100);
    QVERIFY(program.ComDown());
    QTRY_VERIFY_WITH_TIMEOUT(program.Form2->isVisible(), Deadline);
    QTRY_VERIFY_WITH_TIMEOUT(program.Find<QLineEdit>("EdAccSumG")->text() == "1.000", Deadline);
    QVERIFY(program.Find<QWidget>("Cb3Axis")->isVisibleTo(program.Form1.get()));
}

void AppTest::NoDeviceGivesTheAdviceLinesAndAutoSearchFindsTheSimulator() {
    SimulatorProcess simulator({});
    const QString missing = QDir::tempPath() + "/no-such-port";
    Program program(QStringLiteral("CmbComPort=%1\r\n").arg(missing), [&] {
        return std::vector<std::string>{missing.toStdString() + "1",
                                        simulator.DevicePath().toStdString()};
    });
    QTRY_VERIFY_WITH_TIMEOUT(program.Memo().contains("해결2: "), Deadline);
    const QStringList lines = program.Memo().split('\n');
    const int check = lines.indexOf(QRegularExpression("^점검 : .*"));
    QVERIFY(check > 0);
    QVERIFY(lines.value(check + 1).startsWith("해결1: "));
    QVERIFY(lines.value(check + 2).startsWith("해결2: "));
    QVERIFY(lines.value(check + 3).startsWith("해결3: "));
    QVERIFY(lines.value(check + 3).contains("/dev/ttyUSB0"));
    QVERIFY(lines.value(check + 3).contains("dialout"));
    QVERIFY(!program.ComDown());
    QCOMPARE(program.Find<QComboBox>("CmbComPort")->currentText(), missing);

    program.Click("SbComAuto");
    QTRY_VERIFY_WITH_TIMEOUT(program.Memo().contains("가속도계가 자동 연결되었습니다."), Deadline);
    QCOMPARE(program.Find<QComboBox>("CmbComPort")->currentText(), simulator.DevicePath());
    QVERIFY(program.ComDown());
    QTRY_VERIFY_WITH_TIMEOUT(simulator.CountOf(StreamStartFrame) >= 2, Deadline);
}

void AppTest::DisconnectSendsStopAndClosesThePortLater() {
    SimulatorProcess simulator({});
    Program program(PortSetting(simulator));
    QTRY_VERIFY_WITH_TIMEOUT(program.ComDown() && program.Form1->Live().DeviceFound, Deadline);
    program.Click("SbCom");
    QVERIFY(!program.ComDown());
    QTRY_VERIFY_WITH_TIMEOUT(simulator.CountOf(StreamStopFrame) == 1, Deadline);
    QVERIFY(program.Form1->Port().Opened);
    QTRY_VERIFY_WITH_TIMEOUT(!program.Form1->Port().Opened, Deadline);
    QVERIFY(!program.Form1->Live().DeviceFound);
}

void AppTest::WatchdogRestartsASilentStreamWithoutResettingTheRun() {
    SimulatorProcess simulator({"--silence", "3:2"});
    Program program(PortSetting(simulator) + "CmbYTime=60\r\n");
    QTRY_VERIFY_WITH_TIMEOUT(program.Form1->Live().DeviceFound, Deadline);
    // A connect through the button arms the watchdog however the start-up tick went.
    program.Click("SbCom");
    program.Click("SbCom");
    QTRY_VERIFY_WITH_TIMEOUT(program.ComDown(), Deadline);
    program.Click("BBtnStart");
    QVERIFY(program.Form1->Live().Logging);
    QTRY_VERIFY_WITH_TIMEOUT(!program.ComDown(), Deadline);
    const int startsWhenSilent = simulator.CountOf(StreamStartFrame);
    QTRY_VERIFY_WITH_TIMEOUT(simulator.CountOf(StreamStartFrame) >= startsWhenSilent + 5, Deadline);
    QTRY_VERIFY_WITH_TIMEOUT(program.ComDown(), Deadline);
    QVERIFY(program.Form1->Live().Logging);
    QVERIFY(program.Form1->ChartsView().PointCount(Chart1, 0) > 100);
}

void AppTest::RunEndsWithTheWindowAndSavesAndLoadsItsLog() {
    // Five times the real rate: the 10-second window fills in two seconds.
    SimulatorProcess simulator({"--rate", "250", "--motion", "push", "--push-every", "2"});
    Program program(PortSetting(simulator) + "CmbYTime=10\r\nCmbUnit=1\r\n");
    QTRY_VERIFY_WITH_TIMEOUT(program.Form1->Live().DeviceFound, Deadline);
    program.Click("BBtnStart");
    QTRY_VERIFY_WITH_TIMEOUT(program.Memo().contains("[Stop Data Log.............]"), Deadline);
    const LiveState& state = program.Form1->Live();
    QCOMPARE(program.Form1->ChartsView().PointCount(Chart1, 0), 499);
    QCOMPARE(state.LogCount, 499u);
    QVERIFY(program.Find<QComboBox>("CmbUnit")->isEnabled());
    QCOMPARE(program.Find<QLineEdit>("EdSpd")->text(), QStringLiteral("0.0"));

    const QString path = program.Folder.filePath("LogData/run1");
    program.AnswerFileDialog(path);
    program.Click("BitBtn1");
    QCOMPARE(program.Find<QLineEdit>("EdLogFile")->text(), QStringLiteral("run1.csv"));
    QFile file(path + ".csv");
    QVERIFY(file.open(QIODevice::ReadOnly));
    QByteArray expected = ";" + QDir::toNativeSeparators(path + ".csv").toUtf8() + "\r\n" +
                          QByteArray::fromStdString(Cp949FromUtf8("Time[20ms],X[m/s²]")) + "\r\n";
    for (std::uint32_t i = 0; i < state.LogCount; ++i)
        expected += QByteArray::number(i) + "," +
                    QByteArray::fromStdString(FormatFixed(state.LogX[i] * 9.8, 2, 8)) + "\r\n";
    QCOMPARE(file.readAll(), expected);
    QVERIFY(program.Memo().contains("X Axis Log File Saved : "));

    // Loading the file back in [g] gives the recorded values to a hundredth of a m/s².
    const std::vector<double> recorded(state.LogX, state.LogX + state.LogCount);
    program.Find<QComboBox>("CmbUnit")->setCurrentIndex(0);
    program.AnswerFileDialog(path + ".csv");
    program.Click("BBtnLoad");
    QCOMPARE(program.Find<QLineEdit>("EdLogFile")->text(), QStringLiteral("run1"));
    QCOMPARE(state.LogCount, 499u);
    const ChartSet& charts = program.Form1->ChartsView();
    QCOMPARE(charts.PointCount(Chart1, 0), 499);
    for (int i = 0; i < 499; ++i) {
        QVERIFY(std::abs(state.LogX[i] - recorded[i]) <= 0.005 / 9.8);
        QCOMPARE(charts.YAt(Chart1, 0, i), state.LogX[i]);
    }

    // The unit switch redraws the loaded samples in m/s², with the force X × mass.
    auto* unit = program.Find<QComboBox>("CmbUnit");
    unit->setCurrentIndex(1);
    emit unit->activated(1);
    QCOMPARE(charts.PointCount(Chart1, 0), 499);
    QCOMPARE(charts.PointCount(Chart1, 1), 0);
    QCOMPARE(charts.YAt(Chart1, 0, 10), state.LogX[10] * 9.8);
    QCOMPARE(charts.YAt(Chart1, 3, 10), state.LogX[10] * 9.8 * 0.117);
}

void AppTest::SettingsSurviveARestart() {
    const QString port = QDir::tempPath() + "/no-such-port";
    auto program = std::make_unique<Program>(QStringLiteral("CmbComPort=%1\r\n").arg(port));
    const QString folder = program->Folder.path();
    program->Folder.setAutoRemove(false);
    program->Find<QLineEdit>("EdMass")->setText("0.250");
    program->Find<QComboBox>("CmbYTime")->setCurrentIndex(3);
    program->Find<QComboBox>("CmbUnit")->setCurrentIndex(0);
    program->Find<QComboBox>("CmbKalman")->setCurrentIndex(5);
    program->Find<QAbstractButton>("CbDirRevY")->setChecked(true);
    program->Find<QAbstractButton>("RbPendZ")->setChecked(true);
    program->Find<QLineEdit>("EdLogFile")->setText("a=b");
    program->Form1->close();

    QFile saved(folder + "/default.ini");
    QVERIFY(saved.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = saved.readAll().split('\n');
    QCOMPARE(lines.size(), 20); // 19 lines, each ending in CR LF
    QCOMPARE(lines[0], QByteArray("Kvd_Log_DataBase_Ver=1.0\r"));
    QCOMPARE(lines[5], QByteArray("CmbKalman=5\r"));

    QDir::setCurrent(folder);
    TForm1 restarted;
    auto find = [&](const char* name) { return restarted.findChild<QWidget*>(name); };
    QCOMPARE(qobject_cast<QLineEdit*>(find("EdMass"))->text(), QStringLiteral("0.250"));
    QCOMPARE(restarted.Live().Mass, 0.25); // the force boxes' mass
    QCOMPARE(qobject_cast<QComboBox*>(find("CmbYTime"))->currentText(), QStringLiteral("30"));
    QCOMPARE(qobject_cast<QComboBox*>(find("CmbUnit"))->currentIndex(), 0);
    QCOMPARE(qobject_cast<QComboBox*>(find("CmbKalman"))->currentIndex(), 5);
    QCOMPARE(qobject_cast<QComboBox*>(find("CmbComPort"))->currentText(), port);
    QVERIFY(qobject_cast<QAbstractButton*>(find("CbDirRevY"))->isChecked());
    QVERIFY(qobject_cast<QAbstractButton*>(find("RbPendZ"))->isChecked());
    QCOMPARE(qobject_cast<QLineEdit*>(find("EdLogFile"))->text(), QStringLiteral("a=b"));
    QCOMPARE(restarted.ChartsView().BottomMax(Chart3), 30.0);
    QDir::setCurrent(QDir::tempPath());
    QDir(folder).removeRecursively();
}

void AppTest::ChartReadoutShowsTheRecordingOrThePlaceClicked() {
    SimulatorProcess simulator({"--rate", "250", "--motion", "tilt"});
    Program program(PortSetting(simulator) + "CmbYTime=10\r\nCmbUnit=1\r\n");
    WaitForDevice(program);
    QTRY_VERIFY_WITH_TIMEOUT(program.Find<QWidget>("Cb3Axis")->isVisible(), Deadline);
    program.Click("Cb3Axis");
    program.Click("BBtnStart");
    QTRY_VERIFY_WITH_TIMEOUT(program.Memo().contains("[Stop Data Log.............]"), Deadline);
    const LiveState& state = program.Form1->Live();
    int i = 20; // the sample where X lies farthest from the Z curve
    for (int j = 20; j < 480; ++j)
        if (std::abs(state.LogX[j]) > std::abs(state.LogX[i])) i = j;
    QVERIFY(std::abs(state.LogX[i]) > 0.3);

    auto* chart = program.Find<QCustomPlot>("Chart1");
    auto* time = program.Find<QLabel>("STxtChartValueX");
    auto* value = program.Find<QLabel>("STxtChartValueY");
    auto* hideTimer = program.Form1->findChild<QTimer*>("TmFavWork2");
    auto pixelOf = [&](double x, double y) {
        return QPoint(qRound(chart->xAxis->coordToPixel(x)), qRound(chart->yAxis->coordToPixel(y)));
    };
    auto expectReadout = [&](QPoint at, const QString& timeText, const QString& valueText,
                             const QColor& colour) {
        QVERIFY(time->isVisible() && value->isVisible());
        QCOMPARE(time->text(), timeText);
        QCOMPARE(value->text(), valueText);
        QCOMPARE(value->palette().color(QPalette::WindowText), colour);
        QCOMPARE(time->pos(), at + QPoint(7, -26));
        QCOMPARE(value->pos(), at + QPoint(7, -10));
        QVERIFY(hideTimer->isActive());
    };
    const QString sampleTime = QStringLiteral("Time:%1[s]").arg(i * 0.02, 0, 'f', 2);
    auto recorded = [&](const char* axis, double g) {
        return QString(axis) + "축ACC:" + QString::fromStdString(FormatFixed(g * 9.8, 2));
    };

    // Snapped, with any button: the recorded value of the axis nearest to the click.
    const QPoint nearZ = pixelOf(i * 0.02, state.LogZ[i] * 9.8 + 0.3);
    QTest::mouseClick(chart, Qt::LeftButton, {}, nearZ);
    expectReadout(nearZ, sampleTime, recorded("Z", state.LogZ[i]), QColor(0, 0, 255));
    const QPoint nearY = pixelOf(i * 0.02, state.LogY[i] * 9.8 - 0.3);
    QTest::mouseClick(chart, Qt::RightButton, {}, nearY);
    expectReadout(nearY, sampleTime, recorded("Y", state.LogY[i]), QColor(255, 0, 0));

    // Free: the place under the pointer.
    program.Click("CbCursorFree");
    const QPoint free(chart->width() / 2, chart->height() / 2);
    const QPointF place = program.Form1->ChartsView().PixelToValues(free.x(), free.y());
    QTest::mouseClick(chart, Qt::MiddleButton, {}, free);
    expectReadout(free, QStringLiteral("Time:%1[s]").arg(place.x(), 0, 'f', 3),
                  QStringLiteral("ACC:%1").arg(place.y(), 0, 'f', 2), Qt::black);

    // The readout goes 3 s after the last click; a click left of the time origin only
    // restarts that count, and a drag zooms without a readout.
    QTRY_VERIFY_WITH_TIMEOUT(!time->isVisible() && !value->isVisible(), Deadline);
    QVERIFY(!hideTimer->isActive());
    QTest::mouseClick(chart, Qt::LeftButton, {}, pixelOf(0, 0) - QPoint(10, 0));
    QVERIFY(hideTimer->isActive());
    QTest::mousePress(chart, Qt::LeftButton, {}, free);
    QTest::mouseMove(chart, free + QPoint(60, 40));
    QTest::mouseRelease(chart, Qt::LeftButton, {}, free + QPoint(60, 40));
    QVERIFY(chart->xAxis->range().upper < 10);
    QVERIFY(!time->isVisible() && !value->isVisible());
}

void AppTest::CalibrationIsWrittenInOrderAndReadBack() {
    SimulatorProcess simulator({});
    Program program(PortSetting(simulator));
    WaitForDevice(program);
    program.Type("EdLogFile", "pqrvmkzdwta");
    QTest::keyRelease(program.Find<QLineEdit>("EdLogFile"), Qt::Key_A);
    program.ShowPage("TabLab");
    const std::pair<const char*, int> values[] = {{"EdOffsetY", -2},     {"EdOffsetX", 300},
                                                  {"EdOffsetZ", -32768}, {"EdScaleY", 1000},
                                                  {"EdScaleX", -1},      {"EdScaleZ", 32767}};
    for (const auto& [box, number] : values)
        program.Type(box, QString::number(number));
    program.Click("BtnLabSsCalApply");

    // Offsets, then scales, each in the order Y, X, Z, closed by its end command; negatives as
    // 16-bit two's complement, low byte first.
    const QStringList expected = {
        FrameText(BuildValueFrame(CmdOffsetY, -2)),     FrameText(BuildValueFrame(CmdOffsetX, 300)),
        FrameText(BuildValueFrame(CmdOffsetZ, -32768)), FrameText(BuildFrame(CmdOffsetEnd, 0, 0)),
        FrameText(BuildValueFrame(CmdScaleY, 1000)),    FrameText(BuildValueFrame(CmdScaleX, -1)),
        FrameText(BuildValueFrame(CmdScaleZ, 32767)),   FrameText(BuildFrame(CmdScaleEnd, 0, 0))};
    QCOMPARE(expected[0], QStringLiteral("02 05 FE FF 04 03"));
    QTRY_COMPARE_WITH_TIMEOUT(simulator.CountOf(expected.last()), 1, Deadline);
    QStringList written;
    for (const QString& line : simulator.Received()) {
        const int type = line.section(' ', 1, 1).toInt(nullptr, 16);
        if (type >= CmdOffsetY && type <= CmdScaleEnd) written << line.section(" t=", 0, 0);
    }
    QCOMPARE(written, expected);
    // The device needs 50 ms between the values and 200 ms after the offsets' end.
    for (int k = 1; k < expected.size(); ++k) {
        const double gap = simulator.TimeOf(expected[k]) - simulator.TimeOf(expected[k - 1]);
        QVERIFY2(gap >= (k == 4 ? 180 : 40), qPrintable(expected[k]));
    }

    program.Click("Button3");
    program.Click("Button4");
    const std::pair<const char*, const char*> readBack[] = {
        {"EdRcvdOstY", "-2"},     {"EdRcvdOstX", "300"},  {"EdRcvdOstZ", "-32768"},
        {"EdRcvdScaleY", "1000"}, {"EdRcvdScaleX", "-1"}, {"EdRcvdScaleZ", "32767"}};
    for (const auto& [box, text] : readBack)
        QTRY_COMPARE_WITH_TIMEOUT(program.Text(box), QString(text), Deadline);

    // A box without a whole number is reported and ends the sequence there.
    program.Type("EdScaleX", "1.5");
    QString reported;
    AnswerNextModal([&](QWidget* box) {
        reported = qobject_cast<QMessageBox*>(box)->text();
        box->close();
    });
    program.Click("BtnLabSsCalApply");
    QVERIFY(reported.contains("'1.5'"));
    WaitForEverythingSent(simulator);
    QCOMPARE(simulator.CountOf(expected[3]), 2);
    QCOMPARE(simulator.CountOf(expected[4]), 2);
    QCOMPARE(simulator.CountOf(expected[7]), 1);

    // Without a device nothing is written, also while the port is still open.
    program.Type("EdScaleX", "-1");
    program.Click("SbCom");
    QVERIFY(program.Form1->Port().Opened);
    program.Click("BtnLabSsCalApply");
    WaitForEverythingSent(simulator);
    QCOMPARE(simulator.CountOf(expected[0]), 2);
}

void AppTest::ClosingSavesSettingsAndClosesThePortWithoutStoppingTheDevice() {
    SimulatorProcess simulator({});
    Program program(PortSetting(simulator));
    WaitForDevice(program);
    QTRY_VERIFY_WITH_TIMEOUT(simulator.CountOf(StreamStartFrame) >= 1, Deadline);
    program.Type("EdMass", "0.300");
    program.Form1->close();
    QVERIFY(!program.Form1->Port().Opened);
    QFile saved(program.Folder.filePath("default.ini"));
    QVERIFY(saved.open(QIODevice::ReadOnly));
    const QByteArray settings = saved.readAll();
    QVERIFY(settings.contains("\r\nEdMass=0.300\r\n"));
    QVERIFY(settings.contains("\r\nCmbComPort=" + simulator.DevicePath().toUtf8() + "\r\n"));
    WaitForEverythingSent(simulator);
    QCOMPARE(simulator.CountOf(StreamStopFrame), 0);
}

void AppTest::StartZeroesOnTheTiltPendulumAndVelocityPages() {
    // Filter off: at rest the program reads exactly 1 g along Y.
    SimulatorProcess simulator({"--rate", "250"});
    Program program(PortSetting(simulator) + "CmbKalman=0\r\n");
    WaitForDevice(program);
    QTRY_COMPARE_WITH_TIMEOUT(program.Form1->Live().GY, 1.0, Deadline);
    const LiveState& state = program.Form1->Live();
    const std::pair<const char*, bool> pages[] = {
        {"TabAccelo", false}, {"TabAngle", true}, {"TabPendulum", true}, {"TabSpeed", true}};
    for (const auto& [page, zeroes] : pages) {
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
    QCOMPARE(program.Form1->ChartsView().BottomMax(Chart1), 25.0);
    program.Click("BBtnStart");
    QVERIFY(state.VelocityRun);
    QCOMPARE(window->currentText(), QStringLiteral("10"));
    QCOMPARE(program.Form1->ChartsView().BottomMax(Chart2), 10.0);
    QTRY_VERIFY_WITH_TIMEOUT(program.Memo().contains("[Stop Data Log.............]"), Deadline);
    QCOMPARE(program.Form1->ChartsView().PointCount(Chart1, 0), 499);
}

void AppTest::PageAndFilterChangesDuringARunKeepTheSamples() {
    SimulatorProcess simulator({"--rate", "250"});
    Program program(PortSetting(simulator) + "CmbYTime=60\r\n");
    WaitForDevice(program);
    QTRY_COMPARE_WITH_TIMEOUT(program.Text("EdAccSumG"), QStringLiteral("1.000"), Deadline);
    const LiveState& state = program.Form1->Live();
    program.Click("BBtnStart");
    QTRY_VERIFY_WITH_TIMEOUT(state.LogCount > 100, Deadline);
    program.Choose("CmbKalman", 3); // a stronger filter goes on from the estimate it has
    QTRY_VERIFY_WITH_TIMEOUT(state.LogCount > 300, Deadline);
    program.ShowPage("TabAngle");
    QVERIFY(!state.Logging);
    QVERIFY(!program.Memo().contains("[Stop Data Log"));
    const std::uint32_t recorded = state.LogCount;
    for (std::uint32_t k = 0; k < recorded; ++k)
        QVERIFY2(std::abs(state.LogY[k] - 1.0) < 0.01, qPrintable(QString::number(k)));
    QTRY_VERIFY_WITH_TIMEOUT(program.Text("EdAngle") != "", Deadline);
    QCOMPARE(state.LogCount, recorded);
}

void AppTest::DemoPendulumGivesStandardGravity() {
    // As ./run.sh starts it: the length the program's box shows at start, 0.500 m, and the
    // filter level the box shows.
    SimulatorProcess simulator(
        {"--motion", "pendulum", "--length", "0.5", "--amplitude", "15", "--noise", "0.001"});
    Program program(PortSetting(simulator) + "CmbKalman=2\r\n");
    WaitForDevice(program);
    QCOMPARE(program.Text("EdPendL"), QStringLiteral("0.500"));
    program.ShowPage("TabPendulum");
    program.Click("BBtnStart");
    QTRY_VERIFY_WITH_TIMEOUT(program.Form1->ChartsView().PointCount(Chart1, 0) >= 300, 20000);
    program.Click("BBtnStop");
    auto* chart = program.Find<QCustomPlot>("Chart1");
    QTest::mouseDClick(chart, Qt::LeftButton, {}, chart->rect().center()); // undo zoom
    QVERIFY(program.Text("EdPendT").toDouble() > 1.3);
    program.Click("Button1");
    const double gravity = program.Text("EdPendCalG").toDouble();
    QVERIFY2(std::abs(gravity - 9.8) < 0.2, qPrintable(program.Text("EdPendCalG")));
}

void AppTest::UnpluggedDeviceReconnectsByItselfAndTheRunGoesOn() {
    const QString link =
        QDir::tempPath() + "/tarvik-replug-" + QString::number(QCoreApplication::applicationPid());
    auto simulator = std::make_unique<SimulatorProcess>(QStringList{"--link", link});
    Program program(QStringLiteral("CmbComPort=%1\r\nCmbYTime=60\r\n").arg(link));
    QTRY_VERIFY_WITH_TIMEOUT(program.Form1->Live().DeviceFound, Deadline);
    program.Click("BBtnStart");
    const ChartSet& charts = program.Form1->ChartsView();
    QTRY_VERIFY_WITH_TIMEOUT(charts.PointCount(Chart1, 0) > 25, Deadline);

    simulator.reset(); // the cable is pulled
    const QString lost = QStringLiteral("가속도계 연결이 끊어졌습니다 (%1).").arg(link);
    QTRY_VERIFY_WITH_TIMEOUT(program.Memo().contains(lost), Deadline);
    QVERIFY(!program.ComDown() && !program.Form1->Live().DeviceFound);
    program.Click("BBtnStart"); // says there is no device and leaves the run alone
    QVERIFY(program.Memo().contains("연결된 가속도계가 없습니다."));
    QVERIFY(program.Form1->Live().Logging);

    const int pointsBefore = charts.PointCount(Chart1, 0);
    simulator = std::make_unique<SimulatorProcess>(QStringList{"--link", link}); // plugged in
    QTRY_VERIFY_WITH_TIMEOUT(program.Memo().contains("가속도계가 다시 연결되었습니다."), Deadline);
    QTRY_VERIFY_WITH_TIMEOUT(charts.PointCount(Chart1, 0) > pointsBefore + 25, Deadline);
    QVERIFY(program.ComDown() && program.Form1->Live().Logging);
    QCOMPARE(program.Memo().count(lost), 1);
}

void AppTest::LostSamplesAreReportedAtTheEndOfTheRun() {
    SimulatorProcess simulator({"--drop-bytes", "0.01"}); // about one sample in six broken
    Program program(PortSetting(simulator) + "CmbYTime=60\r\n");
    QTRY_VERIFY_WITH_TIMEOUT(program.Form1->Live().DeviceFound, Deadline);
    program.Click("BBtnStart");
    QTRY_VERIFY_WITH_TIMEOUT(program.Form1->ChartsView().PointCount(Chart1, 0) > 150, Deadline);
    program.Click("BBtnStop");
    QVERIFY(program.Memo().contains(
        QRegularExpression("\\[Stop Data Log\\.+\\]\n\\[주의\\] 이번 측정에서 샘플 약 "
                           "[0-9]+개\\([0-9]+%\\)를 받지 못했습니다.")));
}

QTEST_MAIN(AppTest)
#include "AppTest.moc"
