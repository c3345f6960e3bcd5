#include "analysis/PeriodicFit.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>
#include <random>
#include <vector>

namespace {

constexpr double TwoPi = 2 * std::numbers::pi;

struct Samples {
    std::vector<double> Times, Values;
};

// A run's samples 0.02 s apart of offset + a·e^(−λt)·sin(2πt/T + φ) with a second harmonic of
// a fifth of its size decaying twice as fast, as a wide swing's waveform has, and noise.
Samples Oscillation(double seconds, double period, double decay, double noise, unsigned seed,
                    double amplitude = 0.3, double phase = 0.4) {
    std::mt19937 random(seed);
    std::normal_distribution<double> scatter(0.0, noise);
    Samples s;
    for (int i = 0; i * 0.02 <= seconds + 1e-9; ++i) {
        const double t = i * 0.02, angle = TwoPi * t / period + phase;
        const double envelope = amplitude * std::exp(-decay * t);
        s.Times.push_back(t);
        s.Values.push_back(0.9 + envelope * std::sin(angle) +
                           0.2 * envelope * envelope / amplitude * std::cos(2 * angle) +
                           (noise > 0 ? scatter(random) : 0.0));
    }
    return s;
}

} // namespace

// The period's stated interval (2σ) holds the true period in at least 95 % of the runs, and σ
// is not inflated either: one σ holds it in about two thirds of them.
TEST(PeriodicFit, RecoversThePeriodWithinItsIntervalOverSeededTrials) {
    std::mt19937 draw(2024);
    std::uniform_real_distribution<double> periods(0.6, 2.5), decays(0.0, 0.15), phases(0, TwoPi);
    int withinTwo = 0, withinOne = 0;
    const int trials = 200;
    for (int trial = 0; trial < trials; ++trial) {
        const double period = periods(draw), decay = trial % 2 ? decays(draw) : 0.0;
        const Samples s = Oscillation(10, period, decay, 0.03, trial, 0.3, phases(draw));
        const PeriodicFit fit = FitPeriodic(s.Times, s.Values);
        ASSERT_TRUE(fit.Ok) << trial << ": " << KoreanText(fit.Failure);
        const double error = std::abs(1 / fit.Frequency - period);
        const double sigma = fit.FrequencyError / (fit.Frequency * fit.Frequency);
        withinTwo += error <= 2 * sigma;
        withinOne += error <= sigma;
    }
    EXPECT_GE(withinTwo, trials * 95 / 100);
    EXPECT_GE(withinOne, trials * 55 / 100);
    EXPECT_LE(withinOne, trials * 80 / 100);
}

TEST(PeriodicFit, FitsTheDecayOnlyWhereTheAmplitudeMeasurablyDecays) {
    const struct {
        double Decay;
        bool Damped;
    } cases[] = {{0.0, false}, {0.2, true}, {0.05, true}};
    for (const auto& c : cases) {
        const Samples s = Oscillation(10, 1.4, c.Decay, 0.01, 7);
        const PeriodicFit fit = FitPeriodic(s.Times, s.Values);
        ASSERT_TRUE(fit.Ok) << KoreanText(fit.Failure);
        EXPECT_EQ(fit.Damped, c.Damped) << c.Decay;
        if (c.Damped) {
            EXPECT_NEAR(fit.Decay, c.Decay, 3 * fit.DecayError);
        }
        // The curve goes through the data, harmonic and all.
        for (std::size_t i = 0; i < s.Times.size(); i += 25)
            EXPECT_NEAR(fit.ValueAt(s.Times[i]), s.Values[i], 0.05) << i;
    }
}

TEST(PeriodicFit, LeavesOutSpikesFarOffTheCurve) {
    // A run started before the stream ran begins with a zero; a knock adds a spike. Both dwarf
    // a small swing's oscillation (its amplitude is 0.005 here, against 0.9 and 3).
    Samples spiked = Oscillation(10, 1.4, 0, 0.002, 5, 0.005);
    const PeriodicFit clean = FitPeriodic(spiked.Times, spiked.Values);
    spiked.Values[0] = 0.0;
    spiked.Values[250] += 3.0;
    const PeriodicFit fit = FitPeriodic(spiked.Times, spiked.Values);
    ASSERT_TRUE(fit.Ok) << KoreanText(fit.Failure);
    EXPECT_EQ(fit.Excluded, 2);
    EXPECT_EQ(clean.Excluded, 0);
    EXPECT_NEAR(1 / fit.Frequency, 1.4, 2 * fit.FrequencyError / (fit.Frequency * fit.Frequency));
    EXPECT_LT(fit.FrequencyError, 1.2 * clean.FrequencyError);
}
