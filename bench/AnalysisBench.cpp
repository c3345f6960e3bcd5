// How long the chart tools' arithmetic takes on a run: the pendulum fit over a 10-s and a
// 60-s view of three axes, undamped and decaying, and the statistics of four full curves.
#include "analysis/PendulumFit.h"
#include "analysis/StatisticsTable.h"
#include "sim/Motion.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <random>

namespace {

// The simulator's pendulum (1 m, 25°, the sensor at 0.8 of the length) with 0.002 g of noise.
struct Swing {
    std::vector<double> Times, X, Y, Z;
};

Swing Record(int samples, double halfLife) {
    std::mt19937 random(1);
    std::normal_distribution<double> noise(0.0, 0.002);
    Motion motion({MotionKind::Pendulum, 1.0, 25.0, 10.0, halfLife});
    Swing swing;
    for (int i = 0; i < samples; ++i) {
        const AxisG sensor = motion.At(i * 0.02);
        swing.Times.push_back(i * 0.02);
        swing.X.push_back(sensor.X + noise(random));
        swing.Y.push_back(sensor.Y + noise(random));
        swing.Z.push_back(sensor.Z + noise(random));
    }
    return swing;
}

// Arguments: samples in view, the amplitude's half-life in seconds (0: undamped).
void PendulumFitOfView(benchmark::State& state) {
    const Swing swing = Record(static_cast<int>(state.range(0)), state.range(1));
    for (auto _ : state)
        benchmark::DoNotOptimize(
            FitPendulum({swing.Times, swing.Y, {swing.X, swing.Z}}, ReadTypedLength("1.000")));
}

void StatisticsOfFourCurves(benchmark::State& state) {
    const Swing swing = Record(9050, 0);
    std::vector<ShownCurve> curves;
    for (const std::vector<double>* axis : {&swing.X, &swing.Y, &swing.Z, &swing.Y})
        curves.push_back(
            {Chart::Acceleration, static_cast<int>(curves.size()), "Y", swing.Times, *axis});
    for (auto _ : state)
        benchmark::DoNotOptimize(RangeStatisticsTable(curves, 10.0, 150.0));
}

} // namespace

BENCHMARK(PendulumFitOfView)
    ->Args({500, 0})
    ->Args({3000, 0})
    ->Args({500, 30})
    ->Args({3000, 30})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(StatisticsOfFourCurves)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
