#include "engine/NumberText.h"
#include "engine/ZeroOffset.h"
#include "tests/engine/EngineHarness.h"

#include <cmath>
#include <gtest/gtest.h>

TEST(ProcessFrame, AxisValuesFollowTheDeviceConventions) {
    // X reversed before everything, peaks included; Y keeps its count's sign but converts it
    // negated; reversing -32768 leaves -32768. g shows 3 decimals in the fine range 1 only.
    const struct {
        int rangeCode;
        bool revX, revY;
        int y, x, countX, countY;
        double gx, gy;
        const char* boxes;
    } cases[] = {
        {1, false, false, 0, 8192, 8192, 0, 0.5, 0.0, "0.500 -67.5"},
        {0, true, false, -1000, 100, -100, -1000, -100.0 / 8192, 1000.0 / 8192, "-0.01 40.1"},
        {2, false, true, -32768, 0, 0, -32768, 0.0, -4.0, "0.00 -225.0"}};
    for (const auto& c : cases) {
        EngineHarness engine;
        engine.Controls.DirRevX = c.revX;
        engine.Controls.DirRevY = c.revY;
        engine.Send(FrmIdentity, c.rangeCode);
        engine.Sample(c.y, c.x, 0, 5);
        const LiveState& s = engine.State;
        EXPECT_EQ(std::tuple(s.CountX, s.CountMinX, s.CountMaxX, s.CountY, s.CountMinY, s.GX, s.GY),
                  std::tuple(c.countX, std::min(c.countX, 0), std::max(c.countX, 0), c.countY,
                             std::min(c.countY, 0), c.gx, c.gy));
        const auto& shown = engine.View.Boxes;
        EXPECT_EQ(shown.at(Box::EdAcceloG) + " " + shown.at(Box::EdAngle), c.boxes);
    }
}

TEST(ProcessFrame, LabPageShowsTheMonitorsOfEverySampleAndTheReadBackValues) {
    EngineHarness engine;
    engine.Controls = {.KalmanIndex = 0, .ActivePage = Page::TabLab, .CalEnZ = true};
    for (int type = 0x13; type <= 0x1F; ++type) // read-back types 0x16-0x1B, the rest ignored
        engine.Send(type, -123 - type);
    engine.Sample(0, 0, -5, 4);
    engine.Sample(-8192, 4096, 4096); // GY 1 g, GX and GZ 0.5 g; the live boxes stay as they are
    std::string shown;
    for (const auto& [box, text] : engine.View.Boxes)
        shown += std::string(BoxName(box)) + "=" + text + " ";
    EXPECT_EQ(shown, "EdDataZ=4096 EdPeakMZ=-5 EdPeakPZ=4096 EdAccSum=1.225 EdAccSumDelta=0.225 "
                     "EdAngleMon=-22.50 EdRcvdOstY=-145 EdRcvdOstX=-146 EdRcvdOstZ=-147 "
                     "EdRcvdScaleY=-148 EdRcvdScaleX=-149 EdRcvdScaleZ=-150 ");
}

TEST(ProcessFrame, RunEndsWhenTheFirstSeriesFillsTheTimeWindow) {
    const std::tuple<Page, int, int, int, std::uint32_t> cases[] = {
        {Page::TabAccelo, 10, 600, 499, 499},
        {Page::TabAccelo, INT32_MAX, 100, 100, 100},
        {Page::TabAngle, 10, LogCapacity + 50, 0, LogCapacity}}; // the log fills up first
    for (const auto& [page, window, samples, points, recorded] : cases) {
        EngineHarness engine;
        engine.Controls = {.KalmanIndex = 0, .ActivePage = page, .TimeWindow = window};
        engine.State.Logging = engine.State.VelocityRun = true;
        engine.Sample(0, 4096, 0, samples);
        const bool ended = points > 0 && points < samples;
        EXPECT_EQ(std::tuple(engine.View.PointCount(Chart::Acceleration, SeriesX),
                             engine.State.Recorded.LogCount,
                             engine.State.Logging || engine.State.VelocityRun),
                  std::tuple(points, recorded, !ended));
        EXPECT_NEAR(engine.State.ChartTime, (ended ? points : samples) * 0.02, 1e-9);
        EXPECT_EQ(engine.View.Messages.size(), ended ? 1u : 0u);
    }
}

