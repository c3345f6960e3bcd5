#include "tests/engine/EngineHarness.h"

#include <algorithm>
#include <climits>
#include <gtest/gtest.h>

TEST(ProcessFrame, AxisValuesFollowTheDeviceConventions) {
    const struct {
        const char* name;
        std::uint8_t rangeCode;
        bool revX, revY;
        int y, x;
        std::int16_t countX, countY;
        double gx, gy, vectorSum, tilt;
    } cases[] = {
        {"at rest, gravity along Y", 1, false, false, -16384, 0, 0, -16384, 0.0, 1.0, 1.0, 0.0},
        {"half a g on X", 0, false, false, 0, 4096, 4096, 0, 0.5, 0.0, 0.5, -67.5},
        {"X reversed before everything", 0, true, false, 0, 100, -100, 0, -100.0 / 8192, 0.0,
         100.0 / 8192, 45 * (1 + 100.0 / 8192)},
        {"Y keeps its count sign, converts negated", 0, false, false, -1000, 0, 0, -1000, 0.0,
         1000.0 / 8192, 1000.0 / 8192, 45 * (1000.0 / 8192 - 1)},
        {"reversing -32768 leaves -32768", 0, false, true, -32768, 0, 0, -32768, 0.0, -4.0, 4.0,
         45 * (-4.0 - 1)},
        {"X pointing down", 1, false, false, 0, 16384, 16384, 0, 1.0, 0.0, 1.0, -90.0},
        {"X pointing up", 1, false, false, 0, -16384, -16384, 0, -1.0, 0.0, 1.0, 90.0},
    };
    for (const auto& c : cases) {
        EngineHarness engine;
        engine.Controls.DirRevX = c.revX;
        engine.Controls.DirRevY = c.revY;
        engine.Identify(c.rangeCode);
        engine.Sample(c.y, c.x, 0);
        const LiveState& s = engine.State;
        EXPECT_EQ(s.CountX, c.countX) << c.name;
        EXPECT_EQ(s.CountY, c.countY) << c.name;
        EXPECT_EQ(s.CountMinX, std::min<std::int16_t>(c.countX, 0)) << c.name;
        EXPECT_EQ(s.CountMinY, std::min<std::int16_t>(c.countY, 0)) << c.name;
        EXPECT_EQ(s.CountMaxX, std::max<std::int16_t>(c.countX, 0)) << c.name;
        EXPECT_DOUBLE_EQ(s.GX, c.gx) << c.name;
        EXPECT_DOUBLE_EQ(s.GY, c.gy) << c.name;
        EXPECT_DOUBLE_EQ(s.AccXMs2, c.gx * 9.8) << c.name;
        EXPECT_DOUBLE_EQ(s.VectorSum, c.vectorSum) << c.name;
        EXPECT_NEAR(s.TiltAngle, c.tilt, 1e-12) << c.name;
    }
}

TEST(ProcessFrame, OffsetsCorrectEveryAxisButNotTheTilt) {
    EngineHarness engine;
    engine.State.OffsetX = 0.25;
    engine.State.OffsetY = 0.5;
    engine.State.OffsetZ = -0.125;
    engine.Sample(-8192, 4096, 0);
    EXPECT_DOUBLE_EQ(engine.State.GXCor, 0.25);
    EXPECT_DOUBLE_EQ(engine.State.GYCor, 0.5);
    EXPECT_DOUBLE_EQ(engine.State.GZCor, 0.125);
    EXPECT_DOUBLE_EQ(engine.State.AccXMs2, 0.25 * 9.8);
    EXPECT_DOUBLE_EQ(engine.State.TiltAngle, 45 * (1.0 - 0.5 - 1)); // from GY 1, GX 0.5
}

TEST(ProcessFrame, ValueBoxesShowEveryFifthSampleWithTheRangesDecimals) {
    const struct {
        std::uint8_t rangeCode;
        int halfG;
        std::uint8_t decimals;
        const char *g, *ms2, *sumG, *sumMs2;
    } cases[] = {
        {1, 8192, 3, "0.500", "4.90", "0.500", "4.90"},
        {0, 4096, 2, "0.50", "4.9", "0.50", "4.9"},
        {2, 4096, 2, "0.50", "4.9", "0.50", "4.9"},
    };
    for (const auto& c : cases) {
        EngineHarness engine;
        engine.Send(BuildFrame(FrmIdentity, c.rangeCode, 0x55)); // byte 3 means nothing
        EXPECT_TRUE(engine.State.DeviceFound);
        EXPECT_EQ(engine.State.RangeCode, c.rangeCode);
        EXPECT_EQ(engine.State.DisplayDecimals, c.decimals);

        engine.Sample(0, c.halfG, 0, 4);
        EXPECT_TRUE(engine.View.Boxes.empty());
        engine.Sample(0, c.halfG, 0);
        const auto& boxes = engine.View.Boxes;
        EXPECT_EQ(boxes.at(Box::EdAcceloG), c.g);
        EXPECT_EQ(boxes.at(Box::EdAcceloM), c.ms2);
        EXPECT_EQ(boxes.at(Box::EdAccSumG), c.sumG);
        EXPECT_EQ(boxes.at(Box::EdAccSumM), c.sumMs2);
        EXPECT_EQ(boxes.at(Box::EdAngle), "-67.5");
        engine.Sample(0, c.halfG, 0, 5);
        EXPECT_EQ(engine.View.BoxWrites[Box::EdAcceloG], 2);
        EXPECT_EQ(engine.View.BoxWrites.size(), 5u);
    }
}

