// Any bytes as a measurement log, loaded in either unit: the rows it stores, saved in either
// unit and axis mode, must load back as the same rows (to the written decimals, or as the
// columns' limit), and saving those gives the same file again. Kept as a run, the recording
// loads back with the same counts and conditions.
#include "files/LogFile.h"
#include "fuzz/FuzzSupport.h"
#include "tests/engine/RecordingView.h"

#include <algorithm>
#include <memory>

namespace {

// Reset in place: two new 330 KB recordings per input would cost more than the input.
Recording& Fresh(Recording& storage) {
    std::destroy_at(&storage);
    return *std::construct_at(&storage);
}

bool SameConditions(const RunConditions& a, const RunConditions& b) {
    return a.Known == b.Known && a.RunPage == b.RunPage && a.PendAxis == b.PendAxis &&
           a.PendByGravity == b.PendByGravity && a.OffsetX == b.OffsetX && a.OffsetY == b.OffsetY &&
           a.OffsetZ == b.OffsetZ && a.KalmanIndex == b.KalmanIndex &&
           a.PendulumLength == b.PendulumLength && a.Mass == b.Mass && a.UnitIndex == b.UnitIndex &&
           a.RangeCode == b.RangeCode && a.ThreeAxis == b.ThreeAxis;
}

// The values of the first `axes` axes agree to half the step the unit writes, or as the limit.
void RequireSameValues(const Recording& before, const Recording& after, int axes, int unit) {
    const double limit = unit == 0 ? 99999.999 : 999999.99 / 9.8;
    const double step = unit == 0 ? 0.001 : 0.01 / 9.8;
    for (int axis = 0; axis < axes; ++axis)
        for (std::uint32_t i = 0; i < before.LogCount; ++i) {
            const double expected = std::clamp(CorrectedValues(before, axis)[i], -limit, limit);
            Require(std::fabs(CorrectedValues(after, axis)[i] - expected) <=
                    step / 2 + 1e-9 * std::fabs(expected));
        }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    static Recording loadedStorage, reloadedStorage;
    FuzzInput data(bytes, size);
    const int loadUnit = data.TakeInRange(0, 1), saveUnit = data.TakeInRange(0, 1);
    const bool threeAxis = data.TakeBool();
    Recording& loaded = Fresh(loadedStorage);
    RecordingView view;
    LoadLogFile(ScratchFile("in.csv", data.TakeRest()), loaded, loadUnit, view);
    Require(loaded.LogCount <= LogCapacity);
    Require(view.PointCount(Chart::Acceleration, SeriesX) == static_cast<int>(loaded.LogCount));
    if (loaded.LogCount == 0) return 0;

    const std::string saved = ScratchPath("saved.csv"), again = ScratchPath("again.csv");
    Require(SaveLogFile(saved, loaded, loaded.LogCount, threeAxis, saveUnit, view));
    Recording& reloaded = Fresh(reloadedStorage);
    Require(!LoadLogFile(saved, reloaded, loadUnit, view).NumberError);
    Require(reloaded.LogCount == loaded.LogCount && !reloaded.HasCounts);
    RequireSameValues(loaded, reloaded, threeAxis ? 3 : 1, saveUnit);
    Require(SaveLogFile(again, reloaded, reloaded.LogCount, threeAxis, saveUnit, view));
    Require(FileBytes(again).substr(again.size() + 1) == FileBytes(saved).substr(saved.size() + 1));

    const std::string kept = ScratchPath("kept.csv");
    std::filesystem::remove(kept); // the last input's
    const LogWriteResult written = CreateKeptRunFile(kept, loaded, saveUnit);
    if (written.Failure) return 0; // a value that is NaN
    Require(written.Path == kept);
    Recording& rekept = Fresh(reloadedStorage);
    Require(!LoadLogFile(kept, rekept, loadUnit, view).NumberError);
    Require(rekept.LogCount == loaded.LogCount && rekept.HasCounts == loaded.HasCounts);
    Require(SameConditions(rekept.Conditions, loaded.Conditions));
    RequireSameValues(loaded, rekept, 3, saveUnit);
    for (int axis = 0; loaded.HasCounts && axis < 3; ++axis)
        Require(std::equal(FilteredCounts(loaded, axis),
                           FilteredCounts(loaded, axis) + loaded.LogCount,
                           FilteredCounts(rekept, axis)) &&
                std::equal(RawCounts(loaded, axis), RawCounts(loaded, axis) + loaded.LogCount,
                           RawCounts(rekept, axis)));
    return 0;
}
