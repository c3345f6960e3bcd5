#include "engine/ZeroOffset.h"

#include "tests/engine/EngineHarness.h"

#include <cmath>
#include <gtest/gtest.h>

TEST(ZeroOffset, CaptureBeforeAnySampleZeroesEverything) {
    EngineHarness engine;
    engine.State.OffsetX = engine.State.OffsetY = engine.State.OffsetZ = 0.3;
    const CapturedOffsets texts = CaptureOffsets(engine.State);
    EXPECT_EQ(texts.TextX, "0.000");
    EXPECT_EQ(texts.TextY, "0.000");
    EXPECT_EQ(texts.TextZ, "0.000");
    EXPECT_EQ(engine.State.OffsetX, 0.0);
    EXPECT_EQ(engine.State.OffsetY, 0.0);
    EXPECT_EQ(engine.State.OffsetZ, 0.0);
}

TEST(ZeroOffset, CaptureZeroesYAndZExactlyAndXToItsBoxText) {
    const struct {
        int y, x, z;
        const char *textX, *textY, *textZ;
    } cases[] = {
        {-8000, 1234, 300, "0.151", "0.977", "0.037"}, // GX 0.15063, GY 0.97656, GZ 0.03662
        {100, -1, -9000, "0.000", "-0.012", "-1.099"}, // no "-0.000" for a tiny negative X
        {0, -4100, 0, "-0.500", "0.000", "0.000"},     // GX -0.50049
    };
    for (const auto& c : cases) {
        EngineHarness engine;
        engine.Sample(c.y, c.x, c.z);
        const CapturedOffsets texts = CaptureOffsets(engine.State);
        EXPECT_EQ(texts.TextX, c.textX);
        EXPECT_EQ(texts.TextY, c.textY);
        EXPECT_EQ(texts.TextZ, c.textZ);

        engine.Sample(c.y, c.x, c.z);
        EXPECT_EQ(engine.State.GYCor, 0.0) << c.textX;
        EXPECT_EQ(engine.State.GZCor, 0.0) << c.textX;
        EXPECT_LE(std::fabs(engine.State.GXCor), 0.0005) << c.textX;
        EXPECT_EQ(engine.State.OffsetX, std::stod(c.textX));
    }
}
