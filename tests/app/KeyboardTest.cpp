#include "SimulatorProcess.h"
#include "app/LabReportMaker.h"
#include "app/Language.h"
#include "display/RunTableModel.h"
#include "display/RunTableWindow.h"
#include "tests/app/Program.h"

#include <QClipboard>
#include <QHeaderView>
#include <QRegularExpression>
#include <QTableView>

namespace {

// A key as the user presses it: to the widget that has the keyboard, which there must be.
[[nodiscard]] bool Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* focus = QApplication::focusWidget();
    if (focus == nullptr) return false;
    QTest::keyClick(focus, key, modifiers);
    return true;
}

bool HasKorean(const QString& text) {
    static const QRegularExpression hangul(QStringLiteral("[\\x{AC00}-\\x{D7A3}]"));
    return text.contains(hangul);
}

bool KeysIn(const QWidget* window) {
    return QApplication::activeWindow() == window && QApplication::focusWidget() != nullptr &&
           QApplication::focusWidget()->window() == window;
}

} // namespace

// The lab notebook's tools in English, reached and used with keys alone after a run from accsim's
// pendulum.
class KeyboardTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InstallTranslations(*qApp, UiLanguage::English); }

    // The note closes with Esc. Ctrl+T opens the table with the keys in it; the arrows and
    // Shift+Down select rows and mark their time range, Ctrl+C copies them with the English
    // titles, Esc closes it. Ctrl+Shift+M opens the fit window at its model, the arrows choose
    // one, Tab reaches "Copy" and Space copies the fit. Ctrl+Shift+P asks for the run to replay;
    // Alt+P pauses, Alt+S steps one sample, Alt+V reaches the speed, Esc ends the replay.
    // Ctrl+P and Enter write the report. Each window that closes gives the keys back to the main
    // window.
    void TheNotebookAnswersTheKeyboardAlone() {
        SimulatorProcess simulator({"--rate", "250", "--motion", "pendulum", "--length", "0.5"});
        Program lab(simulator.PortLine() + "CmbUnit=1\r\nCmbYTime=10\r\nEdPendL=0.500\r\n");
        QWidget* window = lab.Window.get();
        QVERIFY(lab.Connected());
        lab.ShowPage("TabPendulum");
        QVERIFY(lab.FullRun());
        lab.Click("SbCom"); // a replay wants the device disconnected
        QTRY_VERIFY_WITH_TIMEOUT(!lab.Form1->Port().Comm->Enabled(), Deadline);
        QTRY_VERIFY_WITH_TIMEOUT(KeysIn(lab.Note.get()), Deadline);
        QVERIFY(Press(Qt::Key_Escape));
        QTRY_VERIFY_WITH_TIMEOUT(KeysIn(window), Deadline);

        RunTableWindow& table = lab.Form1->DataTable();
        QVERIFY(Press(Qt::Key_T, Qt::ControlModifier));
        QTRY_VERIFY_WITH_TIMEOUT(KeysIn(&table), Deadline);
        QCOMPARE(QApplication::focusWidget(), table.View());
        for (int row = 0; row < 10; ++row)
            QVERIFY(Press(Qt::Key_Down));
        for (int row = 0; row < 20; ++row)
            QVERIFY(Press(Qt::Key_Down, Qt::ShiftModifier));
        const QModelIndexList rows = table.View()->selectionModel()->selectedRows();
        QCOMPARE(rows.size(), 21);
        const RunTableModel& model = table.Model();
        ChartTools& tools = lab.Form1->AnalysisTools();
        QCOMPARE(tools.MarkedRange(), std::optional(std::pair{model.TimeOf(rows.first().row()),
                                                              model.TimeOf(rows.last().row())}));
        QApplication::clipboard()->clear();
        QVERIFY(Press(Qt::Key_C, Qt::ControlModifier));
        const QStringList copied =
            QApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);
        QCOMPARE(copied.size(), 1 + 21);
        QVERIFY2(copied[0].startsWith("Time [s]\t") && !HasKorean(copied[0]),
                 qPrintable(copied[0]));
        QVERIFY(Press(Qt::Key_Escape));
        QTRY_VERIFY_WITH_TIMEOUT(!table.isVisible() && KeysIn(window), Deadline);

        FitWindow* fits = tools.Fits();
        QVERIFY(Press(Qt::Key_M, Qt::ControlModifier | Qt::ShiftModifier));
        QTRY_VERIFY_WITH_TIMEOUT(KeysIn(fits), Deadline);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("CmbFitModel"));
        const FitWindow::Model before = fits->ChosenModel();
        QVERIFY(Press(before == FitWindow::Model::Line ? Qt::Key_Down : Qt::Key_Up));
        QVERIFY(fits->ChosenModel() != before);
        const QString fitText = tools.FitText();
        QVERIFY2(fitText.contains(" ± ") && !HasKorean(fitText), qPrintable(fitText));
        for (int tab = 0; tab < 5 && QApplication::focusWidget()->objectName() != "BtnFitCopy";
             ++tab)
            QVERIFY(Press(Qt::Key_Tab));
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("BtnFitCopy"));
        QVERIFY(Press(Qt::Key_Space));
        QVERIFY(QApplication::clipboard()->text().endsWith(fitText));
        QVERIFY(Press(Qt::Key_Escape));
        QTRY_VERIFY_WITH_TIMEOUT(!fits->isVisible() && KeysIn(window), Deadline);

        ModalAnswers answers; // types the path into the file dialog and presses Enter
        answers.Paths << lab.LastAutosave();
        QVERIFY(Press(Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier));
        auto* bar = lab.Form1->findChild<QDialog*>("ReplayBar");
        QTRY_VERIFY_WITH_TIMEOUT(KeysIn(bar), Deadline);
        auto* pause = bar->findChild<QAbstractButton*>("BtnReplayPause");
        QCOMPARE(QApplication::focusWidget(), pause);
        QVERIFY(Press(Qt::Key_P, Qt::AltModifier));
        QTRY_VERIFY_WITH_TIMEOUT(pause->isChecked(), Deadline);
        const std::uint32_t paused = lab.Live().Recorded.LogCount;
        QVERIFY(lab.Live().Logging && paused < 499);
        QVERIFY(Press(Qt::Key_S, Qt::AltModifier));
        QTRY_COMPARE_WITH_TIMEOUT(lab.Live().Recorded.LogCount, paused + 1, Deadline);
        QVERIFY(Press(Qt::Key_V, Qt::AltModifier));
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("CmbReplaySpeed"));
        QVERIFY(Press(Qt::Key_Escape));
        QTRY_VERIFY_WITH_TIMEOUT(!bar->isVisible() && KeysIn(window), Deadline);
        QVERIFY(!lab.Live().Logging);
        QCOMPARE(lab.Live().Recorded.LogCount, paused + 1);

        QStringList opened;
        lab.Form1->ReportSide().SetOpener([&opened](const QString& path) { opened << path; });
        // Enter takes the name proposed, once the dialog has the keys (a slow machine shows it
        // before it activates it).
        AnswerNextModal([](QWidget* dialog) {
            QTRY_VERIFY_WITH_TIMEOUT(KeysIn(dialog), Deadline);
            QVERIFY(Press(Qt::Key_Return));
        });
        QVERIFY(Press(Qt::Key_P, Qt::ControlModifier));
        QTRY_COMPARE_WITH_TIMEOUT(opened.size(), 1, 30000);
        QVERIFY2(opened[0].endsWith("_replay_report.pdf") && QFile::exists(opened[0]),
                 qPrintable(opened[0]));
        QVERIFY(lab.Memo().contains("Report saved : " + opened[0]));
        QTRY_VERIFY_WITH_TIMEOUT(KeysIn(window), Deadline);
    }
};

QTEST_MAIN(KeyboardTest)
#include "KeyboardTest.moc"
