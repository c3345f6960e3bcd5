#include "SimulatorProcess.h"
#include "app/Tarvikmain.h"
#include "files/Cp949.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

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

QTEST_MAIN(AnalysisToolsTest)
#include "AnalysisToolsTest.moc"
