#include "tests/app/Program.h"
#include "tests/app/SimulatorProcess.h"

#include <QSignalSpy>

namespace {

const int TumbleDeadline = 30000; // a whole tumble takes 8 s
using Names = std::vector<const char*>;
const Names Peaks = {"EdPeakMX", "EdPeakPX", "EdPeakMY", "EdPeakPY", "EdPeakMZ", "EdPeakPZ"};
const Names Offsets = {"EdOffsetX", "EdOffsetY", "EdOffsetZ"};
const Names Scales = {"EdScaleX", "EdScaleY", "EdScaleZ"};

QStringList Split(const char* joined) {
    return QString::fromUtf8(joined).split(u',');
}

// The program with its options page open, in a folder of its own unless one is given. Without
// a port it starts from what the program before it left in the folder.
struct LabPage : Program {
    explicit LabPage(const QString& port, const QString& folder = {})
        : Program(port.isEmpty() ? std::nullopt
                                 : std::optional("CmbKalman=0\r\nCmbComPort=" + port),
                  {}, folder) {
        Unlock();
        ShowPage("TabLab");
    }
};

} // namespace

class CalibrationPageTest : public QObject {
    Q_OBJECT
private slots:
    // A sensor whose X channel reads 1.02 × g + 0.01 g, Y 0.98 × g − 0.02 g, Z g + 0.005 g,
    // tumbled. At range code 1, 16384 counts per g: +1.03 g is 16875.52 → 16876, −1.01 g is
    // −16547.84 → −16548. (Writing the values and reading them back: AppTests.)
    void TumblePeaksGiveOffsetsAndScalesForBothResolutions() {
        const struct {
            const char *Range, *ResetScale, *Reference, *Peaks, *Offsets, *Fine, *Coarse;
        } cases[] = {{"1", "1000", "32767", "-16548,16876,-16384,15729,-16302,16466", "164,-328,82",
                      "980,1020,1000", "98,102,100"},
                     {"0", "100", "16384", "-8274,8438,-8192,7864,-8151,8233", "82,-164,41",
                      "980,1020,1000", "98,102,100"}};
        for (const auto& c : cases) {
            SimulatorProcess simulator({"--motion", "tumble", "--range", c.Range, "--gain",
                                        "1.02,0.98,1", "--bias", "0.01,-0.02,0.005"});
            LabPage program(simulator.DevicePath());
            QVERIFY(program.Connected());
            program.Find<QComboBox>("CmbScaleRef")->setCurrentIndex(0);
            program.Click("BtnCalClsAll"); // range code 1 selects the resolution 1000
            QCOMPARE(program.Texts(Scales), QStringList(3, c.ResetScale));
            program.Click("CbCalActive");
            QTRY_COMPARE_WITH_TIMEOUT(program.Texts(Peaks), Split(c.Peaks), TumbleDeadline);
            QCOMPARE(program.Text("EdRangeY").toInt(),
                     Split(c.Peaks)[3].toInt() - Split(c.Peaks)[2].toInt());

            // Offsets only while CbScale is grayed, the scales too once it was clicked.
            program.Click("BtnLabSsCal");
            QCOMPARE(program.Texts(Offsets), Split(c.Offsets));
            QCOMPARE(program.Texts(Scales), QStringList(3, c.ResetScale));
            program.Click("CbScale");
            program.Find<QComboBox>("CmbRangeRef")->setEditText(c.Reference);
            for (const auto& [index, scales] : {std::pair{0, c.Coarse}, std::pair{1, c.Fine}}) {
                program.Find<QComboBox>("CmbScaleRef")->setCurrentIndex(index);
                program.Click("BtnLabSsCal");
                QCOMPARE(program.Texts(Scales), Split(scales));
            }
            QCOMPARE(program.Form1->focusWidget(), program.Find("EdLabSsSn"));
            QCOMPARE(program.Find("EdLabSsSn")->selectedText(), QStringLiteral("SE170001"));
        }
    }

