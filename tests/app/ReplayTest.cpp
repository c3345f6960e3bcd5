#include "SimulatorProcess.h"
#include "engine/NumberText.h"
#include "tests/app/Program.h"

#include <QAction>
#include <QComboBox>
#include <QElapsedTimer>
#include <qcustomplot.h>

namespace {

int AutosaveCount() {
    return QDir(QDir::current().filePath("LogData/Autosave")).entryList(QDir::Files).size();
}

// What a teacher takes from the pendulum page after a run, each as the window shows it: the sine
// fit over the view; over a range marked with Shift and a drag, the sine fit and a line and a
// parabola through each curve, the range's statistics; g and the period from the length, with
// the note on a large swing. The range is taken away again.
QStringList TeachersResults(const Program& lab) {
    ChartTools& tools = lab.Form1->AnalysisTools();
    auto* chart = lab.Find<QCustomPlot>("Chart1");
    QStringList results;
    tools.ClearTimeRange();
    tools.Action(ChartTools::Tool::SineFit)->trigger();
    results << tools.FitText() << tools.FitLabelText();
    QTest::mousePress(chart, Qt::LeftButton, Qt::ShiftModifier, At(chart, 2.0));
    QTest::mouseMove(chart, At(chart, 6.5));
    QTest::mouseRelease(chart, Qt::LeftButton, Qt::ShiftModifier, At(chart, 6.5));
    tools.Action(ChartTools::Tool::SineFit)->trigger();
    results << tools.FitText() << tools.Statistics()->TableText();
    auto* curves = tools.Fits()->findChild<QComboBox*>("CmbFitCurve");
    for (const auto model : {FitWindow::Model::Line, FitWindow::Model::Parabola}) {
        tools.Fits()->ChooseModel(model);
        tools.Action(ChartTools::Tool::ModelFit)->trigger();
        for (int curve = 0; curve < curves->count(); ++curve) {
            curves->setCurrentIndex(curve);
            emit curves->activated(curve);
            results << tools.FitText();
        }
    }
    const QString before = lab.Memo();
    lab.Click("Button1");
    lab.Click("Button2");
    results << lab.Text("EdPendCalG") << lab.Text("EdPendCalT") << lab.Memo().mid(before.size());
    tools.ClearTimeRange();
    tools.Statistics()->close();
    tools.Fits()->close();
    return results;
}

} // namespace

