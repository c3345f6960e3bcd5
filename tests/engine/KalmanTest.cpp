#include "engine/Kvdkalman.h"
#include "engine/NumberText.h"
#include "tests/engine/EngineHarness.h"

#include <gtest/gtest.h>

TEST(Kalman, EveryLevelBiasIsTheSteadyLeadOfItsFilter) {
    const struct {
        int index;
        float r;
    } levels[] = {{1, 6}, {2, 12}, {3, 20}, {4, 380}, {5, 600}, {6, 9900}};
    for (const auto& level : levels) {
        const KalmanLevel row = KalmanLevelFor(level.index);
        EXPECT_EQ(row.R, level.r);

        // The test bench: data 0 and Q 1 converge to the lead itself.
        KalmanFilter bench;
        KalmanInit(bench, row.R, 1.0f);
        float lead = 0;
        for (int i = 0; i < 5000; ++i)
            lead = KalmanStep(bench, 0.0f);
        EXPECT_NEAR(lead, row.Bias, 0.001) << level.index;
        if (level.index == 3) {
            EXPECT_EQ(FormatFixed(lead, 4), "5.0000");
        }

        // A live axis: the output less the bias settles at the constant input. In single
        // precision it may settle a hair below, which truncation turns into one count less.
        KalmanFilter live;
        KalmanInit(live, row.R, 1.0f);
        double output = 0;
        for (int i = 0; i < 5000; ++i)
            output = KalmanStep(live, 1000.0f) - row.Bias;
        EXPECT_NEAR(output, 1000.0, 0.01) << level.index;
    }
    for (int off : {0, -1, 7}) {
        EXPECT_EQ(KalmanLevelFor(off).R, 0.0f);
        EXPECT_EQ(KalmanLevelFor(off).Bias, 0.0);
    }
}

TEST(Kalman, LiveCountsPerLevel) {
    const struct {
        const char* name;
        int index;
        std::vector<int> inputs, counts;
    } cases[] = {
        {"off passes counts through", 0, {123, -5, 7}, {123, -5, 7}},
        {"no item selected leads by one", -1, {10, 20, 30}, {1, 11, 21}},
        {"middle level starts at the drift minus its bias", 2, {500}, {1 - 4}},
    };
    for (const auto& c : cases) {
        EngineHarness engine;
        engine.Controls.KalmanIndex = c.index;
        ApplyKalmanLevel(engine.State, c.index);
        std::vector<int> counts;
        for (int input : c.inputs) {
            engine.Send(FrmAxisX, input);
            counts.push_back(engine.State.CountX);
        }
        EXPECT_EQ(counts, c.counts) << c.name;
    }
}

TEST(Kalman, LevelChangeContinuesFromTheEstimate) {
    EngineHarness engine;
    engine.Controls.KalmanIndex = 2;
    ApplyKalmanLevel(engine.State, 2);
    for (int i = 0; i < 300; ++i)
        engine.Send(FrmAxisZ, 500);
    EXPECT_NEAR(engine.State.CountZ, 500, 1);

    const float estimate = engine.State.KalmanZ.X;
    engine.Controls.KalmanIndex = 3;
    ApplyKalmanLevel(engine.State, 3);
    EXPECT_EQ(engine.State.KalmanZ.X, estimate);
    EXPECT_EQ(engine.State.KalmanBias, 5.0);
    engine.Send(FrmAxisZ, 500);
    // A restarted filter would give 1 - 5; this one is a count below its settled value.
    EXPECT_NEAR(engine.State.CountZ, 499, 1);
    for (int i = 0; i < 300; ++i)
        engine.Send(FrmAxisZ, 500);
    EXPECT_NEAR(engine.State.CountZ, 500, 1);
}

TEST(Kalman, FilteredCountTruncatesTowardZeroAndSaturates) {
    // The first output of a fresh filter is 1; the bench may set any bias.
    const struct {
        double bias;
        std::int16_t count;
    } cases[] = {{3.5, -2}, {-0.5, 1}, {-40000, 32767}, {40000, -32768}};
    for (const auto& c : cases) {
        EngineHarness engine;
        engine.Controls.KalmanIndex = 1;
        ApplyKalmanLevel(engine.State, 1);
        engine.State.KalmanBias = c.bias;
        engine.Send(FrmAxisY, 0);
        EXPECT_EQ(engine.State.CountY, c.count) << c.bias;
    }
}
