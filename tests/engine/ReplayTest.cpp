#include "engine/ReplayFeed.h"
#include "engine/ReplayPacer.h"
#include "tests/engine/SimulatedRun.h"

#include <gtest/gtest.h>
#include <random>

namespace {

// What the window's timer does to the pacer, and how many samples each event hands on.
enum class Act { Advance, Step, Pause, Resume, Speed };
struct Event {
    Act What;
    double Value; // seconds to advance, or the speed factor
    std::uint32_t Due;
};

struct PacerCase {
    const char* Name;
    std::uint32_t Samples;
    std::vector<Event> Events;
};

std::uint32_t Apply(ReplayPacer& pacer, const Event& event) {
    switch (event.What) {
    case Act::Advance:
        return pacer.Advance(event.Value);
    case Act::Step:
        return pacer.Step();
    case Act::Pause:
        pacer.SetPaused(true);
        return 0;
    case Act::Resume:
        pacer.SetPaused(false);
        return 0;
    case Act::Speed:
        pacer.SetSpeed(event.Value);
        return 0;
    }
    return 0;
}

// The live state a replay finds: filters that went through other samples than the run's, a
// device of the other range, offsets and reversal of another lesson.
void OtherLesson(LiveState& state, ControlState& controls) {
    SimulatorOptions other;
    other.Motion = {MotionKind::Pendulum, 1.2, 35.0};
    other.Seed = 99;
    SimulatedRun elsewhere(other, controls.KalmanIndex, Page::TabAccelo);
    elsewhere.Stream(40);
    state.KalmanX = elsewhere.State.KalmanX;
    state.KalmanY = elsewhere.State.KalmanY;
    state.KalmanZ = elsewhere.State.KalmanZ;
    state.RangeCode = 0;
    state.OffsetX = 0.3;
    controls.DirRevX = true;
    controls.DirRevY = true;
}

// Plays the recording into a fresh core as the window does and returns that core.
// The value boxes are written every fifth sample: the replay is given the run's place in that
// count, as a stream's place in it is wherever the stream stood.
std::unique_ptr<SimulatedRun> Replayed(const Recording& source, const ControlState& live,
                                       std::uint8_t displayDivider = 0) {
    SimulatorOptions quiet;
    auto replay = std::make_unique<SimulatedRun>(quiet, live.KalmanIndex, live.ActivePage);
    replay->Controls = live;
    replay->Controls.KalmanIndex = ReplayKalmanIndex(source);
    OtherLesson(replay->State, replay->Controls);
    ApplyKalmanLevel(replay->State, replay->Controls.KalmanIndex);
    BeginRun(replay->State, replay->View);
    if (live.ActivePage == Page::TabSpeed) replay->State.VelocityRun = true;
    PrepareReplay(replay->State, source);
    replay->State.DisplayDivider = displayDivider;
    for (std::uint32_t i = 0; i < source.LogCount; ++i)
        for (const Frame& frame : ReplayFrames(source, i, replay->Controls))
            ProcessFrame(replay->State, replay->Controls, replay->View, frame);
    return replay;
}

} // namespace

TEST(Replay, PacesSamplesBySpeedPauseAndStep) {
    const PacerCase cases[] = {
        {"device rate",
         100,
         {{Act::Advance, 0.0, 1},
          {Act::Advance, 0.019, 0},
          {Act::Advance, 0.001, 1},
          {Act::Advance, 0.1, 5}}},
        {"twice as fast",
         100,
         {{Act::Speed, 2, 0}, {Act::Advance, 0.01, 2}, {Act::Advance, 0.05, 5}}},
        {"half the rate",
         100,
         {{Act::Speed, 0.5, 0},
          {Act::Advance, 0.0, 1},
          {Act::Advance, 0.02, 0},
          {Act::Advance, 0.02, 1},
          {Act::Advance, 0.2, 5}}},
        {"paused time stands still, a step hands on one sample",
         100,
         {{Act::Advance, 0.05, 3},
          {Act::Pause, 0, 0},
          {Act::Advance, 1.0, 0},
          {Act::Step, 0, 1},
          {Act::Step, 0, 1},
          {Act::Resume, 0, 0},
          {Act::Step, 0, 0},
          {Act::Advance, 0.019, 0},
          {Act::Advance, 0.001, 1}}},
        {"the speed changes from the present moment on",
         100,
         {{Act::Advance, 0.03, 2}, {Act::Speed, 2, 0}, {Act::Advance, 0.01, 1}}},
        {"the end: no sample beyond the last",
         3,
         {{Act::Advance, 1.0, 3}, {Act::Advance, 1.0, 0}, {Act::Pause, 0, 0}, {Act::Step, 0, 0}}},
    };
    for (const PacerCase& pacerCase : cases) {
        ReplayPacer pacer(pacerCase.Samples);
        std::uint32_t given = 0;
        for (std::size_t k = 0; k < pacerCase.Events.size(); ++k) {
            const std::uint32_t due = Apply(pacer, pacerCase.Events[k]);
            EXPECT_EQ(due, pacerCase.Events[k].Due) << pacerCase.Name << ", event " << k;
            given += due;
        }
        EXPECT_EQ(pacer.Given(), given) << pacerCase.Name;
        EXPECT_EQ(pacer.Finished(), given == pacerCase.Samples) << pacerCase.Name;
    }
}

TEST(Replay, TimerTicksThatAddUpToAPeriodHandOnItsSample) {
    // Ten-millisecond ticks at twice the rate: each is one period, as float sums fall short.
    for (const double speed : {0.5, 1.0, 2.0}) {
        ReplayPacer pacer(100000);
        pacer.SetSpeed(speed);
        std::uint32_t given = pacer.Advance(0.0);
        for (int tick = 0; tick < 3000; ++tick)
            given += pacer.Advance(0.01);
        EXPECT_EQ(given, static_cast<std::uint32_t>(1 + 30.0 * speed / SamplePeriod)) << speed;
    }
}

