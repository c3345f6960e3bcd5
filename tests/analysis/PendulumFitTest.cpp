#include "analysis/PendulumFit.h"

#include "sim/Motion.h"

#include <cmath>
#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace {

constexpr double Gravity = 9.8, Length = 0.5;

struct Swing {
    std::vector<double> Times, AlongString, Across;
};

// The simulator's full pendulum (its own test pins the motion): the sensor at 0.8·L, released
// at rest at θ0; ten seconds sampled every 0.02 s with 0.002 g of noise, in g.
Swing FullPendulum(double amplitudeDegrees, unsigned seed) {
    std::mt19937 random(seed);
    std::normal_distribution<double> noise(0.0, 0.002);
    Motion motion({MotionKind::Pendulum, Length, amplitudeDegrees});
    Swing swing;
    for (int i = 0; i <= 500; ++i) {
        const AxisG sensor = motion.At(i * 0.02);
        swing.Times.push_back(i * 0.02);
        swing.AlongString.push_back(sensor.Y + noise(random));
        swing.Across.push_back(sensor.X + noise(random));
    }
    return swing;
}

bool Holds(double value, double error, double truth) {
    return std::abs(value - truth) <= 2 * error;
}

} // namespace

TEST(PendulumFit, GravityIntervalsOfAFullPendulumHoldTheTrueGravity) {
    const TypedLength length = *ReadTypedLength("0.500");
    for (const double unitFactor : {1.0, 9.8}) {
        auto scaled = [unitFactor](std::vector<double> values) {
            for (double& v : values)
                v *= unitFactor;
            return values;
        };
        // At 5° the plain value holds 9.8; at 20° the swing lengthens the period by 0.8 % and
        // only the corrected value holds it.
        const Swing small = FullPendulum(5, 1), wide = FullPendulum(20, 2);
        const PendulumFit smallFit =
            FitPendulum(small.Times, scaled(small.AlongString), true, unitFactor, length);
        ASSERT_TRUE(smallFit.Fit.Ok) << smallFit.Fit.Failure;
        EXPECT_TRUE(Holds(smallFit.Gravity, smallFit.GravityError, Gravity)) << smallFit.Gravity;

        const PendulumFit wideFit =
            FitPendulum(wide.Times, scaled(wide.AlongString), true, unitFactor, length);
        ASSERT_TRUE(wideFit.AmplitudeKnown);
        EXPECT_NEAR(wideFit.AmplitudeDegrees, 20, 2 * wideFit.AmplitudeErrorDegrees);
        EXPECT_FALSE(Holds(wideFit.Gravity, wideFit.GravityError, Gravity)) << wideFit.Gravity;
        EXPECT_TRUE(Holds(wideFit.SmallSwingGravity, wideFit.SmallSwingGravityError, Gravity))
            << wideFit.SmallSwingGravity << " ± " << wideFit.SmallSwingGravityError;

        // Zeroed, as the log of a run started with the offsets taken holds it, the curve no
        // longer tells the amplitude.
        std::vector<double> zeroed = scaled(wide.AlongString);
        for (double& v : zeroed)
            v -= unitFactor;
        EXPECT_FALSE(FitPendulum(wide.Times, zeroed, true, unitFactor, length).AmplitudeKnown);

        // Observed across the string, the signal swings at the pendulum's own frequency: the
        // same period, but no amplitude to read.
        const PendulumFit across =
            FitPendulum(wide.Times, scaled(wide.Across), false, unitFactor, length);
        EXPECT_NEAR(across.Period, wideFit.Period,
                    2 * across.PeriodError + 2 * wideFit.PeriodError);
        EXPECT_FALSE(across.AmplitudeKnown);
    }
}

TEST(PendulumFit, TypedLengthStatesHalfItsLastDigit) {
    const std::tuple<const char*, double, double> cases[] = {{"0.500", 0.5, 0.0005},
                                                             {"0.5", 0.5, 0.05},
                                                             {"1", 1, 0.5},
                                                             {" 5.0e-1", 0.5, 0.005},
                                                             {"2.", 2, 0.5}};
    for (const auto& [text, metres, error] : cases) {
        const auto length = ReadTypedLength(text);
        ASSERT_TRUE(length) << text;
        EXPECT_DOUBLE_EQ(length->Metres, metres) << text;
        EXPECT_DOUBLE_EQ(length->Error, error) << text;
    }
    for (const char* text : {"", "abc", "0", "-0.5"})
        EXPECT_FALSE(ReadTypedLength(text)) << text;
}

TEST(PendulumFit, TextsRoundValueAndIntervalAlikeOrNameTheFailure) {
    EXPECT_EQ(ValueWithInterval(1.419349, 0.002213, "s"), "1.4193 ± 0.0022 s");
    EXPECT_EQ(ValueWithInterval(9.80486, 0.0213, "m/s²"), "9.805 ± 0.021 m/s²");
    EXPECT_EQ(ValueWithInterval(123.4, 15, "°"), "123 ± 15 °");
    const std::vector<double> flat(100, 1.0), times = [] {
        std::vector<double> t;
        for (int i = 0; i < 100; ++i)
            t.push_back(i * 0.02);
        return t;
    }();
    const auto lines = PendulumFitLines(FitPendulum(times, flat, true, 1.0, std::nullopt));
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(lines[0].starts_with("맞춤 불가")) << lines[0];
}
