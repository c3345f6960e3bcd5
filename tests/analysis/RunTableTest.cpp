#include "analysis/RunTable.h"

#include "tests/engine/SimulatedRun.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> Titles(const std::vector<TableColumn>& columns) {
    std::vector<std::string> titles;
    for (const TableColumn& column : columns)
        titles.push_back(KoreanText(column.Title));
    return titles;
}

} // namespace

// Each page's own column holds, sample by sample and at the same times, what the live run drew
// on the page's chart: the observed axis as plotted, the tilt, the velocity with the distance
// the distance box added up. The vector sum belongs to the acceleration page alone.
TEST(RunTable, PageColumnsHoldWhatTheLiveRunDrew) {
    const struct {
        Page RunPage;
        MotionKind Motion;
        Chart Drawn;
        std::string Title;
    } pages[] = {
        {Page::TabPendulum, MotionKind::Pendulum, Chart::Acceleration, "Y축 가속도 [m/s²]"},
        {Page::TabAngle, MotionKind::Tilt, Chart::Tilt, "기울기 [°]"},
        {Page::TabSpeed, MotionKind::Push, Chart::Velocity, "속도 [m/s]"}};
    for (const auto& page : pages) {
        SimulatorOptions options;
        options.Motion.Kind = page.Motion;
        options.Noise = 0.005;
        SimulatedRun run(options, 2, page.RunPage);
        run.Stream(30);
        run.Start();
        run.Stream(200);
        const auto columns = RunTableColumns(run.State.Recorded, page.RunPage, 1, 0.5);
        const auto titles = Titles(columns);
        const std::vector<std::string> axes{"시간 [s]", "X 가속도 [m/s²]", "Y 가속도 [m/s²]",
                                            "Z 가속도 [m/s²]", page.Title};
        ASSERT_EQ(std::vector(titles.begin(), titles.begin() + 5), axes) << page.Title;
        EXPECT_EQ(titles.size(), page.RunPage == Page::TabSpeed ? 6u : 5u) << page.Title;
        const auto& drawn = run.View.Points.at({page.Drawn, 0});
        ASSERT_EQ(columns[4].Values.size(), drawn.size());
        for (std::size_t i = 0; i < drawn.size(); ++i) {
            EXPECT_EQ(columns[0].Values[i], drawn[i].X);
            EXPECT_NEAR(columns[4].Values[i], drawn[i].Y, 1e-9) << page.Title << " " << i;
        }
        if (page.RunPage == Page::TabSpeed) {
            EXPECT_NEAR(columns[5].Values.back(), run.State.Distance, 1e-9);
        }
    }
}

// A log of X alone: the table has no columns of the axes it lacks, nor their vector sum; the
// force is the mass times the X value, in kgf where the unit is g.
TEST(RunTable, ALogOfXAloneHasNoOtherAxes) {
    auto log = std::make_unique<Recording>();
    log->Loaded = true;
    log->HasAxis[1] = log->HasAxis[2] = false;
    log->LogCount = 3;
    for (std::uint32_t i = 0; i < 3; ++i)
        log->LogX[i] = 0.1 * (i + 1);
    const auto force = RunTableColumns(*log, Page::TabAccelo, 0, 2.0);
    EXPECT_EQ(Titles(force), (std::vector<std::string>{"시간 [s]", "X 가속도 [g]", "힘 [kgf]"}));
    EXPECT_DOUBLE_EQ(force[2].Values[2], 0.6);
    EXPECT_EQ(
        Titles(RunTableColumns(*log, Page::TabSpeed, 1, 2.0)),
        (std::vector<std::string>{"시간 [s]", "X 가속도 [m/s²]", "속도 [m/s]", "이동 거리 [m]"}));
    log->LogCount = 0;
    EXPECT_TRUE(RunTableColumns(*log, Page::TabAccelo, 0, 2.0).empty());
}