TEST(ProcessFrame, EachPageChartsItsOwnSeriesWithTheCapturedOffsets) {
    // Zeroed at GX 0.15063, GY 0.97656, GZ 0.03662 g: X as its box shows it, 0.151, Y and Z raw.
    // Then GX, GY 0.5 g, GZ 0.25 g; in m/s², the force for 2 kg; tilt and pendulum uncorrected.
    const std::tuple<Page, bool, const char*> cases[] = {
        {Page::TabAccelo, true, "1.0=3.420 1.1=-4.670 1.2=2.091"},
        {Page::TabAccelo, false, "1.0=3.420 1.3=6.840"},
        {Page::TabAngle, false, "3.0=-45.000"},
        {Page::TabPendulum, false, "1.0=4.900"},
        {Page::TabSpeed, true, "1.0=3.420 2.0=0.068"},
        {Page::TabSpeed, false, ""}};
    for (const auto& [page, on, points] : cases) {
        EngineHarness engine;
        engine.Controls = {
            .KalmanIndex = 0, .ActivePage = page, .ThreeAxis = on, .PendAxis = PendulumAxis::X};
        engine.Sample(-8000, 1234, 300);
        EXPECT_EQ(CaptureOffsets(engine.State).TextY, "0.977");
        engine.State.Logging = true;
        engine.State.VelocityRun = on;
        engine.State.Mass = 2.0;
        engine.Sample(-4096, 4096, 2048);
        std::string plotted;
        for (const auto& [key, series] : engine.View.Points)
            plotted += " " + std::to_string(static_cast<int>(key.first)) + "." +
                       std::to_string(key.second) + "=" + FormatFixed(series.back().Y, 3);
        EXPECT_EQ(plotted.substr(plotted.empty() ? 0 : 1), points) << int(page);
    }
}

TEST(ProcessFrame, VelocityStopCorrectionAndTrapezoidDistance) {
    // Inside ±0.1 m/s² the velocity loses 2 % a sample and snaps to 0 inside ±0.05 m/s.
    const std::tuple<double, double, int, double> cases[] = {
        {1.0, 0.0, 49, 0.98}, {-1.0, 0.0, 49, -0.98}, // no correction
        {0.05, 0.04, 1, 0.0}, {0.11, 0.0, 10, 0.022}, {0.0, 0.3, 88, 0.3 * std::pow(0.98, 88)},
        {0.0, 0.3, 89, 0.0}};
    for (const auto& [acceleration, start, samples, velocity] : cases) {
        EngineHarness engine;
        engine.Controls.ActivePage = Page::TabSpeed;
        engine.State.Logging = engine.State.VelocityRun = true;
        engine.State.VelocityPrev = start;
        engine.State.OffsetX = -acceleration / 9.8; // the offset alone accelerates
        engine.Sample(0, 0, 0, samples);
        EXPECT_NEAR(engine.State.Velocity, velocity, 1e-9) << acceleration << " " << start;
        if (acceleration != 1.0) continue; // the speed box shows sample 46
        EXPECT_EQ(engine.View.Boxes.at(Box::EdDist), "0.48");
        EXPECT_EQ(engine.View.Boxes.at(Box::EdSpd), "0.9");
    }
}

TEST(ProcessFrame, KalmanCountIsTheFilterOutputTruncatedTowardZeroAndSaturated) {
    // {level, bias if not the level's, input, count}: a fresh filter's first output is 1.
    const std::tuple<int, std::optional<double>, int, int> cases[] = {
        {0, {}, 123, 123},     {-1, {}, 10, 1}, // no item selected: filtered with R 0
        {2, {}, 500, -3},      {1, 3.5, 0, -2},      {1, -0.5, 0, 1},
        {1, -40000, 0, 32767}, {1, 40000, 0, -32768}};
    for (const auto& [level, bias, input, count] : cases) {
        EngineHarness engine;
        engine.Controls.KalmanIndex = level;
        ApplyKalmanLevel(engine.State, level);
        if (bias) engine.State.KalmanBias = *bias;
        engine.Send(FrmAxisX, input);
        EXPECT_EQ(engine.State.CountX, count) << level << " " << bias.value_or(0);
    }
}

TEST(ProcessFrame, ForceBoxesShowMassTimesTheXValueWithTheXBoxes) {
    // {page, mass, X count (0.5 g per 8192), samples, kgf, N}: every fifth sample, not on the
    // options page.
    const std::tuple<Page, double, int, int, const char*, const char*> cases[] = {
        {Page::TabAccelo, 2.0, 8192, 5, "1.00", "9.80"},
        {Page::TabSpeed, 0.117, -8192, 10, "-0.06", "-0.57"},
        {Page::TabAccelo, 2.0, 8192, 4, "", ""},
        {Page::TabLab, 2.0, 8192, 5, "", ""}};
    for (const auto& [page, mass, count, samples, kgf, newton] : cases) {
        EngineHarness engine;
        engine.Controls.ActivePage = page;
        engine.State.Mass = mass;
        engine.Send(FrmIdentity, 1);
        engine.Sample(0, count, 0, samples);
        const auto& shown = engine.View.Boxes;
        EXPECT_EQ(shown.contains(Box::EdForrceKgf) ? shown.at(Box::EdForrceKgf) : "", kgf);
        EXPECT_EQ(shown.contains(Box::EdForceN) ? shown.at(Box::EdForceN) : "", newton);
    }
}
