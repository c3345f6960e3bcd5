// Any bytes as a measurement log, loaded in either unit: the rows it stores, saved in either
// unit and axis mode, must load back as the same rows (to the written decimals, or as the
// columns' limit), and saving those gives the same file again.
#include "files/LogFile.h"
#include "fuzz/FuzzSupport.h"
#include "tests/engine/RecordingView.h"

#include <algorithm>
#include <memory>

namespace {

// Reset in place: two new 217 KB states per input would cost more than the input.
LiveState& FreshState(LiveState& storage) {
    return *std::construct_at(&storage);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    static LiveState loadedStorage, reloadedStorage;
    FuzzInput data(bytes, size);
    const int loadUnit = data.TakeInRange(0, 1), saveUnit = data.TakeInRange(0, 1);
    const bool threeAxis = data.TakeBool();
    LiveState& loaded = FreshState(loadedStorage);
    RecordingView view;
    LoadLogFile(ScratchFile("in.csv", data.TakeRest()), loaded, loadUnit, view);
    Require(loaded.LogCount <= LogCapacity);
    Require(view.PointCount(Chart1, 0) == static_cast<int>(loaded.LogCount));
    if (loaded.LogCount == 0) return 0;

    const std::string saved = ScratchPath("saved.csv"), again = ScratchPath("again.csv");
    Require(SaveLogFile(saved, loaded, loaded.LogCount, threeAxis, saveUnit, view));
    LiveState& reloaded = FreshState(reloadedStorage);
    Require(!LoadLogFile(saved, reloaded, loadUnit, view));
    Require(reloaded.LogCount == loaded.LogCount);
    const double limit = saveUnit == 0 ? 99999.999 : 999999.99 / 9.8;
    const double step = saveUnit == 0 ? 0.001 : 0.01 / 9.8;
    const double* const before[] = {loaded.LogX, loaded.LogY, loaded.LogZ};
    const double* const after[] = {reloaded.LogX, reloaded.LogY, reloaded.LogZ};
    for (int axis = 0; axis < (threeAxis ? 3 : 1); ++axis)
        for (std::uint32_t i = 0; i < loaded.LogCount; ++i) {
            const double expected = std::clamp(before[axis][i], -limit, limit);
            Require(std::fabs(after[axis][i] - expected) <= step / 2 + 1e-9 * std::fabs(expected));
        }
    Require(SaveLogFile(again, reloaded, reloaded.LogCount, threeAxis, saveUnit, view));
    Require(FileBytes(again).substr(again.size() + 1) == FileBytes(saved).substr(saved.size() + 1));
    return 0;
}