    void HistoryIsKeptAndLoadedIntoAFreshStart() {
        QTemporaryDir folder;
        ModalAnswers answers;
        const Names boxes = {"EdPeakMX",  "EdPeakPX",  "EdOffsetX", "EdPeakMY",
                             "EdPeakPY",  "EdOffsetY", "EdPeakMZ",  "EdPeakPZ",
                             "EdOffsetZ", "EdScaleX",  "EdScaleY",  "EdScaleZ"};
        const QStringList saved = Split("-1000,1050,25,-1012,1040,14,-1030,1019,-6,999,998,1001");
        const QString path = QDir::toNativeSeparators(folder.filePath("sensors"));
        {
            LabPage program(folder.filePath("none"), folder.path());
            program.Type(boxes, saved);
            program.Type("EdScaleZ", "1000");
            answers.Paths << path; // no file "AmAjustSn" yet: the dialog asks, ".csv" is added
            program.Click("BtnSsFtSave");
            QCOMPARE(program.Text("EdLabSsFtFile"), path + ".csv");
            program.Type("EdScaleZ", "1001");
            program.Click("BtnSsFtSave");
            QCOMPARE(program.Memo().count("SE170001 센스특성을 저장하였습니다."), 2);
            program.Find("EdLabSsSn")->clear();
            program.Click("BtnSsFtSave");
            program.Click("BtnSsFtLoad");
            QCOMPARE(answers.Boxes, QStringList(2, "{Fail] 센스명이 누락되었습니다."));
            program.Type("EdLabSsSn", "SE170001");
        }
        QFile file(path + ".csv");
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[1], "D" + QDate::currentDate().toString("yyyyMMdd").toLatin1() +
                               ",SE170001," + saved.join(u',').toLatin1() + "\r");

