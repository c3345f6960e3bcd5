#include "Dialogs.h"
#include "app/Tarvikmain.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <qcustomplot.h>

// The main window's own handlers, without a device: the port named in the settings does
// not exist.
class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        QDir::setCurrent(Folder.path());
        QFile::remove(QStringLiteral("default.ini"));
        Form = std::make_unique<TForm1>();
    }
    void cleanup() { Form.reset(); }

    void HiddenWordUnlocksOptionsPageAndFilterLevels();
    void TimeWindowOutsideItsRangeLeavesTheAxes();
    void PendulumCalculationsAndLengthEntry();
    void SpeedPageSharesTheAccelerationChart();
    void KalmanBenchConvergesToTheLevelBias();
    void WithoutSettingsFileTheAxesFollowTheBoxes();
    void RejectedMassPutsTheUnitBoxBack();
    void OpensCentredWithATiltScaleOnFirstShow();
    void PortBoxShowsWholeDeviceNames();
    void StartClearsStaleTemporariesAndCloseShowsASaveFailure();

private:
    template <typename T> T* Find(const char* name) {
        return Form->findChild<T*>(QLatin1String(name));
    }
    QString Memo() { return Find<QPlainTextEdit>("Memo1")->toPlainText(); }
    void Choose(const char* comboName, int index) {
        auto* combo = Find<QComboBox>(comboName);
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }

    QTemporaryDir Folder;
    std::unique_ptr<TForm1> Form;
};

void MainWindowTest::HiddenWordUnlocksOptionsPageAndFilterLevels() {
    QVERIFY(Memo().contains("Initial File Read Err! : default.ini"));
    QVERIFY(QDir(Folder.filePath("LogData")).exists());
    auto* pages = Find<QTabWidget>("PageControl1");
    pages->setCurrentIndex(4);
    QCOMPARE(pages->currentIndex(), 0);
    Choose("CmbKalman", 5);
    QCOMPARE(Find<QComboBox>("CmbKalman")->currentIndex(), 2);
    QVERIFY(Memo().contains("사용 할 수 없는 영역입니다"));

    auto* name = Find<QLineEdit>("EdLogFile");
    QTest::keyClicks(name, "PQRVMKZDWTA");
    QVERIFY(Find<QLineEdit>("EdDist")->isHidden());
    name->clear();
    QTest::keyClicks(name, "pqrvmkzdwta");
    QVERIFY(!Find<QLineEdit>("EdDist")->isHidden());
    QVERIFY(!Find<QLabel>("Label32")->isHidden());
    pages->setCurrentIndex(4);
    QCOMPARE(pages->currentIndex(), 4);
    Choose("CmbKalman", 5);
    QCOMPARE(Find<QComboBox>("CmbKalman")->currentIndex(), 5);
}

void MainWindowTest::TimeWindowOutsideItsRangeLeavesTheAxes() {
    auto* window = Find<QComboBox>("CmbYTime");
    Choose("CmbYTime", 4);
    QCOMPARE(Form->ChartsView().BottomMax(Chart2), 60.0);
    for (const char* text : {"4", "121"}) {
        window->setEditText(text);
        emit window->lineEdit()->editingFinished();
        QCOMPARE(Form->ChartsView().BottomMax(Chart1), 60.0);
    }
    QCOMPARE(Memo().count("Bottom Axes Range Error!!!"), 2);
    window->setEditText("120");
    emit window->lineEdit()->editingFinished();
    QCOMPARE(Form->ChartsView().BottomMax(Chart3), 120.0);
}

void MainWindowTest::PendulumCalculationsAndLengthEntry() {
    Find<QLineEdit>("EdPendT")->setText("1.42");
    Find<QLineEdit>("EdPendL")->setText("0.5");
    Find<QAbstractButton>("Button1")->click();
    Find<QAbstractButton>("Button2")->click();
    QCOMPARE(Find<QLineEdit>("EdPendCalG")->text(), QStringLiteral("9.79"));
    QCOMPARE(Find<QLineEdit>("EdPendCalT")->text(), QStringLiteral("1.419"));
    Find<QLineEdit>("EdPendT")->setText("abc");
    Find<QAbstractButton>("Button1")->click();
    QCOMPARE(Find<QLineEdit>("EdPendCalG")->text(), QStringLiteral("9.79"));

    auto* upDown = Find<QSpinBox>("UdPendL");
    upDown->stepUp();
    QCOMPARE(Find<QLineEdit>("EdPendL")->text(), QStringLiteral("0.501"));
    // Each key release reads the whole box: 0.5 mm and 25 m are outside the up-down's range.
    auto* length = Find<QLineEdit>("EdPendL");
    for (const char* text : {"0.0005", "25", "x"}) {
        length->setText(text);
        QTest::keyRelease(length, Qt::Key_5);
        QCOMPARE(upDown->value(), 501);
    }
    length->setText("1.25");
    QTest::keyRelease(length, Qt::Key_5);
    QCOMPARE(upDown->value(), 1250);
    QCOMPARE(length->text(), QStringLiteral("1.25"));
}

void MainWindowTest::SpeedPageSharesTheAccelerationChart() {
    auto* pages = Find<QTabWidget>("PageControl1");
    auto* chartPanel = Find<QWidget>("PnlAccChart");
    pages->setCurrentWidget(Find<QWidget>("TabSpeed"));
    QCOMPARE(chartPanel->parentWidget(), Find<QWidget>("TabSpeed"));
    const int half = Find<QWidget>("TabSpeed")->height() / 2;
    QCOMPARE(chartPanel->height(), half);
    QCOMPARE(Find<QWidget>("PnlSpeed")->y(), half + 3);
    pages->setCurrentWidget(Find<QWidget>("TabAngle"));
    QCOMPARE(Find<QWidget>("PnlOffset")->parentWidget(), Find<QWidget>("TabAngle"));
    pages->setCurrentWidget(Find<QWidget>("TabAccelo"));
    QCOMPARE(chartPanel->parentWidget(), Find<QWidget>("TabAccelo"));
    QCOMPARE(Find<QWidget>("PnlOffset")->parentWidget(), Find<QWidget>("TabAccelo"));
    QVERIFY(chartPanel->isVisibleTo(Form.get()));
}

