#include "engine/Pendulum.h"

#include <cmath>
#include <gtest/gtest.h>
#include <vector>

// A plotted series repeating a cycle, sample i at x = i × 0.02 as a run plots it.
struct PlottedSeries final : SeriesReader {
    PlottedSeries(std::vector<double> cycle, int samples) : Cycle(cycle), Samples(samples) {}
    int Count() const override { return Samples; }
    double YAt(int index) const override { return Cycle.at(index % Cycle.size()); }
    double LargestX() const override { return (Samples - 1) * 0.02; }
    std::vector<double> Cycle;
    int Samples;
};

TEST(Pendulum, PeriodFromTheTurningPointsInView) {
    // A 0.16 s swing with 500 turning points, more than a small table holds; plateaus add none.
    const PlottedSeries swing({0, 1, 2, 1, 0, -1, -2, -1}, 2000), none({}, 0),
        plateaus({0, 1, 2, 3, 4, 5, 5, 4, 3, 3, 3, 2}, 500);
    const std::tuple<const PlottedSeries&, double, double, bool, double> cases[] = {
        {swing, 0, 100, false, 0.16},    {swing, 2.5, 5.5, true, 0.32},
        {swing, 0, 0.1, false, 0},       {swing, -1e300, 1e300, false, 0.16},
        {swing, 1e300, 2e300, false, 0}, {swing, NAN, NAN, false, 0},
        {plateaus, 0, 10, false, 0.24},  {none, 0, 10, true, 0}};
    for (const auto& [series, axisMin, axisMax, byGravity, period] : cases)
        EXPECT_NEAR(MeasurePendulumPeriod(axisMin, axisMax, series, byGravity).Period, period,
                    0.001)
            << axisMin << " " << axisMax;
}
