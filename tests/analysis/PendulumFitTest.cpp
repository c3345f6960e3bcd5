#include "analysis/PendulumFit.h"

#include "analysis/DrawnFit.h"
#include "analysis/PendulumInView.h"
#include "sim/Motion.h"
#include "tests/engine/SimulatedRun.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <numbers>
#include <random>
#include <vector>

namespace {

constexpr double Gravity = 9.8; // the simulator's
constexpr double Degree = std::numbers::pi / 180;
// Typed to the micrometre, so that the intervals of g are the fit's own.
constexpr TypedLength Length(double metres) {
    return {metres, 0.5e-6, 6};
}

struct Swing {
    double Length = 1.0, Amplitude = 20.0, Depth = 0.8, HalfLife = 0.0;
    AxisG Gain{1.0, 1.0, 1.0};
    double Noise = 0.002;
};

// Ten seconds of the simulator's pendulum sampled every 0.02 s as the sensor reads them, in
// g: X across the string, Y along it, Z across the swing plane, each with its gain and noise.
// With the truth in the middle of the run.
struct Recorded {
    std::vector<double> Times, X, Y, Z;
    double Period = 0.0, Amplitude = 0.0; // degrees

    PendulumSamples Samples() const { return {Times, Y, {X, Z}}; }
};

Recorded Record(const Swing& swing, unsigned seed) {
    std::mt19937 random(seed);
    std::normal_distribution<double> noise(0.0, swing.Noise);
    Motion motion(
        {MotionKind::Pendulum, swing.Length, swing.Amplitude, 10.0, swing.HalfLife, swing.Depth});
    Recorded run;
    for (int i = 0; i < 500; ++i) {
        const AxisG sensor = motion.At(i * 0.02);
        run.Times.push_back(i * 0.02);
        run.X.push_back(swing.Gain.X * sensor.X + noise(random));
        run.Y.push_back(swing.Gain.Y * sensor.Y + noise(random));
        run.Z.push_back(swing.Gain.Z * sensor.Z + noise(random));
    }
    run.Amplitude = motion.SwingAmplitudeAt(0.5 * run.Times.back());
    run.Period = 2 * std::numbers::pi * std::sqrt(swing.Length / Gravity) *
                 PeriodLengthening(run.Amplitude * Degree);
    return run;
}

bool Holds(double value, double error, double truth, double sigmas = 2) {
    return std::abs(value - truth) <= sigmas * error;
}

std::vector<std::string> KoreanLines(const PendulumFit& fit) {
    std::vector<std::string> lines;
    for (const Message& line : PendulumFitLines(fit))
        lines.push_back(KoreanText(line));
    return lines;
}

bool HasLine(const PendulumFit& fit, const std::string& start) {
    const auto lines = KoreanLines(fit);
    return std::ranges::any_of(lines, [&](const std::string& l) { return l.starts_with(start); });
}

// Why the fit gave no period or no amplitude.
std::string Why(const PendulumFit& fit) {
    return KoreanText(fit.Failure) + KoreanText(fit.AmplitudeWithheld.value_or(Message()));
}

} // namespace

// Each 95 % interval (2σ) holds the truth in nine runs of ten or more, with the sensor on the
// bob or above it, a wide swing, a small one in much noise and a decaying one, each axis' gain
// drawn within 1 %; and σ is not inflated: one σ holds the truth in most runs but not all.
TEST(PendulumFit, IntervalsHoldTheTruthOverSeededRuns) {
    const Swing swings[] = {
        {1.0, 20, 1.0},               // on the bob: the across axis reads only noise
        {0.5, 45, 0.8},               // the simulator's physical pendulum, a wide swing
        {2.0, 5, 0.8, 0, {}, 0.005},  // a small swing in much noise
        {1.0, 25, 1.0, 30},           // halving in 30 s
        {0.3, 20, 0.8, 30, {}, 0.01}, // short, decaying and noisy
    };
    struct Tally {
        const char* Name;
        int Runs = 0, WithinTwo = 0, WithinOne = 0;
        void Add(double value, double error, double truth) {
            ++Runs;
            WithinTwo += Holds(value, error, truth);
            WithinOne += Holds(value, error, truth, 1);
        }
    };
    Tally period{"T"}, amplitude{"θ0"}, gravity{"g"};
    std::mt19937 draw(7);
    std::uniform_real_distribution<double> gain(0.99, 1.01);
    unsigned seed = 0;
    for (Swing swing : swings) {
        for (int run = 0; run < 8; ++run) {
            swing.Gain = {gain(draw), gain(draw), gain(draw)};
            const Recorded truth = Record(swing, ++seed);
            const PendulumFit fit = FitPendulum(truth.Samples(), Length(swing.Length));
            ASSERT_TRUE(fit.AmplitudeKnown) << seed << Why(fit);
            EXPECT_EQ(fit.Damped, swing.HalfLife > 0) << seed;
            period.Add(fit.Period, fit.PeriodError, truth.Period);
            amplitude.Add(fit.AmplitudeDegrees, fit.AmplitudeErrorDegrees, truth.Amplitude);
            gravity.Add(fit.SmallSwingGravity, fit.SmallSwingGravityError, Gravity);
            // The curve drawn over the chart follows the along-string axis, and only there.
            for (std::size_t i = 0; i < truth.Times.size(); i += 50)
                EXPECT_NEAR(fit.ObservedAt(truth.Times[i]), truth.Y[i], 5 * swing.Noise) << i;
            EXPECT_TRUE(std::isnan(fit.ObservedAt(truth.Times.back() + 1)));
        }
    }
    for (const Tally& t : {period, amplitude, gravity}) {
        EXPECT_GE(t.WithinTwo, t.Runs * 9 / 10) << t.Name;
        EXPECT_LE(t.WithinOne, t.Runs * 17 / 20) << t.Name;
    }
}

