#include "tests/engine/EngineHarness.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

// The speed page with the integration on and a sensor at rest; the X offset makes the
// corrected X acceleration the given m/s².
struct SpeedRun : EngineHarness {
    explicit SpeedRun(double accelerationMs2, double startVelocity = 0.0) {
        Controls.ActivePage = Page::TabSpeed;
        State.Logging = true;
        State.VelocityRun = true;
        State.VelocityPrev = startVelocity;
        State.OffsetX = -accelerationMs2 / 9.8;
    }
    void Run(int samples) { Sample(0, 0, 0, samples); }
};

} // namespace

TEST(Velocity, StopCorrectionAndIntegration) {
    const struct {
        const char* name;
        double acceleration, start;
        int samples;
        double velocity;
    } cases[] = {
        {"a small acceleration never builds up", 0.05, 0.0, 100, 0.0},
        {"0.041 x 0.98 lies inside the dead band", 0.05, 0.04, 1, 0.0},
        {"1 m/s² for 49 samples", 1.0, 0.0, 49, 0.98},
        {"-1 m/s² for 49 samples", -1.0, 0.0, 49, -0.98},
        {"outside the band even a slow velocity stays", 0.11, 0.0, 10, 0.022},
        {"a residual velocity decays 2 % a sample", 0.0, 0.3, 88, 0.3 * std::pow(0.98, 88)},
        {"and snaps to 0 below 0.05", 0.0, 0.3, 89, 0.0},
    };
    for (const auto& c : cases) {
        SpeedRun run(c.acceleration, c.start);
        run.Run(c.samples);
        EXPECT_NEAR(run.State.Velocity, c.velocity, 1e-9) << c.name;
        EXPECT_EQ(run.State.VelocityPrev, run.State.Velocity) << c.name;
        EXPECT_EQ(run.View.PointCount(Chart2, 0), c.samples) << c.name;
    }
}

TEST(Velocity, DistanceIsTheTrapezoidOfSuccessiveVelocities) {
    SpeedRun run(1.0);
    run.Run(49);
    // Velocity grows linearly, so the trapezoid is exact: a t² / 2 at t = 0.98 s.
    EXPECT_NEAR(run.State.Distance, 0.5 * 0.98 * 0.98, 1e-9);
    EXPECT_EQ(run.View.Boxes.at(Box::EdDist), "0.48");
    EXPECT_EQ(run.View.BoxWrites[Box::EdDist], 49);
    // The speed box follows the value boxes: samples 1, 6, ..., 46.
    EXPECT_EQ(run.View.BoxWrites[Box::EdSpd], 10);
    EXPECT_EQ(run.View.Boxes.at(Box::EdSpd), "0.9");
}
