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
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

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
