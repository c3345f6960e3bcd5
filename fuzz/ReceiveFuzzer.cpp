// Arbitrary bytes in arbitrary pieces through the receive path into the measurement core,
// with the control states changing in between. Checks what must hold whatever arrives.
#include "engine/FrameProcessor.h"
#include "engine/RunControl.h"
#include "fuzz/FuzzSupport.h"
#include "tests/device/MemoryComm.h"
#include "tests/engine/RecordingView.h"

#include <memory>

// Every frame handed on is a checked frame.
struct CheckingConsumer final : FrameConsumer {
    explicit CheckingConsumer(FrameConsumer& engine) : Engine(engine) {}
    void ProcessFrame(const Frame& frame) override {
        Require(frame[0] == FrameStx && frame[5] == FrameEtx);
        Require(frame[4] == FrameChecksum(frame[0], frame[1], frame[2], frame[3]));
        Engine.ProcessFrame(frame);
    }
    void AppendMessage(const Message& message) override { Engine.AppendMessage(message); }
    void BytesDiscarded(int count) override {
        Require(count > 0);
        Engine.BytesDiscarded(count);
    }
    FrameConsumer& Engine;
};

// Any control state, including any time window the operator typed, with the filter it selects.
static void ChangeControls(FuzzInput& data, ControlState& controls, LiveState& state) {
    for (bool* box : {&controls.DirRevX, &controls.DirRevY, &controls.DirRevZ, &controls.ThreeAxis,
                      &controls.CalEnX, &controls.CalEnY, &controls.CalEnZ})
        *box = data.TakeBool();
    controls.KalmanIndex = data.TakeInRange(-1, KalmanLevelCount);
    controls.UnitIndex = data.TakeInRange(-1, 1);
    controls.ActivePage = static_cast<Page>(data.TakeInRange(0, 4));
    controls.PendAxis = static_cast<PendulumAxis>(data.TakeInRange(0, 2));
    controls.TimeWindow = data.TakeBool() ? data.TakeInRange(0, 30) : data.Take<int>();
    ApplyKalmanLevel(state, controls.KalmanIndex);
}

// A number the operator could have typed into an offset or mass box.
static double TypedNumber(FuzzInput& data) {
    return data.TakeBool() ? data.TakeRealInRange(-10.0, 10.0) : data.TakeReal();
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    FuzzInput data(bytes, size);
    // Reset in place: a new 217 KB state per input would cost more than the input itself.
    static LiveState stateStorage;
    LiveState& state = *std::construct_at(&stateStorage);
    MemoryComm comm;
    PortContext port{.Comm = &comm, .Opened = true};
    RecordingView view;
    ControlState controls;
    ChangeControls(data, controls, state);
    FrameProcessor engine(state, controls, view);
    CheckingConsumer consumer(engine);
    while (data.Remaining() > 0) {
        const int step = data.TakeInRange(0, 15);
        if (step == 0) ChangeControls(data, controls, state);
        if (step == 1) { // a run starts, with numbers the operator typed
            BeginRun(state, view);
            state.VelocityRun = data.TakeBool(), state.Mass = TypedNumber(data);
            state.KalmanBias = TypedNumber(data), state.OffsetX = TypedNumber(data);
            state.OffsetY = TypedNumber(data), state.OffsetZ = TypedNumber(data);
        }
        if (step == 2 || step == 3) { // a valid frame: deep states need no guessed checksum
            const Frame frame =
                BuildValueFrame(data.Take<std::uint8_t>(), data.Take<std::int16_t>());
            comm.Arrive(frame.data(), frame.size());
        }
        if (step > 3) {
            const auto piece = data.TakeBytes(data.TakeInRange(1, 3000));
            comm.Arrive(piece.data(), piece.size());
        }
        ReceiveData(port, consumer);
        Require(port.RxCount >= 0 && port.RxCount <= RxBufferSize);
        Require(state.Recorded.LogCount <= LogCapacity && state.DisplayDivider <= 5);
        Require(state.CountMinX <= 0 && state.CountMinY <= 0 && state.CountMinZ <= 0);
        Require(state.CountMaxX >= 0 && state.CountMaxY >= 0 && state.CountMaxZ >= 0);
    }
    return 0;
}
