// How often the pendulum fit's 95 % intervals hold the truth, over seeded runs of the
// simulated device fed frame by frame through the program's engine, as a class would record
// them: lengths 0.3, 1 and 2 m, amplitudes 5°, 20° and 45°, noise 0.002 and 0.01 g, the filter
// off and at level 2, the sensor on the bob (ρ = 1) and at 0.8 of the length, each axis' gain
// drawn within 1 %, and a damped swing. The fit takes the unfiltered samples of the whole run;
// the period box takes the filtered observed axis, as the page shows it. Prints a table and
// asserts nothing.
#include "analysis/PendulumFit.h"
#include "analysis/PendulumInView.h"
#include "tests/engine/SimulatedRun.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <memory>
#include <numbers>
#include <random>
#include <vector>

namespace {

constexpr int Trials = 400;
constexpr int StreamBeforeStart = 50; // samples: a second
constexpr double Gravity = 9.8;       // the simulator's
// Typed to the micrometre, so that the intervals of g are the fit's own.
constexpr TypedLength Typed(double metres) {
    return {metres, 0.5e-6, 6};
}

struct Case {
    double Length, Amplitude, Noise;
    int Filter; // the level box's index: 0 off, 2 middle
    double Depth, HalfLife = 0.0, Seconds = 10.0;
};

// A run recorded by the program from the simulated device, as on the pendulum page: Start, then
// the samples of the case.
std::unique_ptr<SimulatedRun> Record(const Case& c, std::uint32_t seed) {
    std::mt19937 draw(seed);
    std::uniform_real_distribution<double> gain(0.99, 1.01);
    SimulatorOptions options;
    options.Motion = {MotionKind::Pendulum, c.Length, c.Amplitude};
    options.Motion.HalfLife = c.HalfLife;
    options.Motion.SensorDepth = c.Depth;
    options.Noise = c.Noise;
    options.Gain = {gain(draw), gain(draw), gain(draw)};
    options.Seed = seed;
    auto run = std::make_unique<SimulatedRun>(options, c.Filter, Page::TabPendulum);
    run->Stream(StreamBeforeStart); // the filter has settled by the time a class starts a run
    run->Start();
    run->Stream(static_cast<int>(std::lround(c.Seconds / SamplePeriod)));
    return run;
}

double Median(std::vector<double> values) {
    if (values.empty()) return NAN;
    const auto middle = values.begin() + static_cast<long>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

double Percent(int count, int whole) {
    return whole > 0 ? 100.0 * count / whole : NAN;
}

struct Tally {
    int Fitted = 0, Known = 0, PeriodHeld = 0, AmplitudeHeld = 0, GravityHeld = 0;
    int BoxNear = 0, BoxWithheld = 0;
    std::vector<double> PeriodIntervals, AmplitudeIntervals, GravityIntervals, BoxErrors;
    double FitSeconds = 0.0;
};

// The fit and the period box over the whole run, as the page reads them from the recording.
void Add(Tally& tally, const Case& c, const Recording& recording) {
    const PendulumSource source = PendulumSourceOf(recording, PendulumAxis::Y);
    const PendulumInView run =
        PendulumSamplesBetween(recording, source, recording.LogCount, 0.0, c.Seconds);
    // The middle of the run on the device's clock, which ran before Start.
    const double centre =
        0.5 * (run.Times.front() + run.Times.back()) + StreamBeforeStart * SamplePeriod;
    Motion motion(
        MotionOptions{MotionKind::Pendulum, c.Length, c.Amplitude, 10.0, c.HalfLife, c.Depth});
    const double amplitude = motion.SwingAmplitudeAt(centre);
    const double smallSwingPeriod = 2 * std::numbers::pi * std::sqrt(c.Length / Gravity);
    const double period = smallSwingPeriod * PeriodLengthening(amplitude * std::numbers::pi / 180);

    const auto began = std::chrono::steady_clock::now();
    const PendulumFit fit =
        FitPendulum({run.Times, run.Observed, {run.Others[0], run.Others[1]}, true, run.Absolute},
                    Typed(c.Length));
    tally.FitSeconds +=
        std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    if (fit.Ok) {
        ++tally.Fitted;
        tally.PeriodHeld += std::abs(fit.Period - period) <= 2 * fit.PeriodError;
        tally.PeriodIntervals.push_back(2 * fit.PeriodError);
    }
    if (fit.AmplitudeKnown) {
        ++tally.Known;
        tally.AmplitudeHeld +=
            std::abs(fit.AmplitudeDegrees - amplitude) <= 2 * fit.AmplitudeErrorDegrees;
        tally.GravityHeld +=
            std::abs(fit.SmallSwingGravity - Gravity) <= 2 * fit.SmallSwingGravityError;
        tally.AmplitudeIntervals.push_back(2 * fit.AmplitudeErrorDegrees);
        tally.GravityIntervals.push_back(2 * fit.SmallSwingGravityError);
    }

    const RecordedAxisReader shown(recording, source.Axis, static_cast<int>(recording.LogCount));
    const PendulumPeriod box = MeasurePendulumPeriod(0, c.Seconds, shown, true);
    if (box.Withheld || !(box.Period > 0.0)) {
        ++tally.BoxWithheld;
        return;
    }
    const double error = std::abs(box.Period / period - 1);
    tally.BoxErrors.push_back(100 * error);
    tally.BoxNear += error <= 0.01;
}

void Print(const Case& c, const Tally& t) {
    std::printf("%4.1f %3.0f %5.3f %3s %4.1f %4.0f | %5.1f %5.1f %5.1f | %4.1f %4.1f |"
                " %7.3f %6.3f %6.3f | %7.2f %5.1f %5.1f | %5.1f\n",
                c.Length, c.Amplitude, c.Noise, c.Filter != 0 ? "2" : "off", c.Depth, c.HalfLife,
                Percent(t.PeriodHeld, t.Fitted), Percent(t.AmplitudeHeld, t.Known),
                Percent(t.GravityHeld, t.Known), Percent(Trials - t.Fitted, Trials),
                Percent(Trials - t.Known, Trials), 1000 * Median(t.PeriodIntervals),
                Median(t.AmplitudeIntervals), Median(t.GravityIntervals), Median(t.BoxErrors),
                Percent(t.BoxNear, Trials), Percent(t.BoxWithheld, Trials),
                1000 * t.FitSeconds / Trials);
    std::fflush(stdout);
}

} // namespace

int main() {
    std::vector<Case> cases;
    for (const double depth : {1.0, 0.8})
        for (const double length : {0.3, 1.0, 2.0})
            for (const double amplitude : {5.0, 20.0, 45.0})
                for (const double noise : {0.002, 0.01})
                    for (const int filter : {0, 2})
                        cases.push_back({length, amplitude, noise, filter, depth});
    // Halving in 30 s from 25°, the first 20 s.
    for (const double depth : {1.0, 0.8})
        for (const double noise : {0.002, 0.01})
            cases.push_back({1.0, 25.0, noise, 0, depth, 30.0, 20.0});

    std::printf("Pendulum fit over %d seeded runs a case: how often the 95 %% intervals hold the "
                "truth (%%, of the runs that state the value), how often T or θ0 is withheld "
                "(%%),\nthe median interval half-widths (2σ), and the period box's median error, "
                "how often it is within 1 %% and how often it gives no period.\n"
                "θ0 as released; a decaying run states T and θ0 in its middle. g is corrected "
                "to small swings, L typed to the micrometre. half: the amplitude's half-life, "
                "s.\n\n",
                Trials);
    std::printf("   L  θ0 noise flt    ρ half |   T %%  θ0 %%   g %% | no T no θ0 |  ±T ms   ±θ0°"
                "   ±g   | box err%%  ≤1%%  wh %% | fit ms\n");
    const auto began = std::chrono::steady_clock::now();
    std::uint32_t seed = 1;
    for (const Case& c : cases) {
        Tally tally;
        for (int trial = 0; trial < Trials; ++trial)
            Add(tally, c, Record(c, seed++)->State.Recorded);
        Print(c, tally);
    }
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - began;
    std::printf("\n%zu cases in %.0f s\n", cases.size(), took.count());
}
