#include "app/Tarvikmain.h"
#include "calibration/qt/CalibrationPage.h"
#include "tests/app/SimulatorProcess.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

namespace {

const int Deadline = 20000;
using Names = std::vector<const char*>;
const Names PeakBoxes = {"EdPeakMX", "EdPeakPX", "EdPeakMY", "EdPeakPY", "EdPeakMZ", "EdPeakPZ"};

// Answers the modal boxes and file dialogs the program opens: each box is recorded and
// closed, each dialog gets the next path of the list or is cancelled when the list is empty.
struct ModalAnswers : QObject {
    ModalAnswers() {
        connect(&Poll, &QTimer::timeout, this, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                Boxes << box->text();
                box->done(0);
            } else if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
                if (Paths.isEmpty()) return dialog->reject();
                auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
                name->setText(Paths.takeFirst());
                QTest::keyClick(name, Qt::Key_Return);
            }
        });
        Poll.start(50);
    }
    QStringList Boxes;
    QStringList Paths;
    QTimer Poll;
};

// The analysis program in a working folder, its options page unlocked and shown. Without
// settings it starts with what the folder holds from the program before it.
struct Program {
    Program(const QString& folder, const QString& settings = {}) {
        QDir::setCurrent(folder);
        if (!settings.isEmpty()) {
            QFile file(QStringLiteral("default.ini"));
            file.open(QIODevice::WriteOnly);
            file.write("Kvd_Log_DataBase_Ver=1.0\r\nCmbKalman=0\r\n" + settings.toUtf8());
        }
        Form1 = std::make_unique<TForm1>();
        Form1->show();
        QTest::keyClicks(Find<QLineEdit>("EdLogFile"), "pqrvmkzdwta");
        Find<QTabWidget>("PageControl1")->setCurrentWidget(Find<QWidget>("TabLab"));
    }
    ~Program() { Form1->close(); }

    template <typename T = QLineEdit> T* Find(const char* name) const {
        return Form1->findChild<T*>(QLatin1String(name));
    }
    QString Text(const char* box) const { return Find(box)->text(); }
    QStringList Texts(const Names& boxes) const {
        QStringList texts;
        for (const char* box : boxes)
            texts << Text(box);
        return texts;
    }
    void Click(const char* button) { Find<QAbstractButton>(button)->click(); }
    QString Memo() const { return Find<QPlainTextEdit>("Memo1")->toPlainText(); }

    std::unique_ptr<TForm1> Form1;
};

QStringList Strings(const char* joined) {
    return QString::fromLatin1(joined).split(u',');
}

} // namespace

class CalibrationPageTest : public QObject {
    Q_OBJECT
private slots:
    void TumblePeaksGiveOffsetsAndScalesThatTheDeviceTakesBack_data();
    void TumblePeaksGiveOffsetsAndScalesThatTheDeviceTakesBack();
    void HistoryIsKeptAndLoadedIntoAFreshStart();
    void TextsThatAreNoNumbersStopTheirHandlerWithOneReport();
};

// A sensor whose X reads 1.02 g + 0.01 g, Y 0.98 g − 0.02 g and Z 1 g + 0.005 g, tumbled.
void CalibrationPageTest::TumblePeaksGiveOffsetsAndScalesThatTheDeviceTakesBack_data() {
    QTest::addColumn<QString>("range");
    QTest::addColumn<QString>("resetScale"); // what the reset of all axes selects and shows
    QTest::addColumn<QString>("reference");
    QTest::addColumn<QStringList>("peaks"); // min X, max X, min Y, max Y, min Z, max Z
    QTest::addColumn<QStringList>("offsets");
    QTest::addColumn<QStringList>("fine");   // scales at resolution 1000
    QTest::addColumn<QStringList>("coarse"); // and at 100
    // 16384 counts per g: 1.03 g gives 16875.52 → 16876, −1.01 g −16547.84 → −16548.
    QTest::newRow("range code 1") << "1"
                                  << "1000"
                                  << "32767" << Strings("-16548,16876,-16384,15729,-16302,16466")
                                  << Strings("164,-328,82") << Strings("980,1020,1000")
                                  << Strings("98,102,100");
    QTest::newRow("range code 0") << "0"
                                  << "100"
                                  << "16384" << Strings("-8274,8438,-8192,7864,-8151,8233")
                                  << Strings("82,-164,41") << Strings("980,1020,1000")
                                  << Strings("98,102,100");
}

