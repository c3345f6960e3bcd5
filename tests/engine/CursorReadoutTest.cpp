#include "engine/CursorReadout.h"

#include <cmath>
#include <gtest/gtest.h>
#include <memory>

namespace {

struct Expected {
    const char* Time;
    const char* Value;
    ReadoutColour Colour;
};

void ExpectReadout(const std::optional<CursorReadout>& readout, const Expected& expected,
                   const std::string& label) {
    ASSERT_TRUE(readout) << label;
    EXPECT_EQ(readout->TimeText, expected.Time) << label;
    EXPECT_EQ(readout->ValueText, expected.Value) << label;
    EXPECT_EQ(readout->Colour, expected.Colour) << label;
}

} // namespace

TEST(CursorReadout, ShowsNothingAtOrLeftOfTheTimeOrigin) {
    const auto state = std::make_unique<LiveState>();
    for (const bool free : {false, true})
        for (const double time : {0.0, -0.5, double(NAN)})
            EXPECT_FALSE(ReadCursor(*state, {free, true, 0}, time, 0.3)) << time;
}

TEST(CursorReadout, SnapsToTheNearestSampleOfTheClosestAxis) {
    const auto state = std::make_unique<LiveState>();
    state->LogX[50] = 0.25, state->LogY[50] = 0.5, state->LogZ[50] = 0.75;
    state->LogX[51] = -0.125;
    state->LogX[9049] = 1.5;
    const std::tuple<ReadoutMode, double, double, Expected> cases[] = {
        {{false, true, 0}, 1.009, 0.3, {"Time:1.00[s]", "X축ACC:0.250", ReadoutColour::Black}},
        {{false, true, 0}, 1.011, -0.1, {"Time:1.02[s]", "X축ACC:-0.125", ReadoutColour::Black}},
        {{false, true, 0}, 0.995, 0.55, {"Time:1.00[s]", "Y축ACC:0.500", ReadoutColour::Red}},
        {{false, true, 0}, 1.0, 0.7, {"Time:1.00[s]", "Z축ACC:0.750", ReadoutColour::Blue}},
        // Halfway between Y and Z, and between X and Z: ties go to Z.
        {{false, true, 0}, 1.0, 0.625, {"Time:1.00[s]", "Z축ACC:0.750", ReadoutColour::Blue}},
        {{false, true, 0}, 1.0, 0.5, {"Time:1.00[s]", "Y축ACC:0.500", ReadoutColour::Red}},
        {{false, true, 1}, 1.0, 4.9, {"Time:1.00[s]", "Y축ACC:4.90", ReadoutColour::Red}},
        // Without three axes the readout is X wherever the click was.
        {{false, false, 1}, 1.0, 7.35, {"Time:1.00[s]", "X축ACC:2.45", ReadoutColour::Black}},
        {{false, false, 0}, 180.98, 0.0, {"Time:180.98[s]", "X축ACC:1.500", ReadoutColour::Black}},
        // Past the recording's capacity there is no sample to read.
        {{false, true, 0}, 181.0, 0.0, {"Time:181.00[s]", "ACC:---", ReadoutColour::Black}},
        {{false, true, 1},
         1e300,
         0.0,
         {"Time:1.00000000000000E+300[s]", "ACC:---", ReadoutColour::Black}},
        // The free readout is the place under the pointer.
        {{true, true, 0}, 1.0234, 0.5678, {"Time:1.023[s]", "ACC:0.568", ReadoutColour::Black}},
        {{true, false, 1}, 250.0, -5.5625, {"Time:250.000[s]", "ACC:-5.56", ReadoutColour::Black}},
    };
    for (const auto& [mode, time, value, expected] : cases)
        ExpectReadout(ReadCursor(*state, mode, time, value), expected,
                      std::to_string(time) + " " + std::to_string(value));
}
