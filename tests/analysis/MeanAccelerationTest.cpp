#include "analysis/MeanAcceleration.h"

#include "tests/engine/SimulatedRun.h"

#include <algorithm>
#include <gtest/gtest.h>

// Seeded pushes of the simulator (0.3 g for half a second), started at rest as on the velocity
// page: over the steady part of the push the stated 95 % interval holds the true mean in at
// least nine trials in ten, with and without the filter, and is not wider than it needs be.
TEST(MeanAcceleration, IntervalHoldsTheTrueMeanOfSeededPushes) {
    constexpr double Truth = 0.3 * 9.8;
    for (const double noise : {0.002, 0.01}) {
        for (const int filter : {0, 2}) {
            constexpr int Trials = 200;
            int held = 0;
            std::vector<double> intervals;
            for (int trial = 0; trial < Trials; ++trial) {
                SimulatorOptions options;
                options.Motion.Kind = MotionKind::Push;
                options.Noise = noise;
                options.Seed = static_cast<std::uint32_t>(1000 * filter + trial + 1);
                SimulatedRun run(options, filter, Page::TabSpeed);
                run.Stream(30); // at rest; the push comes 1 s after switching on
                run.Start();
                run.Stream(70);
                const MeanAcceleration mean = EstimateMeanAcceleration(
                    run.State.Recorded, run.State.Recorded.LogCount, 0.45, 0.85);
                ASSERT_TRUE(mean.Valid);
                held += std::abs(mean.Mean - Truth) <= mean.Interval;
                intervals.push_back(mean.Interval);
            }
            std::nth_element(intervals.begin(), intervals.begin() + Trials / 2, intervals.end());
            EXPECT_GE(held, Trials * 9 / 10) << noise << " g, filter " << filter;
            // The offset taken from one sample dominates: two of its σ, and little more.
            EXPECT_LT(intervals[Trials / 2], 2.6 * noise * 9.8) << noise << " g, filter " << filter;
        }
    }
}
