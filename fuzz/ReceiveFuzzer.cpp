// Arbitrary bytes in arbitrary pieces through the receive path into the measurement core,
// with the control states changing in between. Checks what must hold whatever arrives.
#include "device/ReceiveQueue.h"
#include "engine/LiveState.h"
#include "engine/Pendulum.h"
#include "engine/ProcessFrame.h"
#include "tests/device/MemoryComm.h"
#include "tests/engine/EngineConsumer.h"
#include "tests/engine/RecordingView.h"

#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>
#include <memory>

namespace {

void Require(bool holds) {
    if (!holds) std::abort();
}

// Every frame handed on is a checked frame.
class CheckingConsumer final : public FrameConsumer {
public:
    explicit CheckingConsumer(FrameConsumer& engine) : engine(engine) {}
    void ProcessFrame(const Frame& frame) override {
        Require(frame[0] == FrameStx && frame[5] == FrameEtx);
        Require(frame[4] == FrameChecksum(frame[0], frame[1], frame[2], frame[3]));
        engine.ProcessFrame(frame);
    }
    void AppendMessage(const std::string& line) override { engine.AppendMessage(line); }

private:
    FrameConsumer& engine;
};

// The pendulum series as the chart holds it.
class ChartSeries final : public SeriesReader {
public:
    explicit ChartSeries(const std::vector<RecordingView::Point>& points) : points(points) {}
    int Count() const override { return static_cast<int>(points.size()); }
    double YAt(int index) const override { return points.at(index).Y; }
    double LargestX() const override { return points.empty() ? 0.0 : points.back().X; }

private:
    const std::vector<RecordingView::Point>& points;
};

ControlState SomeControls(FuzzedDataProvider& data) {
    ControlState controls;
    controls.DirRevX = data.ConsumeBool();
    controls.DirRevY = data.ConsumeBool();
    controls.DirRevZ = data.ConsumeBool();
    controls.KalmanIndex = data.ConsumeIntegralInRange(-1, KalmanLevelCount);
    controls.UnitIndex = data.ConsumeIntegralInRange(-1, 1);
    controls.ActivePage = static_cast<Page>(data.ConsumeIntegralInRange(0, 4));
    controls.ThreeAxis = data.ConsumeBool();
    controls.PendAxis = static_cast<PendulumAxis>(data.ConsumeIntegralInRange(0, 2));
    controls.TimeWindow =
        data.ConsumeBool() ? data.ConsumeIntegralInRange(0, 30) : data.ConsumeIntegral<int>();
    controls.CalEnX = data.ConsumeBool();
    controls.CalEnY = data.ConsumeBool();
    controls.CalEnZ = data.ConsumeBool();
    return controls;
}

// A number the operator could have typed into an offset or mass box.
double TypedNumber(FuzzedDataProvider& data) {
    return data.ConsumeBool() ? data.ConsumeFloatingPointInRange(-10.0, 10.0)
                              : data.ConsumeFloatingPoint<double>();
}

void CheckState(const LiveState& state, const PortContext& port) {
    Require(port.RxCount >= 0 && port.RxCount <= RxBufferSize);
    Require(state.LogCount <= LogCapacity);
    Require(state.CountMinX <= 0 && state.CountMaxX >= 0);
    Require(state.CountMinY <= 0 && state.CountMaxY >= 0);
    Require(state.CountMinZ <= 0 && state.CountMaxZ >= 0);
    Require(state.DisplayDivider <= 5);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    FuzzedDataProvider data(bytes, size);
    // Fresh every input, in storage kept across inputs: a new 217 KB state per input would
    // cost more than the input itself.
    static LiveState stateStorage;
    static PortContext portStorage;
    LiveState* const state = std::construct_at(&stateStorage);
    PortContext* const port = std::construct_at(&portStorage);
    MemoryComm comm;
    port->Comm = &comm;
    port->Opened = true;
    RecordingView view;
    // Where the operator will have zoomed the pendulum chart to.
    const double axisMin = data.ConsumeFloatingPoint<double>();
    const double axisMax = data.ConsumeFloatingPoint<double>();
    const bool byGravity = data.ConsumeBool();
    ControlState controls = SomeControls(data);
    ApplyKalmanLevel(*state, controls.KalmanIndex);
    EngineConsumer engine(*state, controls, view);
    CheckingConsumer consumer(engine);

    while (data.remaining_bytes() > 0) {
        switch (data.ConsumeIntegralInRange(0, 15)) {
        case 0:
            controls = SomeControls(data);
            ApplyKalmanLevel(*state, controls.KalmanIndex);
            break;
        case 1:
            state->Logging = true;
            state->VelocityRun = data.ConsumeBool();
            state->LogCount = 0;
            state->ChartTime = 0.0;
            state->Mass = TypedNumber(data);
            view.Points.clear();
            break;
        case 2:
            state->OffsetX = TypedNumber(data);
            state->OffsetY = TypedNumber(data);
            state->OffsetZ = TypedNumber(data);
            break;
        case 3:
            state->KalmanBias = TypedNumber(data);
            break;
        case 4:
        case 5: {
            // A well-formed frame, so that deep states are reached without guessing checksums.
            const Frame frame = BuildValueFrame(data.ConsumeIntegral<std::uint8_t>(),
                                                data.ConsumeIntegral<std::int16_t>());
            comm.Arrive(frame.data(), frame.size());
            ReceiveData(*port, consumer);
            break;
        }
        default: {
            const auto piece =
                data.ConsumeBytes<std::uint8_t>(data.ConsumeIntegralInRange(1, 3000));
            comm.Arrive(piece);
            ReceiveData(*port, consumer);
            break;
        }
        }
        CheckState(*state, *port);
    }
    for (const auto& [box, text] : view.Boxes) {
        Require(!text.empty());
        Require(text.rfind("-0", 0) != 0 || text.find_first_not_of("-0.") != std::string::npos);
    }
    const auto series = view.Points.find({Chart1, 0});
    if (series != view.Points.end()) {
        const double period =
            MeasurePendulumPeriod(axisMin, axisMax, ChartSeries(series->second), byGravity);
        Require(!(period < 0));
    }
    return 0;
}