TEST(ProcessFrame, LabPageShowsMonitorBoxesOnEverySample) {
    EngineHarness engine;
    engine.Controls.ActivePage = Page::TabLab;
    engine.Controls.CalEnX = true;
    engine.Controls.CalEnZ = true;
    engine.Identify(1);
    engine.Sample(-16384, 5, -7);
    engine.Sample(-16384, 0, 0, 6);
    const auto& boxes = engine.View.Boxes;
    EXPECT_EQ(boxes.at(Box::EdAccSum), "1.000");
    EXPECT_EQ(boxes.at(Box::EdAccSumDelta), "0.000");
    EXPECT_EQ(boxes.at(Box::EdAngleMon), "0.00");
    EXPECT_EQ(boxes.at(Box::EdDataX), "0");
    EXPECT_EQ(boxes.at(Box::EdPeakPX), "5");
    EXPECT_EQ(boxes.at(Box::EdPeakMZ), "-7");
    EXPECT_FALSE(boxes.contains(Box::EdDataY));
    EXPECT_FALSE(boxes.contains(Box::EdAcceloG));
    EXPECT_EQ(engine.View.BoxWrites[Box::EdAccSum], 7);
    EXPECT_EQ(engine.State.DisplayDivider, 0);
}

TEST(ProcessFrame, RunEndsWhenTheFirstSeriesFillsTheTimeWindow) {
    const struct {
        int window, samples, points;
        bool ended;
    } cases[] = {{10, 600, 499, true}, {1, 60, 49, true}, {INT_MAX, 100, 100, false}};
    for (const auto& c : cases) {
        EngineHarness engine;
        engine.State.Logging = true;
        engine.State.VelocityRun = true;
        engine.Controls.TimeWindow = c.window;
        engine.Sample(0, 4096, 0, c.samples);
        const auto& view = engine.View;
        EXPECT_EQ(view.PointCount(Chart1, 0), c.points) << c.window;
        EXPECT_EQ(engine.State.LogCount, static_cast<std::uint32_t>(c.points)) << c.window;
        EXPECT_NEAR(engine.State.ChartTime, c.points * 0.02, 1e-9) << c.window;
        EXPECT_EQ(engine.State.Logging, !c.ended) << c.window;
        EXPECT_EQ(engine.State.VelocityRun, !c.ended) << c.window;
        EXPECT_EQ(view.RunsEnded, c.ended ? 1 : 0) << c.window;
        if (c.ended) {
            EXPECT_EQ(view.Messages, std::vector<std::string>{"[Stop Data Log.............]"});
            EXPECT_EQ(view.Boxes.at(Box::EdSpd), "0.0");
        }
    }
}

TEST(ProcessFrame, AnglePageRunOutlastsTheWindowAndTheRecording) {
    EngineHarness engine;
    engine.Controls.ActivePage = Page::TabAngle;
    engine.State.Logging = true;
    engine.Sample(0, -4096, 0, LogCapacity + 50);
    EXPECT_TRUE(engine.State.Logging);
    EXPECT_EQ(engine.State.LogCount, LogCapacity);
    EXPECT_DOUBLE_EQ(engine.State.LogX[LogCapacity - 1], -0.5);
    EXPECT_EQ(engine.View.PointCount(Chart3, 0), static_cast<int>(LogCapacity + 50));
    EXPECT_TRUE(engine.View.Messages.empty());
}

