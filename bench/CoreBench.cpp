// Throughput of the receive path: bytes from the port through ReceiveData and ExtractFrame
// into ProcessFrame, on a clean stream and on one with damaged bytes; the filter start a replay
// of a full recording searches for.
#include "device/ReceiveQueue.h"
#include "engine/FrameProcessor.h"
#include "engine/LiveState.h"
#include "engine/ProcessFrame.h"
#include "engine/ReplayFeed.h"
#include "tests/device/MemoryComm.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdint>
#include <memory>
#include <numbers>
#include <random>
#include <vector>

namespace {

// A view that draws nothing but counts every call, so no work can be optimised away.
class CountingView final : public MeasurementView {
public:
    void AppendPoint(Chart, int, double, double) override { ++Calls; }
    void ClearSeries(Chart, int) override { ++Calls; }
    int PointCount(Chart, int) const override { return 0; }
    void ShowBox(Box, const std::string& text) override { Calls += text.size(); }
    void ShowThreeAxisBox() override { ++Calls; }
    void RunEnded() override { ++Calls; }
    void AppendMessage(const Message&) override { ++Calls; }

    std::uint64_t Calls = 0;
};

// Counts the frames on their way to the engine.
class CountingConsumer final : public FrameConsumer {
public:
    explicit CountingConsumer(FrameConsumer& engine) : engine(engine) {}
    void ProcessFrame(const Frame& frame) override {
        ++Frames;
        engine.ProcessFrame(frame);
    }
    void AppendMessage(const Message& message) override { engine.AppendMessage(message); }

    std::uint64_t Frames = 0;

private:
    FrameConsumer& engine;
};

constexpr int StreamSamples = 20000; // 400 s of a swinging sensor, 60000 frames

// The device's Y, X, Z frames of a sensor swinging at 0.6 Hz; a share of the bytes is then
// overwritten with random values, with a fixed seed.
std::vector<std::uint8_t> SensorStream(double damagedShare) {
    std::vector<std::uint8_t> stream;
    stream.reserve(StreamSamples * 3 * FrameLength);
    for (int i = 0; i < StreamSamples; ++i) {
        const double phase = 2 * std::numbers::pi * 0.6 * i * SamplePeriod;
        for (const Frame& frame :
             {BuildValueFrame(FrmAxisY, -8192 + std::lround(900 * std::cos(phase))),
              BuildValueFrame(FrmAxisX, std::lround(3000 * std::sin(phase))),
              BuildValueFrame(FrmAxisZ, std::lround(200 * std::sin(3 * phase)))})
            stream.insert(stream.end(), frame.begin(), frame.end());
    }
    std::mt19937 random(20240611);
    std::bernoulli_distribution damaged(damagedShare);
    for (std::uint8_t& byte : stream)
        if (damaged(random)) byte = static_cast<std::uint8_t>(random());
    return stream;
}

// Feeds the stream in reads of `chunk` bytes (one sample is 18) to a connected device's
// live display, filter at the middle level, no run in progress.
void ReceivePath(benchmark::State& bench, double damagedShare) {
    const std::vector<std::uint8_t> stream = SensorStream(damagedShare);
    const auto chunk = static_cast<std::size_t>(bench.range(0));
    auto state = std::make_unique<LiveState>();
    ControlState controls;
    controls.KalmanIndex = 2;
    ApplyKalmanLevel(*state, controls.KalmanIndex);
    state->RangeCode = 1;
    state->DisplayDecimals = 3;
    CountingView view;
    FrameProcessor engine(*state, controls, view);
    CountingConsumer consumer(engine);
    MemoryComm comm;
    auto port = std::make_unique<PortContext>();
    port->Comm = &comm;
    port->Opened = true;

    for (auto _ : bench) {
        for (std::size_t at = 0; at < stream.size(); at += chunk) {
            comm.Arrive(stream.data() + at, std::min(chunk, stream.size() - at));
            ReceiveData(*port, consumer);
        }
    }
    benchmark::DoNotOptimize(view.Calls);
    benchmark::DoNotOptimize(state->VectorSum);
    bench.counters["frames"] =
        benchmark::Counter(static_cast<double>(consumer.Frames), benchmark::Counter::kIsRate);
    bench.SetBytesProcessed(static_cast<std::int64_t>(bench.iterations() * stream.size()));
}

void CleanStream(benchmark::State& bench) {
    ReceivePath(bench, 0.0);
}
void DamagedStream(benchmark::State& bench) {
    ReceivePath(bench, 0.01);
}

// A full recording's counts of one axis through the filter of a level, from a start far from
// them; with `broken`, one filtered count changed early (as a sample lost on the line leaves
// it), so that no start reproduces the run and the search tries every candidate.
void ReplayFilterStart(benchmark::State& bench) {
    const auto level = static_cast<int>(bench.range(0));
    const bool broken = bench.range(1) != 0;
    std::mt19937 random(20251208);
    std::normal_distribution<double> noise(0.0, 20.0);
    std::vector<std::int16_t> raw(LogCapacity), filtered(LogCapacity);
    KalmanFilter live;
    KalmanInit(live, KalmanLevelFor(level).R, 1.0f);
    live.X = -3000.0f;
    for (std::uint32_t i = 0; i < LogCapacity; ++i) {
        const double phase = 2 * std::numbers::pi * i / 70.0;
        raw[i] = static_cast<std::int16_t>(std::lround(4000 * std::sin(phase) + noise(random)));
    }
    for (std::uint32_t i = 0; i < 2000; ++i) // long after the level was chosen
        FilterCount(live, KalmanLevelFor(level).Bias, raw[i % 50]);
    for (std::uint32_t i = 0; i < LogCapacity; ++i)
        filtered[i] = FilterCount(live, KalmanLevelFor(level).Bias, raw[i]);
    if (broken) filtered[100] = static_cast<std::int16_t>(filtered[100] + 5);
    KalmanFilter setUp;
    KalmanInit(setUp, KalmanLevelFor(level).R, 1.0f);
    for (auto _ : bench)
        benchmark::DoNotOptimize(FilterStartFor(setUp, KalmanLevelFor(level).Bias, raw.data(),
                                                filtered.data(), LogCapacity));
}

} // namespace

BENCHMARK(ReplayFilterStart)
    ->Args({2, 0})
    ->Args({2, 1})
    ->Args({6, 0})
    ->Args({6, 1})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(CleanStream)->Arg(18)->Arg(256)->Arg(2040)->Unit(benchmark::kMillisecond);
BENCHMARK(DamagedStream)->Arg(18)->Arg(256)->Arg(2040)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
