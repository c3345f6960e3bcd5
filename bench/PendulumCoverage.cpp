// How often the pendulum fit's 95 % intervals hold the truth, over seeded runs of the
// simulated device fed frame by frame through the program's engine, as a class would record
// them: lengths 0.3, 1 and 2 m, amplitudes 5°, 20° and 45°, noise 0.002 and 0.01 g, the filter
// off and at level 2, the sensor on the bob (ρ = 1) and at 0.8 of the length, each axis' gain
// drawn within 1 %, and a damped swing. The fit takes the unfiltered samples of the whole run;
// the period box takes the filtered observed axis, as the page shows it. Prints a table and
// asserts nothing.
#include "analysis/PendulumFit.h"
#include "device/ReceiveQueue.h"
#include "engine/Pendulum.h"
#include "engine/ProcessFrame.h"
#include "sim/DeviceSimulator.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <memory>
#include <numbers>
#include <random>
#include <vector>

namespace {

constexpr int Trials = 200;
constexpr double Gravity = 9.8; // the simulator's
// Typed to the micrometre, so that the intervals of g are the fit's own.
constexpr TypedLength Typed(double metres) {
    return {metres, 0.5e-6, 6};
}

struct Case {
    double Length, Amplitude, Noise;
    int Filter; // the level box's index: 0 off, 2 middle
    double Depth, HalfLife = 0.0, Seconds = 10.0;
};

struct SilentView final : MeasurementView {
    void AppendPoint(int, int, double, double) override {}
    void ClearSeries(int, int) override {}
    int PointCount(int, int) const override { return 0; }
    void ShowBox(Box, const std::string&) override {}
    void ShowThreeAxisBox() override {}
    void RunEnded() override {}
    void AppendMessage(const std::string&) override {}
};

struct SeriesOf final : SeriesReader {
    const std::vector<double>& Values;
    explicit SeriesOf(const std::vector<double>& values) : Values(values) {}
    int Count() const override { return static_cast<int>(Values.size()); }
    double YAt(int index) const override { return Values[index]; }
    double LargestX() const override { return (Count() - 1) * SamplePeriod; }
};

// A run as the program receives it: the three axes unfiltered, in g, and the observed (along,
// Y) axis as the filter leaves it.
struct Run {
    std::vector<double> Times, X, Y, Z, FilteredY;
};

std::int16_t Negated(std::int16_t count) {
    return static_cast<std::int16_t>(-static_cast<std::uint16_t>(count));
}

Run Record(const Case& c, std::uint32_t seed) {
    std::mt19937 draw(seed);
    std::uniform_real_distribution<double> gain(0.99, 1.01);
    SimulatorOptions options;
    options.Motion = {MotionKind::Pendulum, c.Length, c.Amplitude};
    options.Motion.HalfLife = c.HalfLife;
    options.Motion.SensorDepth = c.Depth;
    options.Noise = c.Noise;
    options.Gain = {gain(draw), gain(draw), gain(draw)};
    options.Seed = seed;
    DeviceSimulator device(options);
    const Frame start = BuildFrame(CmdStream, StreamStart, 0);
    device.Receive(start.data(), FrameLength);
    device.TakeOutput();

    const auto state = std::make_unique<LiveState>();
    state->RangeCode = 1; // as the identify answer sets it
    if (c.Filter != 0) ApplyKalmanLevel(*state, c.Filter);
    const ControlState controls{.KalmanIndex = c.Filter};
    SilentView view;
    Run run;
    std::int16_t counts[3] = {}; // X, Y, Z as they came
    const int samples = static_cast<int>(std::lround(c.Seconds / SamplePeriod));
    for (int i = 0; i < samples; ++i) {
        std::vector<std::uint8_t> bytes = device.ProduceSamples(1);
        auto count = static_cast<std::int32_t>(bytes.size());
        Frame frame;
        while (ExtractFrame(bytes.data(), count, frame) == FrameLength) {
            ProcessFrame(*state, controls, view, frame);
            const std::uint8_t type = FrameType(frame);
            if (type == FrmAxisX) counts[0] = FrameValue(frame);
            if (type == FrmAxisY) counts[1] = FrameValue(frame);
            if (type != FrmAxisZ) continue;
            counts[2] = FrameValue(frame);
            run.Times.push_back(i * SamplePeriod);
            run.X.push_back(CountToG(counts[0], 1));
            run.Y.push_back(CountToG(Negated(counts[1]), 1)); // as ProcessFrame converts Y
            run.Z.push_back(CountToG(counts[2], 1));
            run.FilteredY.push_back(CountToG(Negated(state->CountY), 1));
        }
    }
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

void Add(Tally& tally, const Case& c, const Run& run) {
    const double centre = 0.5 * (run.Times.front() + run.Times.back());
    Motion motion(
        MotionOptions{MotionKind::Pendulum, c.Length, c.Amplitude, 10.0, c.HalfLife, c.Depth});
    const double amplitude = motion.SwingAmplitudeAt(centre);
    const double smallSwingPeriod = 2 * std::numbers::pi * std::sqrt(c.Length / Gravity);
    const double period = smallSwingPeriod * PeriodLengthening(amplitude * std::numbers::pi / 180);

    const auto began = std::chrono::steady_clock::now();
    const PendulumFit fit = FitPendulum({run.Times, run.Y, {run.X, run.Z}}, Typed(c.Length));
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

    const SeriesOf shown(run.FilteredY);
    const PendulumPeriod box = MeasurePendulumPeriod(0, c.Seconds, shown, true);
    if (!box.Withheld.empty() || !(box.Period > 0.0)) {
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
            Add(tally, c, Record(c, seed++));
        Print(c, tally);
    }
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - began;
    std::printf("\n%zu cases in %.0f s\n", cases.size(), took.count());
}
