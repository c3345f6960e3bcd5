#pragma once

#include "engine/ReplayPacer.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>

class FrameConsumer;
class MeasurementView;
class QAction;
class QWidget;
class ReplayBar;
struct ControlState;
struct LiveState;
struct Recording;

// What the window does around a replay.
struct ReplaySteps {
    // Puts the run's page and conditions up and begins its run, as Start begins one.
    std::function<void(const Recording& source, const QString& path)> Begin;
    // The replay's run has ended, however it ended: the window's own settings come back.
    std::function<void()> Finish;
};

// Plays a kept run or a log into the frame processing, paced as the device sends its samples,
// so that the boxes, charts, tools and the recording take it as a live run. The replay bar
// pauses, steps, changes the speed and ends it. The replay ends with its run: at its last
// sample, by Stop, a full window, a page change, a load or a connect.
class ReplayPlayer : public QObject {
    Q_OBJECT
public:
    ReplayPlayer(QWidget* window, LiveState& state, const ControlState& controls,
                 FrameConsumer& frames, MeasurementView& view, ReplaySteps steps);
    ~ReplayPlayer() override;

    // The window's command that asks for the file to play.
    QAction* Command() const { return ActReplay; }
    void Play(std::unique_ptr<Recording> source, const QString& path);
    bool Playing() const { return Source != nullptr; }
    // The run ended: a replay going on ends with it.
    void RunEnded();

private:
    void Tick();
    void HandOn(std::uint32_t samples);
    void ShowPosition();
    void EndRun();

    LiveState& State;
    const ControlState& Controls;
    FrameConsumer& Frames;
    MeasurementView& View;
    ReplaySteps Steps;
    QAction* ActReplay;
    ReplayBar* Bar;
    std::unique_ptr<Recording> Source;
    ReplayPacer Pacer{0};
    QTimer TmReplay;
    QElapsedTimer Clock;
};