TEST(Replay, AKeptRunPlaysBackIntoTheSameRecordingChartsAndBoxes) {
    // Filter off, the box's levels and the slowest locked one; started long after the level was
    // chosen, and a few samples after it (the filter still settling).
    const struct {
        int Level;
        int SamplesBefore;
        Page RunPage;
    } cases[] = {{0, 100, Page::TabPendulum}, {2, 300, Page::TabPendulum},
                 {3, 4, Page::TabSpeed},      {2, 1, Page::TabAccelo},
                 {6, 2000, Page::TabAngle},   {1, 250, Page::TabAccelo}};
    for (const auto& [level, before, page] : cases)
        for (std::uint32_t seed = 1; seed <= 4; ++seed) {
            SimulatorOptions options;
            options.Motion = {MotionKind::Pendulum, 0.5, 20.0};
            options.Noise = 0.002;
            options.Seed = seed;
            SimulatedRun live(options, level, page);
            live.Stream(before);
            live.State.Mass = 0.25 * seed;
            live.Start();
            const std::uint8_t divider = live.State.DisplayDivider;
            live.Stream(400);
            const Recording& run = live.State.Recorded;
            ASSERT_EQ(run.LogCount, 400u);

            std::unique_ptr<Recording> kept = std::make_unique<Recording>(run);
            kept->Loaded = true;
            auto replay = Replayed(*kept, live.Controls, divider);
            const Recording& again = replay->State.Recorded;
            const auto context = testing::Message() << "level " << level << ", seed " << seed;
            ASSERT_EQ(again.LogCount, run.LogCount) << context;
            for (int axis = 0; axis < 3; ++axis)
                for (std::uint32_t i = 0; i < run.LogCount; ++i) {
                    ASSERT_EQ(RawCounts(again, axis)[i], RawCounts(run, axis)[i]) << context;
                    ASSERT_EQ(FilteredCounts(again, axis)[i], FilteredCounts(run, axis)[i])
                        << context << ", axis " << axis << ", sample " << i;
                    ASSERT_EQ(CorrectedValues(again, axis)[i], CorrectedValues(run, axis)[i])
                        << context;
                }
            EXPECT_EQ(replay->View.Points.size(), live.View.Points.size()) << context;
            for (const auto& [series, points] : live.View.Points) {
                const auto& replayed = replay->View.Points[series];
                ASSERT_EQ(replayed.size(), points.size()) << context;
                for (std::size_t k = 0; k < points.size(); ++k)
                    ASSERT_EQ(std::pair(replayed[k].X, replayed[k].Y),
                              std::pair(points[k].X, points[k].Y))
                        << context;
            }
            EXPECT_EQ(replay->View.Boxes, live.View.Boxes) << context;
        }
}

TEST(Replay, ALogOfValuesPlaysBackUnfilteredWithinHalfACount) {
    SimulatorOptions options;
    options.Motion = {MotionKind::Pendulum, 0.8, 30.0};
    options.Noise = 0.01;
    SimulatedRun live(options, 3, Page::TabAccelo);
    live.Stream(50);
    live.Start();
    live.Stream(300);
    // As a log saved by an earlier program reads: the values alone, offsets unknown.
    auto log = std::make_unique<Recording>(live.State.Recorded);
    log->HasCounts = false;
    log->Conditions = RunConditions{};
    EXPECT_EQ(ReplayKalmanIndex(*log), 0);
    const auto replay = Replayed(*log, live.Controls);
    const Recording& again = replay->State.Recorded;
    ASSERT_EQ(again.LogCount, log->LogCount);
    const double halfCount = CountToG(1, 0) / 2;
    for (int axis = 0; axis < 3; ++axis)
        for (std::uint32_t i = 0; i < again.LogCount; ++i)
            ASSERT_NEAR(CorrectedValues(again, axis)[i], CorrectedValues(*log, axis)[i], halfCount)
                << "axis " << axis << ", sample " << i;
}

// A replay runs in its run's window, which ends it where the full window ended the run, whatever
// window is shown; a log that does not name its window plays whole, in the window shown where
// that holds it.
TEST(Replay, RunsInAWindowThatHoldsTheWholeRun) {
    SimulatorOptions options;
    options.Motion = {MotionKind::Pendulum, 0.5, 20.0};
    SimulatedRun live(options, 2, Page::TabPendulum);
    live.Controls.TimeWindow = 6;
    live.Stream(50);
    live.Start();
    live.Stream(400);
    ASSERT_FALSE(live.State.Logging);
    const auto kept = std::make_unique<Recording>(live.State.Recorded);
    const auto log = std::make_unique<Recording>(*kept);
    log->Conditions = RunConditions{};
    for (const int shown : {5, 6, 30})
        for (const Recording* source : {kept.get(), log.get()}) {
            ControlState controls = live.Controls;
            controls.TimeWindow = ReplayTimeWindow(*source, shown);
            const auto context = testing::Message()
                                 << "shown " << shown << (source == log.get() ? ", log" : "");
            EXPECT_EQ(controls.TimeWindow, source == kept.get() ? 6 : std::max(shown, 6))
                << context;
            const auto replay = Replayed(*source, controls);
            EXPECT_EQ(replay->State.Recorded.LogCount, kept->LogCount) << context;
            EXPECT_EQ(replay->State.Logging, controls.TimeWindow > 6) << context;
        }
}
