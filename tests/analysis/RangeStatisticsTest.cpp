#include "analysis/RangeStatistics.h"

#include "analysis/StatisticsTable.h"

#include <cmath>
#include <gtest/gtest.h>
#include <vector>

TEST(RangeStatistics, SamplesInsideTheClosedRangeAgainstHandValues) {
    std::vector<double> times;
    for (int i = 0; i < 5; ++i)
        times.push_back(i * 0.02);
    const std::vector<double> values{1, 2, 4, 7, 11}, offset{1e9 + 1, 1e9 + 2, 1e9 + 3, 0, 0};
    struct Case {
        const std::vector<double>& Values;
        double From, To;
        int Count;
        double Start, End, Min, Max, Mean, Deviation;
    };
    const Case cases[] = {
        {values, times[1], times[3], 3, 0.02, 0.06, 2, 7, 13.0 / 3, std::sqrt(19.0 / 3)},
        {values, -1, 1, 5, 0, 0.08, 1, 11, 5, std::sqrt(16.5)},
        {values, 0.03, 0.035, 0, NAN, NAN, NAN, NAN, NAN, NAN},
        {values, 0.05, 0.07, 1, 0.06, 0.06, 7, 7, 7, NAN},
        {values, 0.06, 0.02, 0, NAN, NAN, NAN, NAN, NAN, NAN},        // reversed
        {offset, 0, 0.045, 3, 0, 0.04, 1e9 + 1, 1e9 + 3, 1e9 + 2, 1}, // no cancellation
    };
    auto same = [](double actual, double expected) {
        return std::isnan(expected) ? std::isnan(actual) : std::abs(actual - expected) < 1e-9;
    };
    for (const Case& c : cases) {
        const RangeStatistics s = ComputeRangeStatistics(times, c.Values, c.From, c.To);
        EXPECT_EQ(s.Count, c.Count) << c.From;
        for (const auto& [actual, expected] : {std::pair{s.StartTime, c.Start},
                                               {s.EndTime, c.End},
                                               {s.Duration, c.End - c.Start},
                                               {s.Minimum, c.Min},
                                               {s.Maximum, c.Max},
                                               {s.Mean, c.Mean},
                                               {s.StandardDeviation, c.Deviation}})
            EXPECT_TRUE(same(actual, expected)) << c.From << ": " << actual << " vs " << expected;
    }
    const RangeStatistics rising = ComputeRangeStatistics(times, values, 0.02, 0.08);
    EXPECT_EQ(rising.LastValue - rising.FirstValue, 9);
}

TEST(RangeStatisticsTable, ACurveAColumnAndTheMeanAccelerationBesideAVelocity) {
    const std::vector<double> times{0, 0.02, 0.04, 0.06};
    const std::vector<ShownCurve> curves{
        {Chart::Acceleration, SeriesX, "X 가속도 [m/s²]", times, {1, 2, 3, 4}, "m/s²"},
        {Chart::Velocity, 0, "속도 [m/s]", times, {0, 0.1, 0.2, 0.4}, "m/s"},
        {Chart::Acceleration, SeriesForce, "힘 [N]", {}, {}, "N"}};
    const TextTable table =
        TextOf(RangeStatisticsTable(curves, 0.01, 0.07, {true, 2.94, 0.0512}), KoreanText);
    ASSERT_EQ(table.size(), 13u);
    EXPECT_EQ(table[0],
              (std::vector<std::string>{"구간 통계", "X 가속도 [m/s²]", "속도 [m/s]", "힘 [N]"}));
    EXPECT_EQ(table[1], (std::vector<std::string>{"점 수", "3", "3", ""}));
    EXPECT_EQ(table[4], (std::vector<std::string>{"Δt [s]", "0.04", "0.04", ""}));
    EXPECT_EQ(table[7][1], "3.0000");
    EXPECT_EQ(table[9], (std::vector<std::string>{"Δv [m/s]", "", "0.3000", ""}));
    EXPECT_EQ(table[10], (std::vector<std::string>{"평균 가속도 [m/s²]", "", "2.9400", ""}));
    EXPECT_EQ(table[11][2], "0.0512");
    // From 0.01 s, interpolated between samples, to the last sample at 0.06 s.
    EXPECT_EQ(table[12],
              (std::vector<std::string>{"곡선 아래 넓이", "0.1375 m/s", "0.0098 m", ""}));
    EXPECT_EQ(RangeStatisticsTable(curves, 0.01, 0.07)[10][2], Message()); // no estimate: no number
    EXPECT_EQ(TabSeparated({{"a", "b"}, {"1", ""}}), "a\tb\n1\t\n");
    EXPECT_EQ(RangeStatisticsTable({curves[0]}, 0, 1).size(), 10u); // no velocity rows
}
