// TableBench: the data table over a full recording of 9050 three-axis rows, loaded as a log
// into the real window: opening the table (filled and painted), filling it anew after a unit
// change, paging through it, jumping to its end, and copying every row. Prints one line per
// figure and repetition, "open_ms 12.3": opening is filling and showing (open_fill_ms) and the
// first paint, the window system's mapping of the window left out. Runs in a scratch folder of
// its own.

#include "bench/BenchWindow.h"
#include "display/RunTableModel.h"
#include "display/RunTableWindow.h"
#include "files/LogFile.h"
#include "tests/app/Dialogs.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QTableView>
#include <QTest>
#include <cstdio>
#include <memory>

namespace {

constexpr int Repetitions = 5;
constexpr int PageSteps = 20;

// The full recording as a log, in m/s² as the window's default unit.
bool WriteFullLog(const std::string& path, MeasurementView& view) {
    auto state = std::make_unique<LiveState>();
    FillRecording(*state);
    return SaveLogFile(path, state->Recorded, LogCapacity, true, 1, view);
}

// Paints the table now, as the next screen update would.
void Paint(RunTableWindow& table) {
    table.View()->viewport()->repaint();
}

void Measure(TForm1& window) {
    RunTableWindow& table = window.DataTable();
    QTableView* view = table.View();
    auto* unit = window.findChild<QComboBox*>(QStringLiteral("CmbUnit"));
    for (int repetition = 0; repetition <= Repetitions; ++repetition) {
        QElapsedTimer clock;
        clock.start();
        table.OpenAction()->trigger();
        const double fill = Milliseconds(clock);
        // The window system's mapping of the window is not the table's time.
        if (!QTest::qWaitForWindowExposed(&table)) std::exit(1);
        clock.restart();
        Paint(table);
        const double open = fill + Milliseconds(clock);
        if (table.Model().rowCount() != static_cast<int>(LogCapacity)) {
            std::fprintf(stderr, "TableBench: %d rows\n", table.Model().rowCount());
            std::exit(1);
        }
        unit->setCurrentIndex(1 - unit->currentIndex());
        clock.restart();
        emit unit->activated(unit->currentIndex());
        Paint(table);
        const double refill = Milliseconds(clock);
        clock.restart();
        for (int step = 0; step < PageSteps; ++step) {
            QTest::keyClick(view, Qt::Key_PageDown);
            Paint(table);
        }
        const double page = Milliseconds(clock) / PageSteps;
        clock.restart();
        QTest::keyClick(view, Qt::Key_End, Qt::ControlModifier);
        Paint(table);
        const double end = Milliseconds(clock);
        view->clearSelection();
        clock.restart();
        const qsizetype copied = table.SelectionText().size();
        const double copy = Milliseconds(clock);
        table.close();
        QApplication::processEvents();
        if (repetition == 0 || copied == 0) continue; // the first round warms the caches
        std::printf(
            "open_ms %.3f\nopen_fill_ms %.3f\nrefill_ms %.3f\npage_down_ms %.3f\nto_end_ms %.3f\n"
            "copy_all_ms %.3f\n",
            open, fill, refill, page, end, copy);
    }
}

} // namespace

int main(int argc, char* argv[]) {
    return InShownWindow(argc, argv, [](TForm1& window) {
        const QString log = QDir::current().filePath(QStringLiteral("full.csv"));
        if (!WriteFullLog(log.toStdString(), window.MeasurementSide())) return 1;
        {
            ModalAnswers answers;
            answers.Paths << log;
            window.findChild<QAbstractButton*>(QStringLiteral("BBtnLoad"))->click();
        }
        if (window.Live().Recorded.LogCount != LogCapacity) return 1;
        Measure(window);
        return 0;
    });
}