// Reading g·cos θ0 from the turning value of a fitted sinusoid went wrong by the along axis'
// gain and the waveform: 18.4° for 20° at a gain of 1.01, 9.5° for 5° at 0.99, 45.7° for 45°.
TEST(PendulumFit, AmplitudeHoldsWhateverTheAlongAxisGain) {
    const std::pair<double, double> cases[] = {{20, 1.01}, {5, 0.99}, {45, 1.0}};
    for (const auto& [degrees, gain] : cases) {
        const Recorded truth = Record({1.0, degrees, 1.0, 0, {1.0, gain, 1.0}}, 11);
        const PendulumFit fit = FitPendulum(truth.Samples(), Length(1.0));
        ASSERT_TRUE(fit.AmplitudeKnown) << Why(fit);
        EXPECT_TRUE(Holds(fit.AmplitudeDegrees, fit.AmplitudeErrorDegrees, degrees, 3))
            << degrees << ": " << fit.AmplitudeDegrees << " ± " << fit.AmplitudeErrorDegrees;
        EXPECT_TRUE(Holds(fit.SmallSwingGravity, fit.SmallSwingGravityError, Gravity, 3))
            << degrees << ": " << fit.SmallSwingGravity;
        // The plain g of a wide swing misses by the swing's lengthening of the period.
        if (degrees > 10) {
            EXPECT_FALSE(Holds(fit.Gravity, fit.GravityError, Gravity, 3));
        }
    }
}

// A run started before the stream ran begins with a zero, a knock at the end adds a spike:
// both are left out, and the knock neither fakes a decay nor bends a real one.
TEST(PendulumFit, LeavesOutSpikesBeforeFittingTheDamping) {
    for (const double halfLife : {0.0, 30.0}) {
        Recorded truth = Record({1.0, 25, 0.8, halfLife}, 5);
        for (std::vector<double>* axis : {&truth.X, &truth.Y, &truth.Z}) {
            axis->front() = 0.0;
            axis->back() += 2.0;
        }
        const PendulumFit fit = FitPendulum(truth.Samples(), Length(1.0));
        ASSERT_TRUE(fit.AmplitudeKnown) << Why(fit);
        EXPECT_EQ(fit.Excluded, 2);
        EXPECT_EQ(fit.Damped, halfLife > 0);
        EXPECT_TRUE(Holds(fit.Period, fit.PeriodError, truth.Period, 3)) << fit.Period;
        EXPECT_TRUE(Holds(fit.AmplitudeDegrees, fit.AmplitudeErrorDegrees, truth.Amplitude, 3))
            << fit.AmplitudeDegrees;
        EXPECT_EQ(KoreanLines(fit)[0], halfLife > 0 ? "사인 맞춤 (감쇠 진동), 튀는 점 2개 제외"
                                                    : "사인 맞춤, 튀는 점 2개 제외");
        EXPECT_EQ(HasLine(fit, "감쇠 진동:"), halfLife > 0);
    }
}