void CalibrationPageTest::TumblePeaksGiveOffsetsAndScalesThatTheDeviceTakesBack() {
    QFETCH(QString, range);
    QFETCH(QString, resetScale);
    QFETCH(QString, reference);
    QFETCH(QStringList, peaks);
    QFETCH(QStringList, offsets);
    QFETCH(QStringList, fine);
    QFETCH(QStringList, coarse);
    SimulatorProcess simulator({"--motion", "tumble", "--range", range, "--gain", "1.02,0.98,1",
                                "--bias", "0.01,-0.02,0.005"});
    QTemporaryDir folder;
    Program program(folder.path(), "CmbComPort=" + simulator.DevicePath() + "\r\n");
    QTRY_VERIFY_WITH_TIMEOUT(program.Form1->Live().DeviceFound, Deadline);
    program.Find<QComboBox>("CmbScaleRef")->setCurrentIndex(0);
    program.Click("BtnCalClsAll");
    QCOMPARE(program.Find<QComboBox>("CmbScaleRef")->currentText(), resetScale);
    QCOMPARE(program.Texts({"EdScaleX", "EdScaleY", "EdScaleZ"}), QStringList(3, resetScale));
    program.Click("CbCalActive");
    QVERIFY(program.Find<QAbstractButton>("CbCalEnZ")->isChecked());

    // Watch: one tumble takes 8 s.
    QTRY_COMPARE_WITH_TIMEOUT(program.Texts(PeakBoxes), peaks, Deadline);
    QCOMPARE(program.Text("EdRangeY"), QString::number(peaks[3].toInt() - peaks[2].toInt()));
    // Compute: offsets only while CbScale is grayed, scales too after one click on it.
    program.Click("BtnLabSsCal");
    QCOMPARE(program.Texts({"EdOffsetX", "EdOffsetY", "EdOffsetZ"}), offsets);
    QCOMPARE(program.Texts({"EdScaleX", "EdScaleY", "EdScaleZ"}), QStringList(3, resetScale));
    program.Click("CbScale");
    program.Find<QComboBox>("CmbRangeRef")->setEditText(reference);
    for (const auto& [index, scales] : {std::pair{0, coarse}, std::pair{1, fine}}) {
        program.Find<QComboBox>("CmbScaleRef")->setCurrentIndex(index);
        program.Click("BtnLabSsCal");
        QCOMPARE(program.Texts({"EdScaleX", "EdScaleY", "EdScaleZ"}), scales);
    }
    const auto* page = program.Form1->findChild<CalibrationPage*>();
    QCOMPARE(page->CalOffset(CalibrationPage::AxisY), offsets[1].toInt());
    QCOMPARE(page->CalScale(CalibrationPage::AxisZ), fine[2].toInt());
    QCOMPARE(program.Form1->focusWidget(), program.Find("EdLabSsSn"));
    QCOMPARE(program.Find("EdLabSsSn")->selectedText(), QStringLiteral("SE170001"));

    // Write, then read back.
    program.Click("BtnLabSsCalApply");
    QTRY_VERIFY_WITH_TIMEOUT(simulator.CountOf("02 0C 00 00 0E 03") == 1, Deadline);
    program.Click("Button3");
    program.Click("Button4");
    QTRY_COMPARE_WITH_TIMEOUT(program.Texts({"EdRcvdOstX", "EdRcvdOstY", "EdRcvdOstZ"}), offsets,
                              Deadline);
    QTRY_COMPARE_WITH_TIMEOUT(program.Texts({"EdRcvdScaleX", "EdRcvdScaleY", "EdRcvdScaleZ"}), fine,
                              Deadline);
}

void CalibrationPageTest::HistoryIsKeptAndLoadedIntoAFreshStart() {
    QTemporaryDir folder;
    ModalAnswers answers;
    const QStringList saved = Strings("-1000,1050,25,-1012,1040,14,-1030,1019,-6,999,998,1001");
    const Names boxes = {"EdPeakMX", "EdPeakPX", "EdOffsetX", "EdPeakMY", "EdPeakPY", "EdOffsetY",
                         "EdPeakMZ", "EdPeakPZ", "EdOffsetZ", "EdScaleX", "EdScaleY", "EdScaleZ"};
    const QString path = QDir::toNativeSeparators(folder.filePath("sensors"));
    {
        Program program(folder.path(), "CmbComPort=" + folder.filePath("none") + "\r\n");
        int field = 0;
        for (const char* box : boxes)
            program.Find(box)->setText(field++ == 11 ? "1000" : saved[field - 1]);
        answers.Paths << path; // no file "AmAjustSn" yet: the dialog asks, ".csv" is added
        program.Click("BtnSsFtSave");
        QCOMPARE(program.Text("EdLabSsFtFile"), path + ".csv");
        program.Find("EdScaleZ")->setText("1001");
        program.Click("BtnSsFtSave");
        QCOMPARE(program.Memo().count("SE170001 센스특성을 저장하였습니다."), 2);
        program.Find("EdLabSsSn")->clear();
        program.Click("BtnSsFtSave");
        program.Click("BtnSsFtLoad");
        QCOMPARE(answers.Boxes, QStringList(2, "{Fail] 센스명이 누락되었습니다."));
        program.Find("EdLabSsSn")->setText("SE170001");
    }
    QFile file(path + ".csv");
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    QCOMPARE(lines.size(), 3);
    QVERIFY(lines[1].startsWith("D" + QDate::currentDate().toString("yyyyMMdd").toLatin1()));
    QVERIFY(lines[1].endsWith(",SE170001," + saved.join(u',').toLatin1() + "\r"));

    answers.Boxes.clear();
    Program fresh(folder.path());
    fresh.Click("CbCalActive");
    fresh.Click("BtnSsFtLoad");
    QCOMPARE(fresh.Texts(boxes), saved);
    QCOMPARE(fresh.Text("EdRangeZ"), QStringLiteral("2049"));
    QVERIFY(fresh.Memo().contains("Find Sensor Data : 2"));
    QVERIFY(!fresh.Find<QAbstractButton>("CbCalEnX")->isChecked());
    for (const char* serial : {"se170001", "SE170009"}) {
        fresh.Find("EdLabSsSn")->setText(serial);
        fresh.Click("BtnSsFtLoad");
        QCOMPARE(answers.Boxes.takeFirst(),
                 QStringLiteral("[Warning] There is no data of ") + serial);
    }
    QCOMPARE(fresh.Texts(boxes), saved);
}

