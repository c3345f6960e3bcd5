// WindowBench: the main window's side of a full recording, in the real window at its real
// size: saving 9050 three-axis rows, loading them back onto the acceleration chart, and
// drawing that chart once, and writing the page's report with it. Prints one line per figure
// and repetition, "save_ms 3.21".
// With --layout [default|fullhd|projector] it prints instead where bench/run clicks:
// "BBtnStart 412 16", a point of each control that takes a click, in window coordinates, at the
// form's size, with the window filling the screen as bench/run resizes it (maximised), or in
// projector mode. Runs in a scratch folder of its own.

#include "bench/BenchWindow.h"
#include "files/LogFile.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <cstdio>
#include <memory>
#include <qcustomplot.h>

namespace {

constexpr int Repetitions = 5;

// The window as bench/run sizes the program's: false if it did not reach the screen's size.
// Without a window manager a full-screen window keeps its size, so bench/run gives it the
// screen's size as the manager would.
bool Resize(TForm1& window, QLatin1String size) {
    if (size == QLatin1String("projector"))
        window.findChild<QAction*>(QStringLiteral("ActProjector"))->trigger();
    else if (size != QLatin1String("fullhd"))
        return true;
    window.setGeometry(window.screen()->geometry());
    return QTest::qWaitFor([&] { return window.geometry() == window.screen()->geometry(); });
}

bool PrintLayout(TForm1& window, QLatin1String size) {
    // As once the device's first sample arrived: the layout then gives the box its place.
    window.MeasurementSide().ShowThreeAxisBox();
    QApplication::processEvents();
    if (!Resize(window, size)) return false;
    for (const char* name :
         {"BBtnStart", "BBtnStop", "BitBtn1", "BBtnLoad", "Cb3Axis", "SbComAuto"}) {
        const auto* control = window.findChild<QWidget*>(QLatin1String(name));
        QRect target = control->rect();
        // A check box takes clicks on its box and text only, not on the rest of its width.
        if (const auto* box = qobject_cast<const QCheckBox*>(control)) {
            QStyleOptionButton option;
            option.initFrom(box);
            target = box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box);
        }
        const QPoint centre = control->mapTo(&window, target.center());
        std::printf("%s %d %d\n", name, centre.x(), centre.y());
    }
    return true;
}

void MeasureLogs(TForm1& window) {
    auto* chart = window.findChild<QCustomPlot*>(QStringLiteral("Chart1"));
    const std::string path = QDir::current().filePath(QStringLiteral("bench.csv")).toStdString();
    const int unitIndex = 1; // the window's default unit, [m/s2]
    auto recorded = std::make_unique<LiveState>();
    FillRecording(*recorded);
    auto loaded = std::make_unique<LiveState>();
    for (int repetition = 0; repetition <= Repetitions; ++repetition) {
        QElapsedTimer clock;
        clock.start();
        SaveLogFile(path, recorded->Recorded, recorded->Recorded.LogCount, true, unitIndex,
                    window.MeasurementSide());
        const double save = Milliseconds(clock);
        clock.restart();
        LoadLogFile(path, loaded->Recorded, unitIndex, window.MeasurementSide());
        const double load = Milliseconds(clock);
        clock.restart();
        chart->replot(QCustomPlot::rpImmediateRefresh);
        const double draw = Milliseconds(clock);
        clock.restart();
        if (!window.ReportSide().Write(QDir::current().filePath(QStringLiteral("report.pdf")))) {
            std::fprintf(stderr, "WindowBench: no report written\n");
            std::exit(1);
        }
        const double report = Milliseconds(clock);
        if (loaded->Recorded.LogCount != LogCapacity) {
            std::fprintf(stderr, "WindowBench: loaded %u rows\n", loaded->Recorded.LogCount);
            std::exit(1);
        }
        if (repetition == 0) continue; // the first round warms the caches
        std::printf("save_ms %.3f\nload_ms %.3f\ndraw_ms %.3f\nreport_ms %.3f\n", save, load, draw,
                    report);
    }
}

} // namespace

int main(int argc, char* argv[]) {
    return InShownWindow(argc, argv, [&](TForm1& window) {
        if (argc > 1 && QLatin1String(argv[1]) == QLatin1String("--layout"))
            return PrintLayout(window, QLatin1String(argc > 2 ? argv[2] : "default")) ? 0 : 1;
        MeasureLogs(window);
        return 0;
    });
}
