#include "analysis/PolynomialFit.h"
#include "analysis/RangeArea.h"
#include "analysis/ShownCurves.h"
#include "analysis/StudentT.h"

#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace {

struct Samples {
    std::vector<double> Times, Values;
};

// A run's samples 0.02 s apart from 0 to `seconds`, of a curve.
Samples Curve(double seconds, const std::function<double(double)>& value) {
    Samples s;
    for (int i = 0; i * 0.02 <= seconds + 1e-9; ++i) {
        s.Times.push_back(i * 0.02);
        s.Values.push_back(value(i * 0.02));
    }
    return s;
}

} // namespace

// A constant force gives its impulse exactly and a line its integral exactly, also where the
// marks fall between samples or beyond the recording, which ends the area.
TEST(RangeArea, ConstantAndLinearCurvesGiveTheirIntegralWhereverTheMarksLie) {
    const Samples force = Curve(2, [](double) { return 12.5; });
    for (const double from : {0.4, 0.413, 1.27})
        EXPECT_NEAR(AreaBetween(force.Times, force.Values, from, from + 0.5), 6.25, 1e-12) << from;
    EXPECT_NEAR(AreaBetween(force.Times, force.Values, -3, 0.5), 6.25, 1e-12);
    EXPECT_NEAR(AreaBetween(force.Times, force.Values, 1.75, 9), 3.125, 1e-12);

    const Samples velocity = Curve(2, [](double t) { return 3 - 2 * t; });
    auto integral = [](double a, double b) { return 3 * (b - a) - (b * b - a * a); };
    for (const auto& [from, to] : {std::pair{0.13, 1.57}, {0.0, 2.0}, {0.5, 1.999}})
        EXPECT_NEAR(AreaBetween(velocity.Times, velocity.Values, from, to), integral(from, to),
                    1e-12)
            << from << " " << to;
}

// On a parabola each step of h overstates the integral by h³·f''/12: over whole steps from a
// to b the sum is (b − a)·h²·f''/12 above the integral, exactly.
TEST(RangeArea, QuadraticIsOverstatedByTheTrapezoidError) {
    const Samples s = Curve(2, [](double t) { return 5 * t * t - t; });
    const double a = 0.2, b = 1.0, h = 0.02;
    const double integral = 5 * (b * b * b - a * a * a) / 3 - (b * b - a * a) / 2;
    const double error = (b - a) * h * h * 10 / 12;
    EXPECT_NEAR(AreaBetween(s.Times, s.Values, a, b) - integral, error, 1e-12);
}

// An area needs two samples at different times inside the range; the neighbours outside it
// alone make no number.
TEST(RangeArea, TooFewSamplesInTheRangeGiveNoNumber) {
    const Samples s = Curve(1, [](double t) { return 1 + t; });
    const std::vector<double> sameTime(5, 0.3), values(5, 2.0);
    EXPECT_TRUE(std::isnan(AreaBetween(s.Times, s.Values, 0.101, 0.119))); // none
    EXPECT_TRUE(std::isnan(AreaBetween(s.Times, s.Values, 0.11, 0.13)));   // one
    EXPECT_TRUE(std::isnan(AreaBetween(s.Times, s.Values, 0.5, 0.4)));     // reversed
    EXPECT_TRUE(std::isnan(AreaBetween(sameTime, values, 0, 1)));
    EXPECT_TRUE(std::isnan(AreaBetween({}, {}, 0, 1)));
    EXPECT_NEAR(AreaBetween(s.Times, s.Values, 0.12, 0.14), 0.02 * 1.13, 1e-12); // two
}

TEST(StudentT, MatchesTheTabulatedTwoSidedQuantiles) {
    const std::pair<int, double> table[] = {{1, 12.706}, {2, 4.303},  {3, 3.182},   {6, 2.447},
                                            {10, 2.228}, {30, 2.042}, {120, 1.980}, {5000, 1.960}};
    for (const auto& [degrees, t] : table)
        EXPECT_NEAR(StudentT(0.95, degrees), t, 5e-4) << degrees;
    EXPECT_NEAR(StudentT(0.99, 4), 4.604, 5e-4);
    EXPECT_TRUE(std::isnan(StudentT(0.95, 0)));
}