// A replay against a run the real window measured from accsim's pendulum.
class ReplayTest : public QObject {
    Q_OBJECT
private slots:
    // Recorded live on the pendulum page, then played from its autosave at twice the rate after
    // the device was disconnected and the page, length, filter level, unit and a time window
    // shorter than the run were changed: the replay brings them back and gives the live run's
    // recording, period and boxes, and every fit, statistic and g of it as the live run gave
    // them. Paused, a step hands on one sample. A replay is refused during a run and while the
    // device is connected, and it is not kept as a new run.
    void AReplayedRunGivesTheLiveRunsRecordingPeriodAndBoxes() {
        SimulatorProcess simulator(
            {"--motion", "pendulum", "--length", "0.5", "--amplitude", "15", "--noise", "0.002"});
        Program lab(simulator.PortLine() +
                    "CmbUnit=1\r\nCmbYTime=10\r\nEdPendL=0.500\r\nRbPendY=true\r\n"
                    "RbPendByG=true\r\nCmbKalman=2\r\nEdMass=0.3\r\n");
        QVERIFY(lab.Connected());
        lab.ShowPage("TabPendulum");
        auto* replay = lab.Form1->findChild<QAction*>("ActReplay");
        const int ends = lab.Memo().count("[Stop Data Log");
        lab.Click("BBtnStart");
        replay->trigger();
        QVERIFY(lab.Memo().contains("측정 중에는 재생할 수 없습니다"));
        QTRY_VERIFY_WITH_TIMEOUT(lab.Memo().count("[Stop Data Log") > ends, Deadline);
        const QString period = lab.Text("EdPendT");
        QVERIFY2(period.toDouble() > 1.3 && period.toDouble() < 1.5,
                 qPrintable(period + "\n" + lab.Memo()));
        const auto live = std::make_unique<Recording>(lab.Live().Recorded);
        const QStringList liveResults = TeachersResults(lab);
        const QString kept = lab.LastAutosave();
        replay->trigger();
        QVERIFY(lab.Memo().contains("연결을 끊은 뒤 다시 재생하세요"));

        lab.Click("SbCom");
        QTRY_VERIFY_WITH_TIMEOUT(!lab.Form1->Port().Comm->Enabled(), Deadline);
        lab.ShowPage("TabAccelo");
        lab.Type("EdPendL", "0.9");
        lab.Choose("CmbKalman", 0);
        auto* window = lab.Find<QComboBox>("CmbYTime");
        window->setEditText("5"); // shorter than the run
        emit window->lineEdit()->editingFinished();
        lab.Choose("CmbUnit", 0); // g
        const int autosaves = AutosaveCount();
        ModalAnswers answers;
        answers.Paths << kept;
        replay->trigger();
        auto* bar = lab.Form1->findChild<QWidget*>("ReplayBar");
        QTRY_VERIFY_WITH_TIMEOUT(bar->isVisible(), Deadline);
        QCOMPARE(lab.Find<QTabWidget>("PageControl1")->currentWidget()->objectName(),
                 QStringLiteral("TabPendulum"));
        QCOMPARE(lab.Text("EdPendL"), QStringLiteral("0.500"));
        QCOMPARE(lab.Find<QComboBox>("CmbKalman")->currentIndex(), 2);
        QCOMPARE(window->currentText(), QStringLiteral("10"));
        QCOMPARE(lab.Find<QComboBox>("CmbUnit")->currentIndex(), 1);
        QElapsedTimer clock;
        clock.start();
        lab.Find<QComboBox>("CmbReplaySpeed")->setCurrentIndex(2);

        QVERIFY(lab.WaitForSamples(40));
        lab.Click("BtnReplayPause");
        const std::uint32_t paused = lab.Live().Recorded.LogCount;
        const int points = lab.Charts().Plot(Chart::Acceleration)->graph(SeriesX)->dataCount();
        for (std::uint32_t step = 1; step <= 2; ++step) {
            lab.Click("BtnReplayStep");
            QCOMPARE(lab.Live().Recorded.LogCount, paused + step);
            QCOMPARE(lab.Charts().Plot(Chart::Acceleration)->graph(SeriesX)->dataCount(),
                     points + int(step));
        }
        QCoreApplication::processEvents();
        QCOMPARE(lab.Live().Recorded.LogCount, paused + 2);
        lab.Click("BtnReplayPause");
        QTRY_VERIFY_WITH_TIMEOUT(!bar->isVisible(), Deadline);
        qInfo("replay of %u samples (%.2f s of run) at 2x took %lld ms", live->LogCount,
              live->LogCount * SamplePeriod, static_cast<long long>(clock.elapsed()));

        const Recording& again = lab.Live().Recorded;
        QCOMPARE(again.LogCount, live->LogCount);
        for (int axis = 0; axis < 3; ++axis)
            for (std::uint32_t i = 0; i < again.LogCount; ++i) {
                QCOMPARE(RawCounts(again, axis)[i], RawCounts(*live, axis)[i]);
                QCOMPARE(FilteredCounts(again, axis)[i], FilteredCounts(*live, axis)[i]);
                QCOMPARE(CorrectedValues(again, axis)[i], CorrectedValues(*live, axis)[i]);
            }
        QCOMPARE(lab.Text("EdPendT"), period);
        // The boxes show one of the last five samples, as they do at the end of a live run,
        // once the repaint clock has shown what is waiting.
        QStringList lastShown;
        for (std::uint32_t i = live->LogCount - 5; i < live->LogCount; ++i)
            lastShown << QString::fromStdString(FormatFixed(live->LogX[i], 3));
        QTRY_VERIFY2_WITH_TIMEOUT(lastShown.contains(lab.Text("EdAcceloG")),
                                  qPrintable(lab.Text("EdAcceloG") + " / " + lastShown.join(' ')),
                                  Deadline);
        QVERIFY(lab.Text("EdLogFile").endsWith("_replay"));
        QCOMPARE(lab.Find<QComboBox>("CmbKalman")->currentIndex(), 0);
        QVERIFY(lab.Find<QComboBox>("CmbUnit")->isEnabled());
        QCOMPARE(AutosaveCount(), autosaves);

        const QStringList replayed = TeachersResults(lab);
        QCOMPARE(replayed.size(), liveResults.size());
        for (int i = 0; i < replayed.size(); ++i)
            QCOMPARE(replayed[i], liveResults[i]);
    }
};

QTEST_MAIN(ReplayTest)
#include "ReplayTest.moc"