void MainWindowTest::KalmanBenchConvergesToTheLevelBias() {
    Find<QLineEdit>("EdKmR")->setText("20");
    Find<QLineEdit>("EdKmQ")->setText("1");
    Find<QLineEdit>("EdKmD")->setText("0");
    Find<QAbstractButton>("BtnKmStart")->click();
    QTRY_COMPARE_WITH_TIMEOUT(Find<QLineEdit>("EdKmResult")->text(), QStringLiteral("5.0000"),
                              10000);
    Find<QAbstractButton>("BtnKmStop")->click();
    QVERIFY(std::abs(Form->Live().KalmanBias - 5.0) < 1e-4);
}

void MainWindowTest::WithoutSettingsFileTheAxesFollowTheBoxes() {
    QVERIFY(Memo().contains("Initial File Read Err! : default.ini"));
    QCOMPARE(Find<QComboBox>("CmbUnit")->currentText(), QStringLiteral("[m/s2]"));
    QCOMPARE(Find<QComboBox>("CmbYTime")->currentText(), QStringLiteral("10"));
    auto* chart1 = Find<QCustomPlot>("Chart1");
    QCOMPARE(chart1->yAxis->label(), QStringLiteral("가속도[m/s2]"));
    QCOMPARE(chart1->yAxis2->label(), QStringLiteral("힘[N]"));
    QCOMPARE(chart1->yAxis->range().upper, 20.0);
    for (int chart : {Chart1, Chart2, Chart3})
        QCOMPARE(Form->ChartsView().BottomMax(chart), 10.0);
}

void MainWindowTest::RejectedMassPutsTheUnitBoxBack() {
    auto* unit = Find<QComboBox>("CmbUnit");
    auto* chart1 = Find<QCustomPlot>("Chart1");
    Find<QLineEdit>("EdMass")->setText("0,2");
    QString reported;
    AnswerNextModal([&](QWidget* box) {
        reported = qobject_cast<QMessageBox*>(box)->text();
        box->close();
    });
    Choose("CmbUnit", 0);
    QCOMPARE(reported, QStringLiteral("질량을 변환할 수 없습니다. 다시 입력하세요"));
    QCOMPARE(unit->currentIndex(), 1);
    QCOMPARE(chart1->yAxis->label(), QStringLiteral("가속도[m/s2]"));

    Find<QLineEdit>("EdMass")->setText("0.2");
    Choose("CmbUnit", 0);
    QCOMPARE(unit->currentIndex(), 0);
    QCOMPARE(chart1->yAxis->label(), QStringLiteral("가속도[g]"));
}

void MainWindowTest::OpensCentredWithATiltScaleOnFirstShow() {
    Form->show();
    QVERIFY(QTest::qWaitForWindowExposed(Form.get()));
    const QRect screen = Form->screen()->availableGeometry();
    QVERIFY(screen.width() > Form->frameGeometry().width()); // the test's screen is 1280 x 800
    QVERIFY((Form->frameGeometry().center() - screen.center()).manhattanLength() <= 16);

    // The tilt chart, drawn once while hidden, is laid out anew when its page is first
    // shown: -60..60 degrees in steps of 10.
    auto* tilt = Find<QCustomPlot>("Chart3");
    QSignalSpy drawn(tilt, &QCustomPlot::afterReplot);
    QTRY_VERIFY_WITH_TIMEOUT(drawn.count() > 0, 10000);
    Find<QTabWidget>("PageControl1")->setCurrentWidget(Find<QWidget>("TabAngle"));
    QList<double> degrees;
    for (int angle = -60; angle <= 60; angle += 10)
        degrees << angle;
    QTRY_COMPARE_WITH_TIMEOUT(tilt->yAxis->tickVector(), degrees, 10000);
    QVERIFY(tilt->xAxis->tickVector().size() >= 6); // 0..10 s
}

void MainWindowTest::PortBoxShowsWholeDeviceNames() {
    const QString name = "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0";
    auto* box = Find<QComboBox>("CmbComPort");
    Form->AddPortToList(name.toStdString());
    Form->SetPortBoxText(name.toStdString());
    QCOMPARE(box->toolTip(), name);
    box->showPopup();
    QTRY_VERIFY_WITH_TIMEOUT(box->view()->isVisible(), 10000);
    QVERIFY(box->view()->viewport()->width() >= box->view()->fontMetrics().horizontalAdvance(name));
    box->hidePopup();
}

void MainWindowTest::StartClearsStaleTemporariesAndCloseShowsASaveFailure() {
    const QString stale = Folder.filePath("LogData/.run.csv.123.tarvik-partial");
    QFile(stale).open(QIODevice::WriteOnly);
    Form = std::make_unique<TForm1>(); // the next start
    QVERIFY(!QFile::exists(stale));

    QDir().mkdir(QStringLiteral("default.ini")); // a folder: the settings cannot replace it
    QString shown;
    QTimer answer;
    connect(&answer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = box->text();
            box->accept();
        }
    });
    answer.start(50);
    Form->close();
    QVERIFY(shown.startsWith("Initial File Save Err! : default.ini ("));
    QDir().rmdir(QStringLiteral("default.ini"));
}

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
