#pragma once

#include "app/LabReportMaker.h"
#include "app/ProgramFont.h"
#include "app/Tarvikmain.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <cstdio>
#include <functional>
#include <numbers>

// What the window benchmarks share: a full recording to measure with, and the real window
// shown at its real size in a scratch folder of its own.

// A swinging sensor, different on each axis, in g.
inline void FillRecording(LiveState& state) {
    for (std::uint32_t i = 0; i < LogCapacity; ++i) {
        const double phase = 2 * std::numbers::pi * 0.6 * i * SamplePeriod;
        state.Recorded.LogX[i] = 0.9 * std::sin(phase);
        state.Recorded.LogY[i] = 1.0 - 0.2 * std::cos(2 * phase);
        state.Recorded.LogZ[i] = 0.3 * std::sin(3 * phase + 1);
    }
    state.Recorded.LogCount = LogCapacity;
}

inline double Milliseconds(const QElapsedTimer& clock) {
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

// Runs `measure` on the shown window; its result is the program's exit code.
inline int InShownWindow(int argc, char* argv[], const std::function<int(TForm1&)>& measure) {
    Q_INIT_RESOURCE(Tarvikmain);
    QApplication application(argc, argv);
    ApplyProgramFont(application);
    QTemporaryDir folder;
    QDir::setCurrent(folder.path());
    TForm1 window;
    window.ReportSide().SetOpener([](const QString&) {}); // the reports go to no viewer
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) return 1;
    const int result = measure(window);
    std::fflush(stdout);
    return result;
}
