#include "engine/CursorReadout.h"

#include <cmath>
#include <gtest/gtest.h>
#include <memory>

namespace {

// "time value colour", or "none".
std::string Shown(const std::optional<CursorReadout>& readout) {
    if (!readout) return "none";
    const char* colours[] = {"black", "red", "blue"};
    return readout->TimeText + " " + KoreanText(readout->ValueText) + " " +
           colours[int(readout->Colour)];
}

} // namespace

TEST(CursorReadout, SnapsToTheNearestSampleOfTheClosestAxisOrReadsThePlace) {
    const auto state = std::make_unique<LiveState>();
    state->Recorded.LogX[50] = 0.25, state->Recorded.LogY[50] = 0.5,
    state->Recorded.LogZ[50] = 0.75;
    state->Recorded.LogX[51] = -0.125;
    state->Recorded.LogX[9049] = 1.5;
    const ReadoutMode snapped{false, true, 0};
    const std::tuple<ReadoutMode, double, double, const char*> cases[] = {
        // Nothing at or left of the time origin.
        {snapped, 0.0, 0.3, "none"},
        {snapped, -0.5, 0.3, "none"},
        {{true, true, 0}, NAN, 0.3, "none"},
        {snapped, 1.009, 0.3, "Time:1.00[s] X축ACC:0.250 black"},
        {snapped, 1.011, -0.1, "Time:1.02[s] X축ACC:-0.125 black"},
        {snapped, 0.995, 0.55, "Time:1.00[s] Y축ACC:0.500 red"},
        {snapped, 1.0, 0.7, "Time:1.00[s] Z축ACC:0.750 blue"},
        // Halfway between Y and Z, and between X and Z: ties go to Z.
        {snapped, 1.0, 0.625, "Time:1.00[s] Z축ACC:0.750 blue"},
        {snapped, 1.0, 0.5, "Time:1.00[s] Y축ACC:0.500 red"},
        {{false, true, 1}, 1.0, 4.9, "Time:1.00[s] Y축ACC:4.90 red"},
        // Without three axes the readout is X wherever the click was.
        {{false, false, 1}, 1.0, 7.35, "Time:1.00[s] X축ACC:2.45 black"},
        {{false, false, 0}, 180.98, 0.0, "Time:180.98[s] X축ACC:1.500 black"},
        // Past the recording's capacity there is no sample to read.
        {snapped, 181.0, 0.0, "Time:181.00[s] ACC:--- black"},
        {{false, true, 1}, 1e300, 0.0, "Time:1.00000000000000E+300[s] ACC:--- black"},
        // The free readout is the place under the pointer.
        {{true, true, 0}, 1.0234, 0.5678, "Time:1.023[s] ACC:0.568 black"},
        {{true, false, 1}, 250.0, -5.5625, "Time:250.000[s] ACC:-5.56 black"},
    };
    for (const auto& [mode, time, value, shown] : cases)
        EXPECT_EQ(Shown(ReadCursor(*state, mode, time, value)), shown) << time << " " << value;
}