        answers.Boxes.clear();
        LabPage fresh({}, folder.path());
        fresh.Click("CbCalActive");
        fresh.Click("BtnSsFtLoad");
        QCOMPARE(fresh.Texts(boxes), saved);
        QCOMPARE(fresh.Text("EdRangeZ"), QStringLiteral("2049"));
        QVERIFY(fresh.Memo().endsWith("Find Sensor Data : 2"));
        QVERIFY(!fresh.Find<QAbstractButton>("CbCalEnX")->isChecked());
        for (const char* serial : {"se170001", "SE170009"}) {
            fresh.Type("EdLabSsSn", serial);
            fresh.Click("BtnSsFtLoad");
            QCOMPARE(answers.Boxes.takeFirst(),
                     QStringLiteral("[Warning] There is no data of ") + serial);
        }
        QCOMPARE(fresh.Texts(boxes), saved);
        // A device takes no history (a full disk is the core's test).
        fresh.Type("EdLabSsFtFile", "/dev/full");
        fresh.Click("BtnSsFtSave");
        QVERIFY(fresh.Memo().endsWith(
            "Sensor Feature File Save Err! : /dev/full (not a regular file)"));
    }

    // While the live display runs in a tumble, loaded, reset and double-clicked peaks stay as
    // the page put them: what the display had queued before is dropped, and its later samples
    // follow the reset peaks.
    void PeaksThePagePutsStayPut() {
        QTemporaryDir folder;
        QFile history(folder.filePath("AmAjustSn"));
        QVERIFY(history.open(QIODevice::WriteOnly));
        history.write(
            "D20240315,SE170001,-1000,1050,25,-1012,1040,14,-1030,1019,-6,999,998,1000\r\n");
        history.close();
        // A little noise, so that the vector sum's box changes with every sample shown.
        SimulatorProcess simulator({"--motion", "tumble", "--noise", "0.002"});
        LabPage program(simulator.DevicePath(), folder.path());
        QVERIFY(program.Connected());
        auto samplesShown = [&program](int count) {
            QSignalSpy shown(program.Find("EdAccSum"), &QLineEdit::textChanged);
            return QTest::qWaitFor([&] { return shown.count() >= count; }, Deadline);
        };
        for (int attempt = 0; attempt < 2; ++attempt) {
            program.Find<QAbstractButton>("CbCalActive")->setChecked(true);
            QTRY_VERIFY_WITH_TIMEOUT(program.Text("EdPeakPX").toInt() > 1050, TumbleDeadline);
            program.Form1->FrameSide().ProcessFrame(BuildValueFrame(FrmAxisZ, 0)); // its texts wait
            program.Click("BtnSsFtLoad");
            QVERIFY(samplesShown(3));
            QCOMPARE(program.Texts(Peaks), Split("-1000,1050,-1012,1040,-1030,1019"));
        }
        program.Find<QAbstractButton>("CbCalActive")->setChecked(true);
        QTRY_VERIFY_WITH_TIMEOUT(program.Text("EdPeakMY").toInt() < -100, TumbleDeadline);
        program.Form1->FrameSide().ProcessFrame(BuildValueFrame(FrmAxisZ, 0));
        program.Click("BtnCalClsy");
        QTest::mouseDClick(program.Find("EdPeakMZ"), Qt::LeftButton);
        QVERIFY(samplesShown(1));
        // From 0 again: at most what the sensor reached since.
        QVERIFY(program.Text("EdPeakMY").toInt() > program.Live().CountMinY - 1);
        QCOMPARE(program.Text("EdPeakMY").toInt(), program.Live().CountMinY);
        QCOMPARE(program.Text("EdPeakMZ").toInt(), program.Live().CountMinZ);
    }

    void TextsThatAreNoNumbersStopTheirHandlerWithOneReport() {
        LabPage program(QDir::tempPath() + "/no-such-port");
        ModalAnswers answers;
        program.Type(Peaks, Split("-500,700,-520,490,-4,4"));
        program.Find("EdPeakPX")->clear(); // emptied to type anew: the range stays
        QCOMPARE(answers.Boxes, QStringList{"'' is not a valid integer value"});
        QCOMPARE(program.Text("EdRangeX"), QStringLiteral("1200"));
        program.Type("EdPeakPX", "700");
        for (const char* box : Peaks) {
            const QString kept = program.Text(box);
            program.Find(box)->blockSignals(true);
            program.Find(box)->setText("1e2");
            program.Click("BtnLabSsCal");
            program.Find(box)->setText(kept);
            program.Find(box)->blockSignals(false);
            QCOMPARE(answers.Boxes.size(), 2);
            QCOMPARE(answers.Boxes.takeLast(),
                     QStringLiteral("'1e2' is not a valid integer value"));
            QCOMPARE(program.Text("EdOffsetX"), QStringLiteral("0"));
        }
        // With scales on: a reference that is no number, then an axis without span. The offsets
        // are computed either way, the scales stay.
        program.Click("CbScale");
        program.Find<QComboBox>("CmbRangeRef")->setEditText("2O48");
        program.Click("BtnLabSsCal");
        QCOMPARE(answers.Boxes.takeLast(),
                 QStringLiteral("'2O48' is not a valid floating point value"));
        QCOMPARE(program.Texts(Offsets), Split("100,-15,0"));
        program.Find<QComboBox>("CmbRangeRef")->setEditText("2048");
        program.Type("EdPeakMZ", "4");
        program.Click("BtnLabSsCal");
        QVERIFY(program.Memo().endsWith("Scale Calc Err! Range 0 : Z"));
        QCOMPARE(program.Texts(Scales), QStringList(3, "1000"));
        QCOMPARE(program.Text("EdOffsetZ"), QStringLiteral("4"));

        QTest::mouseDClick(program.Find("EdPeakPY"), Qt::LeftButton);
        QCOMPARE(program.Text("EdRangeY"), QStringLiteral("520"));
        program.Click("BtnCalClsy");
        QCOMPARE(program.Texts({"EdPeakMY", "EdRangeY", "EdOffsetY", "EdScaleY"}),
                 Split("0,0,0,100"));
        QCOMPARE(answers.Boxes.size(), 1);
    }
};

QTEST_MAIN(CalibrationPageTest)
#include "CalibrationPageTest.moc"