// Over 1000 seeded runs each of a line and a parabola, marked in the middle of a run where
// chart time is far from zero, every parameter's 95 % interval holds the truth in 93 to 97 %
// of them: with 8 samples, where the normal distribution's 1.96 would hold it in fewer than
// nine in ten, and with 60. The residual spread estimates the noise.
TEST(PolynomialFit, IntervalsHoldTheSeededParametersInNineteenRunsOfTwenty) {
    const std::vector<double> truth{0.7, -1.3, 0.45}; // a + b·t + c·t²
    constexpr double noise = 0.05;
    constexpr int trials = 1000;
    for (const int degree : {1, 2}) {
        for (const int points : {8, 60}) {
            std::mt19937 random(17 * degree + points);
            std::normal_distribution<double> scatter(0.0, noise);
            std::vector<int> held(degree + 1, 0);
            double deviations = 0.0;
            const double from = 3.0, to = from + (points - 1) * 0.02;
            for (int trial = 0; trial < trials; ++trial) {
                const Samples s = Curve(to + 1, [&](double t) {
                    return truth[0] + truth[1] * t + (degree == 2 ? truth[2] * t * t : 0.0) +
                           scatter(random);
                });
                const PolynomialFit fit =
                    FitPolynomial(s.Times, s.Values, from - 0.001, to + 0.001, degree);
                ASSERT_TRUE(fit.Ok);
                ASSERT_EQ(fit.Count, points);
                for (int k = 0; k <= degree; ++k)
                    held[k] += std::abs(fit.Coefficients[k] - truth[k]) <= fit.HalfWidths[k];
                deviations += fit.ResidualDeviation;
            }
            for (int k = 0; k <= degree; ++k) {
                EXPECT_GE(held[k], trials * 93 / 100) << degree << " " << points << " " << k;
                EXPECT_LE(held[k], trials * 97 / 100) << degree << " " << points << " " << k;
            }
            // The root of the unbiased variance is itself a little low on few samples.
            EXPECT_NEAR(deviations / trials / noise, 1.0, points < 10 ? 0.06 : 0.02);
        }
    }
}

// Without noise the fit is the curve, and the texts give each parameter its unit.
TEST(PolynomialFit, ExactCurveAndItsLines) {
    const Samples s = Curve(4, [](double t) { return 2 + 0.5 * t - 0.25 * t * t; });
    const PolynomialFit fit = FitPolynomial(s.Times, s.Values, 1, 3, 2);
    ASSERT_TRUE(fit.Ok);
    EXPECT_EQ(fit.Count, 101);
    for (const auto& [value, expected] : {std::pair{fit.Coefficients[0], 2.0},
                                          {fit.Coefficients[1], 0.5},
                                          {fit.Coefficients[2], -0.25},
                                          {fit.ValueAt(7), 2 + 3.5 - 0.25 * 49}})
        EXPECT_NEAR(value, expected, 1e-9);
    EXPECT_LT(fit.ResidualDeviation, 1e-9);

    PolynomialFit line{true, {}, 1, 12, {0.0123, 9.81}, {0.0044, 0.052}, 0.0271};
    std::vector<std::string> lines;
    for (const Message& m : PolynomialFitLines(line, "m/s"))
        lines.push_back(KoreanText(m));
    EXPECT_EQ(lines,
              (std::vector<std::string>{"직선 맞춤: y = a + b·t", "a = 0.0123 ± 0.0044 m/s",
                                        "b = 9.810 ± 0.052 m/s²", "잔차 표준편차 s = 0.027 m/s",
                                        "점 12개, ± 는 95 % 구간 (t 분포, 자유도 10)"}));

    // The chart's label writes the window's rounded coefficients into the model; a coefficient
    // that rounds to zero has no sign.
    PolynomialFit parabola{true, {}, 2, 40, {-1.5, -0.00004, 2.254}, {0.2, 0.0044, 0.31}, 0.1};
    const std::pair<PolynomialFit, std::string> labels[] = {
        {line, "직선 맞춤: y = 0.0123 + 9.810·t"},
        {parabola, "포물선 맞춤: y = −1.50 + 0.0000·t + 2.25·t²"},
        {PolynomialFit{false, MessageId::FitTooFewPoints, 1, 0, {}, {}, 0.0},
         "맞춤 불가: 점이 너무 적습니다"}};
    for (const auto& [fit, label] : labels)
        EXPECT_EQ(KoreanText(PolynomialFitLabel(fit)), label);
}