void CalibrationPageTest::TextsThatAreNoNumbersStopTheirHandlerWithOneReport() {
    QTemporaryDir folder;
    Program program(folder.path(), "CmbComPort=" + folder.filePath("none") + "\r\n");
    ModalAnswers answers;
    const QStringList peaks = Strings("-500,700,-520,490,-4,4");
    for (int i = 0; i < 6; ++i)
        program.Find(PeakBoxes[i])->setText(peaks[i]);
    QCOMPARE(program.Text("EdRangeY"), QStringLiteral("1010"));

    // A peak box emptied to type anew: the range keeps its last value.
    program.Find("EdPeakPX")->clear();
    QCOMPARE(answers.Boxes, QStringList{"'' is not a valid integer value"});
    QCOMPARE(program.Text("EdRangeX"), QStringLiteral("1200"));
    program.Find("EdPeakPX")->setText("700");
    for (const char* box : PeakBoxes) {
        answers.Boxes.clear();
        const QString kept = program.Text(box);
        {
            const QSignalBlocker blocker(program.Find(box));
            program.Find(box)->setText("1e2");
        }
        program.Click("BtnLabSsCal");
        QCOMPARE(answers.Boxes, QStringList{"'1e2' is not a valid integer value"});
        QCOMPARE(program.Text("EdOffsetX"), QStringLiteral("0"));
        program.Find(box)->setText(kept);
    }

    // With scales on, a reference that is no number, then an axis without span: the offsets
    // are computed either way, the scales stay.
    answers.Boxes.clear();
    program.Click("CbScale");
    program.Find<QComboBox>("CmbRangeRef")->setEditText("2O48");
    program.Click("BtnLabSsCal");
    QCOMPARE(answers.Boxes, QStringList{"'2O48' is not a valid floating point value"});
    QCOMPARE(program.Texts({"EdOffsetX", "EdOffsetY", "EdOffsetZ"}), Strings("100,-15,0"));
    program.Find<QComboBox>("CmbRangeRef")->setEditText("2048");
    program.Find("EdPeakMZ")->setText("4");
    program.Click("BtnLabSsCal");
    QVERIFY(program.Memo().endsWith("Scale Calc Err! Range 0 : Z"));
    QCOMPARE(program.Texts({"EdScaleX", "EdScaleY", "EdScaleZ"}), QStringList(3, "1000"));
    QCOMPARE(program.Text("EdOffsetZ"), QStringLiteral("4"));

    // The double-click and per-axis resets, and the serial number's arrows.
    QTest::mouseDClick(program.Find("EdPeakPY"), Qt::LeftButton);
    QCOMPARE(program.Text("EdRangeY"), QStringLiteral("520"));
    program.Click("BtnCalClsy");
    QCOMPARE(program.Texts({"EdPeakMY", "EdRangeY", "EdOffsetY", "EdScaleY"}),
             Strings("0,0,0,100"));
    auto* arrows = program.Find<QSpinBox>("UdLabSsSn");
    arrows->stepUp();
    QCOMPARE(program.Text("EdLabSsSn"), QStringLiteral("SE170002"));
    arrows->stepDown();
    arrows->stepDown();
    QCOMPARE(program.Text("EdLabSsSn"), QStringLiteral("SE170000"));
    QCOMPARE(answers.Boxes.size(), 1);
}

QTEST_MAIN(CalibrationPageTest)
#include "CalibrationPageTest.moc"
