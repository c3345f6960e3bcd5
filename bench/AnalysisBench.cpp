// How long the chart tools' arithmetic takes on a run: the sine fit over a 10-s and a 60-s
// view, and the statistics of four full curves.
#include "analysis/SineFit.h"
#include "analysis/StatisticsTable.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <random>

namespace {

ShownCurve Swing(int samples, unsigned seed) {
    std::mt19937 random(seed);
    std::normal_distribution<double> noise(0.0, 0.02);
    ShownCurve curve{Chart1, 0, "Y"};
    for (int i = 0; i < samples; ++i) {
        const double t = i * 0.02;
        curve.Times.push_back(t);
        curve.Values.push_back(9.6 + 0.5 * std::exp(-0.05 * t) * std::sin(8.85 * t) +
                               noise(random));
    }
    return curve;
}

void SineFitOfView(benchmark::State& state) {
    const ShownCurve curve = Swing(static_cast<int>(state.range(0)), 1);
    for (auto _ : state)
        benchmark::DoNotOptimize(FitSine(curve.Times, curve.Values));
}

void StatisticsOfFourCurves(benchmark::State& state) {
    std::vector<ShownCurve> curves;
    for (unsigned seed = 0; seed < 4; ++seed)
        curves.push_back(Swing(9050, seed));
    for (auto _ : state)
        benchmark::DoNotOptimize(RangeStatisticsTable(curves, 10.0, 150.0));
}

} // namespace

BENCHMARK(SineFitOfView)->Arg(500)->Arg(3000)->Unit(benchmark::kMillisecond);
BENCHMARK(StatisticsOfFourCurves)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