// No more samples than parameters, too few distinct times, or a value that is not a number give
// the reason and no coefficient.
TEST(PolynomialFit, DegenerateRangesGiveNoNumbers) {
    const Samples s = Curve(1, [](double t) { return t * t; });
    std::vector<double> sameTime(20, 0.5), twoTimes(20, 0.5), values(20, 1.0);
    for (std::size_t i = 10; i < twoTimes.size(); ++i)
        twoTimes[i] = 0.6;
    std::vector<double> withNaN = s.Values;
    withNaN[10] = NAN;
    struct Case {
        std::vector<double> Times, Values;
        double From, To;
        int Degree;
        MessageId Failure;
    };
    const Case cases[] = {
        {s.Times, s.Values, 0.101, 0.119, 1, MessageId::FitTooFewPoints}, // none
        {s.Times, s.Values, 0.11, 0.13, 1, MessageId::FitTooFewPoints},   // one
        {s.Times, s.Values, 0.11, 0.15, 1, MessageId::FitTooFewPoints},   // two
        {s.Times, s.Values, 0.11, 0.17, 2, MessageId::FitTooFewPoints},   // three
        {sameTime, values, 0, 1, 1, MessageId::FitTooFewPoints},
        {twoTimes, values, 0, 1, 2, MessageId::FitTooFewPoints},
        {s.Times, withNaN, 0, 1, 1, MessageId::FitNotANumber},
    };
    for (const Case& c : cases) {
        const PolynomialFit fit = FitPolynomial(c.Times, c.Values, c.From, c.To, c.Degree);
        EXPECT_FALSE(fit.Ok) << c.From << " " << c.Degree;
        EXPECT_TRUE(fit.Coefficients.empty());
        EXPECT_EQ(PolynomialFitLines(fit, "g"), std::vector<Message>{c.Failure});
    }
    EXPECT_TRUE(FitPolynomial(s.Times, s.Values, 0.11, 0.17, 1).Ok); // three make a line
}

TEST(CurveUnits, AreaAndRatesFollowTheCurvesUnit) {
    const struct {
        CurveId Curve;
        bool InMs2;
        const char *Unit, *Area, *Rate;
    } cases[] = {
        {{Chart::Acceleration, SeriesForce}, true, "N", "N·s", "N/s"},
        {{Chart::Acceleration, SeriesForce}, false, "kgf", "kgf·s", "kgf/s"},
        {{Chart::Acceleration, SeriesX}, true, "m/s²", "m/s", "m/s³"},
        {{Chart::Acceleration, SeriesZ}, false, "g", "g·s", "g/s"},
        {{Chart::Velocity, 0}, true, "m/s", "m", "m/s²"},
        {{Chart::Tilt, 0}, false, "°", "deg·s", "°/s"},
    };
    for (const auto& c : cases) {
        const std::string unit = CurveUnit(c.Curve, c.InMs2);
        EXPECT_EQ(unit, c.Unit);
        EXPECT_EQ(AreaUnit(unit), c.Area);
        EXPECT_EQ(PerSecondUnit(unit, 1), c.Rate);
    }
    EXPECT_EQ(PerSecondUnit("m/s²", 2), "m/s⁴");
    EXPECT_EQ(PerSecondUnit("N", 0), "N");
}
