#include "app/ReplayPlayer.h"

#include "app/ReplayBar.h"
#include "device/ReceiveQueue.h"
#include "engine/ProcessFrame.h"
#include "engine/ReplayFeed.h"

#include <QAction>
#include <QFileInfo>
#include <QWidget>

namespace {

// Twice the device's rate hands on a sample every 10 ms; a tick may hand on several.
constexpr int TickMs = 10;
constexpr double NanosecondsPerSecond = 1e9;

} // namespace

ReplayPlayer::ReplayPlayer(QWidget* window, LiveState& state, const ControlState& controls,
                           FrameConsumer& frames, MeasurementView& view, ReplaySteps steps)
    : State(state), Controls(controls), Frames(frames), View(view), Steps(std::move(steps)),
      ActReplay(new QAction(tr("기록 재생..."), window)), Bar(new ReplayBar(window)) {
    ActReplay->setObjectName(QStringLiteral("ActReplay"));
    ActReplay->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+P")));
    ActReplay->setShortcutContext(Qt::WindowShortcut);
    window->addAction(ActReplay);
    TmReplay.setObjectName(QStringLiteral("TmReplay"));
    TmReplay.setInterval(TickMs);
    TmReplay.setTimerType(Qt::PreciseTimer);
    connect(&TmReplay, &QTimer::timeout, this, &ReplayPlayer::Tick);
    // The time gone by so far counts as it was played: paused or not, at the speed it had.
    connect(Bar, &ReplayBar::PauseToggled, this, [this](bool paused) {
        Tick();
        Pacer.SetPaused(paused);
    });
    connect(Bar, &ReplayBar::StepRequested, this, [this] { HandOn(Pacer.Step()); });
    connect(Bar, &ReplayBar::SpeedChosen, this, [this](double factor) {
        Tick();
        Pacer.SetSpeed(factor);
    });
    connect(Bar, &ReplayBar::EndRequested, this, &ReplayPlayer::EndRun);
}

ReplayPlayer::~ReplayPlayer() = default;

void ReplayPlayer::Play(std::unique_ptr<Recording> source, const QString& path) {
    Source = std::move(source);
    Pacer = ReplayPacer(Source->LogCount);
    Steps.Begin(*Source, path);
    Clock.start();
    Bar->Begin(QFileInfo(path).fileName());
    ShowPosition();
    TmReplay.start();
    Tick();
}

void ReplayPlayer::Tick() {
    if (!Playing()) return;
    const double seconds = static_cast<double>(Clock.nsecsElapsed()) / NanosecondsPerSecond;
    Clock.restart();
    HandOn(Pacer.Advance(seconds));
}

// Each sample as the device's three frames; the run may end on any of them (a full window).
void ReplayPlayer::HandOn(std::uint32_t samples) {
    const std::uint32_t first = Pacer.Given() - samples;
    for (std::uint32_t i = first; i < first + samples && State.Logging; ++i)
        for (const Frame& frame : ReplayFrames(*Source, i, Controls))
            Frames.ProcessFrame(frame);
    if (!State.Logging) {
        RunEnded(); // ended silently (a page change, a connect): nothing else tells
        return;
    }
    ShowPosition();
    if (Pacer.Finished()) EndRun();
}

void ReplayPlayer::ShowPosition() {
    Bar->ShowPosition(Pacer.Given() * SamplePeriod, Pacer.Total() * SamplePeriod);
}

// As Stop ends a run: its last line, and the window's steps at the end of a run.
void ReplayPlayer::EndRun() {
    if (State.Logging) StopRun(State, View);
    RunEnded();
}

void ReplayPlayer::RunEnded() {
    if (!Playing()) return;
    TmReplay.stop();
    Bar->hide();
    Source.reset();
    Steps.Finish();
}