// Where the swing cannot be read, the amplitude and the corrected values are withheld with one
// line saying why; the period still holds, from the observed axis alone.
TEST(PendulumFit, AmplitudeWithheldWithItsReasonWhileThePeriodHolds) {
    const Recorded truth = Record({1.0, 30, 0.8}, 3);
    std::vector<double> zeroed = truth.Y, withNan = truth.Z, sinusoid;
    for (double& value : zeroed)
        value -= 1.0;
    withNan[100] = NAN;
    std::mt19937 random(4);
    std::normal_distribution<double> noise(0.0, 0.002);
    for (const double t : truth.Times) // twice the pendulum's frequency, but no swing's waveform
        sinusoid.push_back(1.0 + 0.3 * std::cos(4 * std::numbers::pi * t / truth.Period) +
                           noise(random));
    const struct {
        PendulumSamples Samples;
        const char* Reason;
    } cases[] = {
        {{truth.Times, zeroed, {truth.X, truth.Z}, true, false}, "영점을 뺀"},
        {{truth.Times, truth.X, {truth.Y, truth.Z}, false}, "이 관찰 방식"},
        {{truth.Times, truth.Y, {}}, "다른 두 축"},
        {{truth.Times, truth.Y, {truth.X, withNan}}, "다른 두 축"},
        {{truth.Times, sinusoid, {truth.X, truth.Z}}, "진자의 흔들림"},
    };
    for (const auto& c : cases) {
        const PendulumFit fit = FitPendulum(c.Samples, Length(1.0));
        ASSERT_TRUE(fit.Ok) << c.Reason << ": " << Why(fit);
        EXPECT_FALSE(fit.AmplitudeKnown) << c.Reason;
        EXPECT_NE(Why(fit).find(c.Reason), std::string::npos) << Why(fit);
        EXPECT_TRUE(HasLine(fit, Why(fit))) << c.Reason;
        EXPECT_FALSE(HasLine(fit, "진폭 θ0 =") || HasLine(fit, "보정한 g")) << c.Reason;
        EXPECT_TRUE(Holds(fit.Period, fit.PeriodError, truth.Period, 3))
            << c.Reason << ": " << fit.Period << " ± " << fit.PeriodError;
        EXPECT_NEAR(fit.ObservedAt(truth.Times[120]), c.Samples.Observed[120], 0.01) << c.Reason;
    }
    // The across axis observed as if it were along the string: no level of about 1 g.
    const PendulumFit across = FitPendulum({truth.Times, truth.X, {truth.Y, truth.Z}}, {});
    EXPECT_NE(Why(across).find("줄 방향 축"), std::string::npos);
}

TEST(PendulumFit, IllPosedRunsGiveNoNumber) {
    const Recorded truth = Record({1.0, 20, 0.8}, 9);
    const std::span<const double> times(truth.Times), along(truth.Y);
    std::vector<double> withNan = truth.Y, flat(truth.Y.size(), 1.0), noise;
    withNan[40] = NAN;
    std::mt19937 random(3);
    std::normal_distribution<double> scatter(1.0, 0.02);
    for (std::size_t i = 0; i < truth.Y.size(); ++i)
        noise.push_back(scatter(random));
    const struct {
        PendulumSamples Samples;
        const char* Reason;
    } cases[] = {{{times.first(7), along.first(7), {}}, "점이 너무 적습니다"},
                 {{times, withNan, {}}, "숫자가 아닌 값"},
                 {{times, flat, {}}, "값의 변화가 없습니다"},
                 {{times.first(40), along.first(40), {}}, "한 주기보다 짧습니다"},
                 {{times, noise, {truth.X, truth.Z}}, "진동을 찾을 수 없습니다"}};
    for (const auto& c : cases) {
        const PendulumFit fit = FitPendulum(c.Samples, Length(1.0));
        EXPECT_FALSE(fit.Ok) << c.Reason;
        const auto lines = KoreanLines(fit);
        ASSERT_EQ(lines.size(), 1u) << c.Reason;
        EXPECT_TRUE(lines[0].starts_with("맞춤 불가: ")) << lines[0];
        EXPECT_NE(lines[0].find(c.Reason), std::string::npos) << lines[0];
        EXPECT_TRUE(std::isnan(fit.ObservedAt(1.0)));
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

TEST(PendulumFit, TextsRoundValueAndIntervalAlike) {
    EXPECT_EQ(ValueWithInterval(1.419349, 0.002213, "s"), "1.4193 ± 0.0022 s");
    EXPECT_EQ(ValueWithInterval(9.80486, 0.0213, "m/s²"), "9.805 ± 0.021 m/s²");
    EXPECT_EQ(ValueWithInterval(123.4, 15, "°"), "123 ± 15 °");
}

// The fit is of the samples before the filter; drawn through the run's filter, it lies on the
// curve the page plots, for every level and for the Y axis, which converts the negated count.
TEST(PendulumFit, DrawnThroughTheRunsFilterItLiesOnThePlottedCurve) {
    for (const int level : {0, 2, 5}) {
        SimulatorOptions options;
        options.Motion = {MotionKind::Pendulum, 1.0, 20.0};
        SimulatedRun run(options, level, Page::TabPendulum);
        run.Stream(100);
        run.Start();
        run.Stream(500);
        const Recording& recording = run.State.Recorded;
        const PendulumInView view = PendulumSamplesBetween(
            recording, PendulumSourceOf(recording, PendulumAxis::Y), 500, 0.0, 10.0);
        const PendulumFit fit =
            FitPendulum({view.Times, view.Observed, {view.Others[0], view.Others[1]}}, {});
        ASSERT_TRUE(fit.Ok);
        const auto curve = DrawnFitCurve(fit, view.Times, view.FirstFiltered, level, 1, 1, 0.02);
        ASSERT_EQ(curve.size(), view.Times.size());
        double largest = 0.0;
        for (std::size_t i = 0; i < curve.size(); ++i)
            largest = std::max(largest, std::abs(curve[i].second - FilteredG(recording, 1, i)));
        EXPECT_LT(largest, 0.001) << "level " << level; // the swing spans 0.16 g
    }
}
