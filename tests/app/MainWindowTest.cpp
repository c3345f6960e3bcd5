#include "device/qt/PortCandidates.h"
#include "files/LogFile.h"
#include "sim/Motion.h"
#include "tests/app/Program.h"

#include <QClipboard>
#include <QFontDatabase>
#include <QLabel>
#include <QRegularExpression>
#include <QScreen>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTextBrowser>
#include <numbers>
#include <qcustomplot.h>
#include <random>
#ifndef _WIN32
#include <sys/stat.h>
#endif

// The main window's own handlers, without a device and without a settings file.
class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        QDir::setCurrent(Folder.path());
        QFile::remove(QStringLiteral("default.ini"));
        Form = std::make_unique<TForm1>();
        Window.Form1 = Form.get();
    }
    void cleanup() { Form.reset(); }

    void HiddenWordUnlocksOptionsPageAndFilterLevels() {
        QVERIFY(QDir(Folder.filePath("LogData")).exists());
        auto* pages = Window.Find<QTabWidget>("PageControl1");
        pages->setCurrentIndex(4);
        QCOMPARE(pages->currentIndex(), 0);
        Window.Choose("CmbKalman", 5);
        QCOMPARE(Window.Find<QComboBox>("CmbKalman")->currentIndex(), 2);
        QVERIFY(Window.Memo().contains("사용 할 수 없는 영역입니다"));

        QTest::keyClicks(Window.Find("EdLogFile"), "PQRVMKZDWTA");
        QVERIFY(Window.Find("EdDist")->isHidden());
        Window.Find("EdLogFile")->clear();
        Window.Unlock();
        QVERIFY(!Window.Find("EdDist")->isHidden() && !Window.Find<QLabel>("Label32")->isHidden());
        pages->setCurrentIndex(4);
        QCOMPARE(pages->currentIndex(), 4);
        Window.Choose("CmbKalman", 5);
        QCOMPARE(Window.Find<QComboBox>("CmbKalman")->currentIndex(), 5);
    }

    // The word unlocks the options but is not left for the class to see: the box shows the name
    // it held before, the settings file never keeps the word, and one written before the word
    // was kept out shows it no more.
    void UnlockWordIsNeitherShownNorKept() {
        auto* name = Window.Find<QLineEdit>("EdLogFile");
        name->setText(QStringLiteral("lesson"));
        QTest::keyClick(name, Qt::Key_A, Qt::ControlModifier);
        Window.Unlock();
        QVERIFY(!Window.Find("EdDist")->isHidden());
        QCOMPARE(name->text(), QStringLiteral("lesson"));
        Form->close();
        QFile settings(QStringLiteral("default.ini"));
        QVERIFY(settings.open(QIODevice::ReadOnly));
        const QByteArray written = settings.readAll();
        QVERIFY(written.contains("EdLogFile=lesson") && !written.contains("pqrvmkzdwta"));
        settings.close();

        QVERIFY(settings.open(QIODevice::WriteOnly));
        settings.write(QByteArray(written).replace("EdLogFile=lesson", "EdLogFile=pqrvmkzdwta"));
        settings.close();
        Form = std::make_unique<TForm1>();
        Window.Form1 = Form.get();
        QCOMPARE(Window.Find<QLineEdit>("EdLogFile")->text(), QString());
    }

    void TimeWindowOutsideItsRangeLeavesTheAxes() {
        auto* window = Window.Find<QComboBox>("CmbYTime");
        Window.Choose("CmbYTime", 4);
        QCOMPARE(Form->ChartsView().BottomMax(Chart::Velocity), 60.0);
        for (const auto& [text, shown] : {std::pair{"4", 60.0}, {"121", 60.0}, {"120", 120.0}}) {
            window->setEditText(text);
            emit window->lineEdit()->editingFinished();
            QCOMPARE(Form->ChartsView().BottomMax(Chart::Tilt), shown);
        }
        QCOMPARE(Window.Memo().count("Bottom Axes Range Error!!!"), 2);
    }

    void PendulumCalculationsAndLengthEntry() {
        Window.Type("EdPendT", "1.42");
        Window.Type("EdPendL", "0.5");
        Window.Click("Button1");
        Window.Click("Button2");
        QCOMPARE(Window.Text("EdPendCalG"), QStringLiteral("9.79"));
        QCOMPARE(Window.Text("EdPendCalT"), QStringLiteral("1.419"));
        // Without a measured period one line says so and the result stays.
        for (const char* period : {"abc", "0.000", "---"}) {
            Window.Type("EdPendT", period);
            Window.Click("Button1");
        }
        QCOMPARE(Window.Text("EdPendCalG"), QStringLiteral("9.79"));
        QCOMPARE(Window.Memo().count("주기 칸에 잰 주기가 없어 중력을 계산하지 않았습니다."), 3);

        auto* upDown = Window.Find<QSpinBox>("UdPendL");
        upDown->stepUp();
        QCOMPARE(Window.Text("EdPendL"), QStringLiteral("0.501"));
        // Each key release reads the whole box: 0.5 mm and 25 m are outside the up-down's range.
        for (const auto& [text, value] :
             {std::pair{"0.0005", 501}, {"25", 501}, {"x", 501}, {"1.25", 1250}}) {
            Window.Type("EdPendL", text);
            QTest::keyRelease(Window.Find("EdPendL"), Qt::Key_5);
            QCOMPARE(upDown->value(), value);
        }
        QCOMPARE(Window.Text("EdPendL"), QStringLiteral("1.25"));
    }

    void KalmanBenchConvergesToTheLevelBias() {
        Window.Type("EdKmR", "20");
        Window.Type("EdKmQ", "1");
        Window.Type("EdKmD", "0");
        Window.Click("BtnKmStart");
        QTRY_COMPARE_WITH_TIMEOUT(Window.Text("EdKmResult"), QStringLiteral("5.0000"), Deadline);
        Window.Click("BtnKmStop");
        QVERIFY(std::abs(Form->Live().KalmanBias - 5.0) < 1e-4);
    }

    void WithoutSettingsFileTheAxesFollowTheBoxes() {
        QVERIFY(Window.Memo().contains("Initial File Read Err! : default.ini"));
        QCOMPARE(Window.Find<QComboBox>("CmbUnit")->currentText(), QStringLiteral("[m/s2]"));
        QCOMPARE(Window.Find<QComboBox>("CmbYTime")->currentText(), QStringLiteral("10"));
        auto* chart1 = Window.Find<QCustomPlot>("Chart1");
        QCOMPARE(chart1->yAxis->label(), QStringLiteral("가속도[m/s2]"));
        QCOMPARE(chart1->yAxis2->label(), QStringLiteral("힘[N]"));
        QCOMPARE(chart1->yAxis->range().upper, 20.0);
        for (Chart chart : {Chart::Acceleration, Chart::Velocity, Chart::Tilt})
            QCOMPARE(Form->ChartsView().BottomMax(chart), 10.0);
    }

    // The filter box shows "중간" before a level is chosen: it runs that level, and keeps it.
    void AFilterBoxWithoutALevelRunsTheLevelItShows() {
        for (const bool fileSaysNone : {false, true}) {
            if (fileSaysNone) {
                Form.reset();
                QFile file(QStringLiteral("default.ini"));
                QVERIFY(file.open(QIODevice::WriteOnly));
                file.write("Kvd_Log_DataBase_Ver=1.0\r\nCmbKalman=-1\r\n");
                file.close();
                Form = std::make_unique<TForm1>();
                Window.Form1 = Form.get();
            }
            QCOMPARE(Window.Find<QComboBox>("CmbKalman")->currentIndex(), 2);
            QCOMPARE(Form->Live().KalmanX.R, 12.0f);
            QCOMPARE(Form->Live().KalmanBias, 4.0);
        }
        Form->close();
        QFile file(QStringLiteral("default.ini"));
        QVERIFY(file.open(QIODevice::ReadOnly) && file.readAll().contains("CmbKalman=2\r\n"));
    }

    // A clean 45° swing of 1 m saved with the floppy button, all three axes, comes back on the
    // pendulum page measured on the axis the page observes, Y along the string.
    void ALoadedLogIsMeasuredOnTheObservedAxis() {
        auto recorded = std::make_unique<LiveState>();
        Motion swing({MotionKind::Pendulum, 1.0, 45.0});
        for (std::uint32_t i = 0; i < 500; ++i) {
            const AxisG g = swing.At(i * 0.02);
            recorded->Recorded.LogX[i] = g.X;
            recorded->Recorded.LogY[i] = g.Y - 1.0; // zeroed at Start, as the page does
            recorded->Recorded.LogZ[i] = g.Z;
        }
        const std::string path = Folder.filePath("swing.csv").toStdString();
        QVERIFY(SaveLogFile(path, recorded->Recorded, 500, true, 0, Form->MeasurementSide()));
        Window.ShowPage("TabPendulum");
        ModalAnswers answers;
        answers.Paths << QString::fromStdString(path);
        Window.Click("BBtnLoad");
        const double period = 2 * std::numbers::pi * std::sqrt(1.0 / 9.8) *
                              std::comp_ellint_1(std::sin(45.0 * std::numbers::pi / 360)) * 2 /
                              std::numbers::pi;
        QVERIFY2(std::abs(Window.Text("EdPendT").toDouble() / period - 1) < 0.01,
                 qPrintable(Window.Text("EdPendT")));
    }

    // Over the marked range of a loaded log the fit window fits a parabola to the chosen curve:
    // each parameter lies within its 95 % interval of the one the log was made from, in the
    // curve's unit per second to its power; the model is drawn over the range and the chart
    // keeps a one-line label; the text can be selected, copied and read out by name. A range
    // of two samples gives the reason and no numbers.
    void FitWindowFitsAParabolaOverTheMarkedRange() {
        auto recorded = std::make_unique<LiveState>();
        auto truth = [](double t) { return 0.2 - 0.05 * t + 0.004 * t * t; }; // g
        std::mt19937 random(5);
        std::normal_distribution<double> noise(0.0, 0.01);
        for (std::uint32_t i = 0; i < 500; ++i)
            recorded->Recorded.LogX[i] = truth(i * 0.02) + noise(random);
        const std::string path = Folder.filePath("parabola.csv").toStdString();
        QVERIFY(SaveLogFile(path, recorded->Recorded, 500, true, 0, Form->MeasurementSide()));
        ModalAnswers answers;
        answers.Paths << QString::fromStdString(path);
        Window.Click("BBtnLoad"); // the acceleration page, in m/s²
        ChartTools& tools = Form->AnalysisTools();
        tools.MarkTimeRange(2.0, 8.0);
        tools.Action(ChartTools::Tool::ModelFit)->trigger();
        QVERIFY(tools.Fits()->isVisible());
        QTest::keyClick(tools.Fits()->findChild<QComboBox*>("CmbFitModel"), Qt::Key_Down);
        const QString text = tools.FitText();
        QCOMPARE(text.section('\n', 0, 0), QStringLiteral("포물선 맞춤: y = a + b·t + c·t²"));
        const double factor = UnitFactor(1);
        const struct {
            const char* Name;
            double Truth;
            const char* Unit;
        } parameters[] = {{"a", 0.2 * factor, "m/s²"},
                          {"b", -0.05 * factor, "m/s³"},
                          {"c", 0.004 * factor, "m/s⁴"}};
        QStringList shownCoefficients;
        for (const auto& p : parameters) {
            const QStringList line = text.section(QStringLiteral("\n%1 = ").arg(p.Name), 1)
                                         .section('\n', 0, 0)
                                         .split(' ');
            QVERIFY2(line.size() == 4 && line[1] == "±" && line[3] == p.Unit, qPrintable(text));
            QVERIFY2(std::abs(line[0].toDouble() - p.Truth) <= line[2].toDouble(),
                     qPrintable(text));
            shownCoefficients << line[0];
        }
        // The chart's label carries the same coefficients as the window.
        QCOMPARE(tools.FitLabelText().remove(' ').replace("−", "-"),
                 QString("포물선맞춤:y=%1+%2·t+%3·t²")
                     .arg(shownCoefficients[0], shownCoefficients[1], shownCoefficients[2])
                     .replace("+-", "-"));
        QVERIFY(text.contains("점 301개"));
        auto* chart = Window.Find<QCustomPlot>("Chart1");
        const QCPGraph* model = chart->graph(chart->graphCount() - 1);
        QVERIFY(model->data()->at(0)->key >= 2.0 &&
                model->data()->at(model->dataCount() - 1)->key <= 8.0);
        QVERIFY(std::abs(model->data()->findBegin(5.0, false)->value - truth(5.0) * factor) < 0.01);

        auto* result = tools.Fits()->findChild<QTextBrowser*>("TxtFitResult");
        QVERIFY(!result->accessibleName().isEmpty() &&
                (result->textInteractionFlags() & Qt::TextSelectableByMouse));
        tools.Fits()->findChild<QAbstractButton*>("BtnFitCopy")->click();
        QVERIFY(QApplication::clipboard()->text().endsWith(text));

        const int graphs = chart->graphCount();
        tools.MarkTimeRange(3.001, 3.03);
        QTRY_VERIFY_WITH_TIMEOUT(tools.FitText() == "맞춤 불가: 점이 너무 적습니다", 10000);
        QCOMPARE(tools.FitLabelText(), tools.FitText());
        QCOMPARE(chart->graphCount(), graphs - 1);
    }

    // A log that lacks the observed axis gives no period and no fit from another axis.
    void ALogWithoutTheObservedAxisIsSaidToLackIt() {
        const QString path = Folder.filePath("x.csv");
        QFile log(path);
        QVERIFY(log.open(QIODevice::WriteOnly));
        for (int i = 0; i < 500; ++i)
            log.write(QByteArray::number(i) + "," +
                      QByteArray::number(0.05 * std::sin(i * 0.0882), 'f', 3) + "\r\n");
        log.close();
        Form->show();
        Window.ShowPage("TabPendulum"); // observing Y, the form's choice
        ModalAnswers answers;
        answers.Paths << path;
        Window.Click("BBtnLoad");
        const QString missing = "이 기록에는 Y축 값이 없어 주기와 맞춤을 구할 수 없습니다.";
        QCOMPARE(Window.Text("EdPendT"), QStringLiteral("---"));
        QCOMPARE(Window.Memo().count(missing), 1);
        Form->AnalysisTools().FitSineInView();
        QVERIFY(Form->AnalysisTools().FitText().startsWith(missing));
        Window.Find<QAbstractButton>("RbPendX")->setChecked(true); // the axis it holds
        Form->AnalysisTools().FitSineInView();
        QVERIFY2(Form->AnalysisTools().FitText().contains("주기 T = 2.849"), // gravity: twice
                 qPrintable(Form->AnalysisTools().FitText()));
    }

    // The spreadsheet export goes into a folder of its own, made where it is missing. Opened
    // with the load button, from there or from the log folder where it used to go, it is said
    // to be an export instead of failing on its first row, and the name box keeps the log the
    // next save replaces.
    void ExportsHaveTheirOwnFolderAndDoNotLoadAsLogs() {
        auto recorded = std::make_unique<LiveState>();
        for (std::uint32_t i = 0; i < 100; ++i)
            recorded->Recorded.LogX[i] = 0.01 * i;
        const QString log = Folder.filePath("LogData/run.csv");
        QVERIFY(SaveLogFile(log.toStdString(), recorded->Recorded, 100, true, 0,
                            Form->MeasurementSide()));
        ModalAnswers answers;
        answers.Paths << log;
        Window.Click("BBtnLoad");
        QCOMPARE(Window.Text("EdLogFile"), QStringLiteral("run"));

        const QString exports = Folder.filePath("LogData/Export");
        QVERIFY(QDir(exports).removeRecursively());
        QString proposed;
        AnswerNextModal([&proposed](QWidget* modal) { // the dialog's proposal, taken as it is
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            proposed = dialog->directory().absolutePath();
            QTest::keyClick(dialog->findChild<QLineEdit*>("fileNameEdit"), Qt::Key_Return);
        });
        Form->AnalysisTools().Action(ChartTools::Tool::Csv)->trigger();
        QCOMPARE(proposed, exports);
        const QString table = exports + "/run_table.csv";
        QVERIFY(QFile::exists(table));

        const QString older = Folder.filePath("LogData/run_table.csv");
        QVERIFY(QFile::copy(table, older));
        for (const QString& path : {table, older}) {
            AnswerNextModal([path](QWidget* modal) {
                // The dialog selects the proposed file, the name box's log, once its list is in;
                // a name typed before then would be taken together with it.
                auto* list = modal->findChild<QAbstractItemView*>(QStringLiteral("treeView"));
                if (!QTest::qWaitFor([list] { return list->selectionModel()->hasSelection(); },
                                     Deadline))
                    return;
                list->clearSelection();
                auto* name = modal->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
                name->setText(path);
                QTest::keyClick(name, Qt::Key_Return);
            });
            Window.Click("BBtnLoad");
            const Message said(MessageId::SpreadsheetNotALog, {path.toStdString()});
            QVERIFY2(Window.Memo().contains(QString::fromStdString(KoreanText(said))),
                     qPrintable(Window.Memo()));
            QCOMPARE(answers.Boxes, QStringList{}); // no number to complain of
            QCOMPARE(Window.Text("EdLogFile"), QStringLiteral("run"));
            QCOMPARE(Window.Live().Recorded.LogCount, 100u);
        }
    }

    // An SVG of a chart names for its texts, the Korean title among them, the fonts they were
    // drawn in: first the face the chart's font was matched to, all installed, one with Hangul.
    void SvgPictureNamesTheFontsItsTextsWereDrawnIn() {
        const QString path = Folder.filePath("chart.svg");
        QVERIFY(Form->AnalysisTools().SavePicture(Chart::Acceleration, path));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString svg = QString::fromUtf8(file.readAll());
        QVERIFY(svg.contains(QStringLiteral("가속도")));
        const QString matched = QFontInfo(Window.Find<QCustomPlot>("Chart1")->font()).family();
        const QStringList installed = QFontDatabase::families();
        static const QRegularExpression attribute(QStringLiteral("font-family=\"([^\"]*)\""));
        int texts = 0;
        for (const QRegularExpressionMatch& match : attribute.globalMatch(svg)) {
            ++texts;
            QStringList families = match.captured(1).split(QStringLiteral(", "));
            QCOMPARE(families.takeLast(), QStringLiteral("sans-serif"));
            QCOMPARE(families.value(0), "'" + matched + "'");
            bool hangul = false;
            for (const QString& quoted : families) {
                const QString family = quoted.mid(1, quoted.size() - 2);
                QVERIFY2(installed.contains(family), qPrintable(family));
                hangul |= QFontDatabase::writingSystems(family).contains(QFontDatabase::Korean);
            }
            QVERIFY2(hangul, qPrintable(match.captured(1)));
        }
        QVERIFY(texts > 0);
    }

    void RejectedMassPutsTheUnitBoxBack() {
        auto* unit = Window.Find<QComboBox>("CmbUnit");
        auto* chart1 = Window.Find<QCustomPlot>("Chart1");
        Window.Type("EdMass", "0,2");
        ModalAnswers answers;
        Window.Choose("CmbUnit", 0);
        QCOMPARE(answers.Boxes, QStringList{"질량을 변환할 수 없습니다. 다시 입력하세요"});
        QCOMPARE(unit->currentIndex(), 1);
        QCOMPARE(chart1->yAxis->label(), QStringLiteral("가속도[m/s2]"));

        Window.Type("EdMass", "0.2");
        Window.Choose("CmbUnit", 0);
        QCOMPARE(unit->currentIndex(), 0);
        QCOMPARE(chart1->yAxis->label(), QStringLiteral("가속도[g]"));
    }

    void OpensCentredWithATiltScaleOnFirstShow() {
        auto* tilt = Window.Find<QCustomPlot>("Chart3");
        QSignalSpy drawn(tilt, &QCustomPlot::afterReplot);
        Form->show();
        QVERIFY(QTest::qWaitForWindowExposed(Form.get()));
        const QRect screen = Form->screen()->availableGeometry();
        QVERIFY(screen.width() > Form->frameGeometry().width()); // the test's screen is 1280 x 800
        QVERIFY((Form->frameGeometry().center() - screen.center()).manhattanLength() <= 16);

        // The tilt chart, drawn once while hidden, is laid out anew when its page is first
        // shown: -60..60 degrees in steps of 10.
        QTRY_VERIFY_WITH_TIMEOUT(drawn.count() > 0, Deadline);
        Window.ShowPage("TabAngle");
        QList<double> degrees;
        for (int angle = -60; angle <= 60; angle += 10)
            degrees << angle;
        QTRY_COMPARE_WITH_TIMEOUT(tilt->yAxis->tickVector(), degrees, Deadline);
        QVERIFY(tilt->xAxis->tickVector().size() >= 6); // 0..10 s
    }

    // A first start on Linux proposes the USB serial adapter found, else nothing, with the form
    // of a port path greyed in the box; never the form's Windows name.
    void FirstStartProposesAPortOfThisSystem() {
#ifndef _WIN32
        auto* box = Window.Find<QComboBox>("CmbComPort");
        QCOMPARE(box->currentText(), QString::fromStdString(ProposedPortPath().value()));
        QCOMPARE(box->lineEdit()->placeholderText(), QStringLiteral("/dev/ttyUSB0"));
        QCOMPARE(box->findText(QStringLiteral("Com1")), -1);
#endif
    }

    void PortBoxShowsWholeDeviceNames() {
        const QString name = "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0";
        auto* box = Window.Find<QComboBox>("CmbComPort");
        Form->LinkSide().AddPortToList(name.toStdString());
        Form->LinkSide().SetPortBoxText(name.toStdString());
        QCOMPARE(box->toolTip(), name);
        box->showPopup();
        QTRY_VERIFY_WITH_TIMEOUT(box->view()->isVisible(), Deadline);
        QVERIFY(box->view()->viewport()->width() >=
                box->view()->fontMetrics().horizontalAdvance(name));
        box->hidePopup();
    }

    // Temporaries of saves that never ended go at the next start, also those of the autosave;
    // a younger one may be another copy's save in progress and stays.
    void StartClearsStaleTemporariesAndCloseShowsASaveFailure() {
        QDir().mkpath(QStringLiteral("LogData/Autosave"));
        const std::pair<QString, int> temporaries[] = {
            {"LogData/.run.csv.123.tarvik-partial", 3600},
            {"LogData/Autosave/.0123456789abcdef.tarvik-partial", 3600},
            {".fedcba9876543210.tarvik-partial", 3600},
            {"LogData/Autosave/.fedcba9876543210.tarvik-partial", 10}};
        for (const auto& [name, age] : temporaries) {
            QFile file(Folder.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.setFileTime(QDateTime::currentDateTime().addSecs(-age),
                             QFileDevice::FileModificationTime);
        }
        Form = std::make_unique<TForm1>(); // the next start
        for (const auto& [name, age] : temporaries)
            QCOMPARE(QFile::exists(Folder.filePath(name)), age < 60);

        QDir().mkdir(QStringLiteral("default.ini")); // a folder: the settings cannot replace it
        ModalAnswers answers;
        Form->close();
        QVERIFY(answers.Boxes.value(0).startsWith("Initial File Save Err! : default.ini ("));
        QDir().rmdir(QStringLiteral("default.ini"));
    }

#ifndef _WIN32
    // FIFOs named like the settings file and the note, which once kept the window from ever
    // appearing, are reported as files that cannot be read.
    void FifosForSettingsAndNoteAreReportedAndTheWindowAppears() {
        QTemporaryDir folder;
        for (const char* name : {"default.ini", "AccNote.rtf"})
            QCOMPARE(mkfifo(QFile::encodeName(QDir(folder.path()).filePath(name)), 0600), 0);
        Program lab(std::nullopt, {}, folder.path());
        QVERIFY(lab.Window->isVisible());
        QVERIFY(lab.Memo().contains("Initial File Read Err! : default.ini"));
        QCOMPARE(lab.Note->LoadError(),
                 "알림 파일 \"AccNote.rtf\"을(를) 읽을 수 없어 기본 안내문을 보여 줍니다.");
    }
#endif

    // A whole recording goes onto the acceleration chart at once, every row at its time.
    void FullLogLoadsOntoTheChart() {
        auto recorded = std::make_unique<LiveState>();
        for (std::uint32_t i = 0; i < LogCapacity; ++i) {
            recorded->Recorded.LogX[i] = (i % 100) * 0.01;
            recorded->Recorded.LogY[i] = -0.5;
            recorded->Recorded.LogZ[i] = i * 0.0001;
        }
        const std::string path = Folder.filePath("full.csv").toStdString();
        QVERIFY(
            SaveLogFile(path, recorded->Recorded, LogCapacity, true, 0, Form->MeasurementSide()));
        Form->MeasurementSide().AppendPoint(Chart::Acceleration, SeriesForce, 0,
                                            1); // a force curve from before: the load clears it

        QVERIFY(!LoadLogFile(path, recorded->Recorded, 1, Form->MeasurementSide()).NumberError);
        const ChartSet& charts = Form->ChartsView();
        for (int series = 0; series < 3; ++series)
            QCOMPARE(charts.PointCount(Chart::Acceleration, series), static_cast<int>(LogCapacity));
        QCOMPARE(charts.PointCount(Chart::Acceleration, SeriesForce), 0);
        QCOMPARE(charts.YAt(Chart::Acceleration, SeriesX, 199), 0.99 * 9.8);
        QCOMPARE(charts.YAt(Chart::Acceleration, SeriesY, LogCapacity - 1), -0.5 * 9.8);
        QVERIFY(std::abs(charts.LargestX(Chart::Acceleration, SeriesZ) - (LogCapacity - 1) * 0.02) <
                1e-6);
    }

private:
    QTemporaryDir Folder;
    std::unique_ptr<TForm1> Form;
    Controls Window;
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