TEST(ProcessFrame, EachPageChartsItsOwnSeries) {
    using Series = std::map<RecordingView::SeriesKey, double>;
    // GX 0.5 and GZ 0.25 before offsets, GXCor 0.25 and GZCor 0.125 after; GY 0.5.
    const double f = 9.8;
    const struct {
        const char* name;
        Page page;
        bool threeAxis, velocityRun;
        PendulumAxis pendulumAxis;
        Series expected;
    } cases[] = {
        {"three axes",
         Page::TabAccelo,
         true,
         false,
         PendulumAxis::Y,
         {{{Chart1, 0}, 0.25 * f}, {{Chart1, 1}, 0.5 * f}, {{Chart1, 2}, 0.125 * f}}},
        {"X and force",
         Page::TabAccelo,
         false,
         false,
         PendulumAxis::Y,
         {{{Chart1, 0}, 0.25 * f}, {{Chart1, 3}, 0.25 * f * 2}}},
        {"tilt", Page::TabAngle, false, false, PendulumAxis::Y, {{{Chart3, 0}, -45.0}}},
        {"pendulum on Z, uncorrected",
         Page::TabPendulum,
         false,
         false,
         PendulumAxis::Z,
         {{{Chart1, 0}, 0.25 * f}}},
        {"pendulum on X, uncorrected",
         Page::TabPendulum,
         false,
         false,
         PendulumAxis::X,
         {{{Chart1, 0}, 0.5 * f}}},
        {"speed",
         Page::TabSpeed,
         false,
         true,
         PendulumAxis::Y,
         {{{Chart1, 0}, 0.25 * f}, {{Chart2, 0}, 0.25 * f * 0.02}}},
        {"speed without integration", Page::TabSpeed, false, false, PendulumAxis::Y, {}},
        {"options page", Page::TabLab, false, false, PendulumAxis::Y, {}},
    };
    for (const auto& c : cases) {
        EngineHarness engine;
        engine.Controls.UnitIndex = 1;
        engine.Controls.ActivePage = c.page;
        engine.Controls.ThreeAxis = c.threeAxis;
        engine.Controls.PendAxis = c.pendulumAxis;
        engine.State.Logging = true;
        engine.State.VelocityRun = c.velocityRun;
        engine.State.Mass = 2.0;
        engine.State.OffsetX = 0.25;
        engine.State.OffsetZ = 0.125;
        engine.Sample(-4096, 4096, 2048);
        Series plotted;
        for (const auto& [key, points] : engine.View.Points) {
            ASSERT_EQ(points.size(), 1u) << c.name;
            EXPECT_EQ(points[0].X, 0.0) << c.name;
            plotted[key] = points[0].Y;
        }
        ASSERT_EQ(plotted.size(), c.expected.size()) << c.name;
        for (const auto& [key, y] : c.expected)
            EXPECT_DOUBLE_EQ(plotted[key], y) << c.name;
        EXPECT_EQ(engine.State.LogCount, 1u) << c.name;
    }
}

TEST(ProcessFrame, ReadBackFramesAreShownAndUnknownTypesIgnored) {
    EngineHarness engine;
    const std::pair<std::uint8_t, Box> readBack[] = {
        {FrmOffsetY, Box::EdRcvdOstY},  {FrmOffsetX, Box::EdRcvdOstX},
        {FrmOffsetZ, Box::EdRcvdOstZ},  {FrmScaleY, Box::EdRcvdScaleY},
        {FrmScaleX, Box::EdRcvdScaleX}, {FrmScaleZ, Box::EdRcvdScaleZ},
    };
    for (const auto& [type, box] : readBack) {
        engine.Send(type, -123 - type);
        EXPECT_EQ(engine.View.Boxes.at(box), std::to_string(-123 - type));
    }

    engine.Sample(-100, 200, 300);
    EXPECT_TRUE(engine.View.ThreeAxisBoxShown);
    const std::size_t boxesShown = engine.View.BoxWrites.size();
    for (std::uint8_t type : {0x13, 0x14, 0x15, 0x00, 0x01, 0x1C, 0x7F, 0x81, 0xFF})
        engine.Send(type, 1234);
    EXPECT_EQ(engine.State.CountX, 200);
    EXPECT_EQ(engine.State.CountY, -100);
    EXPECT_EQ(engine.State.CountZ, 300);
    EXPECT_EQ(engine.State.DisplayDivider, 1);
    EXPECT_FALSE(engine.State.DeviceFound);
    EXPECT_EQ(engine.View.BoxWrites.size(), boxesShown);
}

TEST(ProcessFrame, OnlyTheYFrameRevealsTheThreeAxisBox) {
    EngineHarness engine;
    engine.Send(FrmAxisX, 1);
    engine.Send(FrmAxisZ, 1);
    EXPECT_FALSE(engine.View.ThreeAxisBoxShown);
    engine.Send(FrmAxisY, 1);
    EXPECT_TRUE(engine.View.ThreeAxisBoxShown);
}
