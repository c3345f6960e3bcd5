#include "engine/NumberText.h"
#include "engine/Pendulum.h"
#include "engine/Tilt.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <numbers>
#include <optional>
#include <vector>

namespace {

// A plotted series with sample i at x = i × 0.02, as a run plots it.
class PlottedSeries final : public SeriesReader {
public:
    explicit PlottedSeries(std::vector<double> values) : values(std::move(values)) {}
    int Count() const override { return static_cast<int>(values.size()); }
    double YAt(int index) const override { return values.at(index); }
    double LargestX() const override { return (Count() - 1) * 0.02; }

private:
    std::vector<double> values;
};

PlottedSeries Repeated(const std::vector<double>& cycle, int samples) {
    std::vector<double> values(samples);
    for (int i = 0; i < samples; ++i)
        values[i] = cycle[i % cycle.size()];
    return PlottedSeries(values);
}

// A clean swing of 80 samples (1.6 s) with its extremes on samples, over 8 s.
PlottedSeries CleanSwing() {
    std::vector<double> values(400);
    for (int i = 0; i < 400; ++i)
        values[i] = std::cos(2 * std::numbers::pi * i / 80);
    return PlottedSeries(values);
}

std::string PeriodText(double axisMin, double axisMax, const SeriesReader& series, bool byG) {
    return FormatFixed(MeasurePendulumPeriod(axisMin, axisMax, series, byG), 3);
}

} // namespace

TEST(Tilt, PiecewiseLinearAngleFromYAndX) {
    const struct {
        double gy, gx, degrees;
    } cases[] = {{1, 0, 0},       {0, -1, 90},          {0, 1, -90},         {0.5, -0.5, 45},
                 {0.5, 0.5, -45}, {0.866, -0.5, 28.53}, {0.5, -0.866, 61.47}};
    for (const auto& c : cases)
        EXPECT_NEAR(ComputeTilt(c.gy, c.gx), c.degrees, 1e-9) << c.gx;
}

TEST(Pendulum, PeriodFromTheTurningPointsInView) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const PlottedSeries swing = CleanSwing();
    const struct {
        const char* name;
        double axisMin, axisMax;
        bool byGravity;
        const char* period;
    } cases[] = {
        {"observing the acceleration: half periods", 0, 8, false, "1.600"},
        {"observing gravity: quarter periods", 0, 8, true, "3.200"},
        {"zoomed past the last point", 0, 100, false, "1.600"},
        {"a window inside the run", 2.5, 5.5, false, "1.600"},
        {"a single turning point", 0, 0.9, false, "0.000"},
        {"an axis scrolled far out", -1e300, 1e300, false, "1.600"},
        {"beyond the run", 1e300, 2e300, false, "0.000"},
        {"no range at all", nan, nan, false, "0.000"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PeriodText(c.axisMin, c.axisMax, swing, c.byGravity), c.period) << c.name;
}

TEST(Pendulum, PeriodOfPlateausManyTurnsAndNothing) {
    // Flat tops and bottoms: one turning point each, every 6 samples.
    EXPECT_EQ(PeriodText(0, 10, Repeated({0, 1, 2, 3, 4, 5, 5, 4, 3, 2, 1, 0}, 500), false),
              "0.240");
    // A turn every second sample, about a thousand in view: far beyond any small table.
    EXPECT_EQ(PeriodText(0, 40, Repeated({0, 1, 0, -1}, 2000), false), "0.080");
    EXPECT_EQ(PeriodText(0, 10, PlottedSeries({}), true), "0.000");
}

TEST(Pendulum, GravityAndPeriodTexts) {
    const std::optional<std::string> none;
    const struct {
        const char *period, *length;
        std::optional<std::string> gravity, periodOfLength;
    } cases[] = {
        {"1.42", "0.5", "9.79", "1.419"},
        {"2", "1", "9.87", "2.007"},
        {"0", "0.5", "", ""},
        {"1.42", "0", "", ""},
        {"abc", "0.5", none, none},
        {"1.42", "", none, none},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PendulumGravityText(c.period, c.length), c.gravity) << c.period << c.length;
        EXPECT_EQ(PendulumPeriodText(c.period, c.length), c.periodOfLength) << c.period << c.length;
    }
}

TEST(Pendulum, LengthBoxAndUpDownFollowEachOther) {
    EXPECT_EQ(PendulumLengthText(500), "0.500");
    EXPECT_EQ(PendulumLengthText(1), "0.001");
    EXPECT_EQ(PendulumLengthText(20000), "20.000");
    const struct {
        const char* text;
        std::optional<int> position;
    } typed[] = {{"0.5", 500},
                 {"0.001", 1},
                 {"0.0015", 1},
                 {"20", 20000},
                 {"0.0005", std::nullopt},
                 {"25", std::nullopt},
                 {"-1", std::nullopt},
                 {"x", std::nullopt}};
    for (const auto& t : typed)
        EXPECT_EQ(PendulumLengthPosition(t.text), t.position) << t.text;
}
