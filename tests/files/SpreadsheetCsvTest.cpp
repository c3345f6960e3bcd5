#include "files/SpreadsheetCsv.h"

#include "TempFolder.h"
#include "analysis/ExportTable.h"

class SpreadsheetCsv : public TempFolder {};

TEST_F(SpreadsheetCsv, PagesGiveTheirCurvesAndDerivedColumnsWithBomAndUnits) {
    const ShownRun speed{.ShownPage = Page::TabSpeed,
                         .Time = {0, 0.02, 0.04},
                         .X = {1.5, -2.25, 0},
                         .Velocity = {1, 2, 0.5}};
    ASSERT_TRUE(WriteSpreadsheetCsv(PathOf("speed.csv"), ExportColumns(speed)));
    EXPECT_EQ(ReadBytes(PathOf("speed.csv")),
              "\xEF\xBB\xBF시간 [s],X 가속도 [m/s²],속도 [m/s],이동 거리 [m]\r\n"
              "0.000,1.500000,1.000000,0.010000\r\n"
              "0.020,-2.250000,2.000000,0.040000\r\n"
              "0.040,0.000000,0.500000,0.065000\r\n");

    const ShownRun threeAxes{
        .InMs2 = false, .Time = {0, 0.02}, .X = {3, 0.1}, .Y = {4, 0.2}, .Z = {12, NAN}};
    const auto columns = ExportColumns(threeAxes);
    ASSERT_EQ(columns.size(), 5u);
    EXPECT_EQ(columns[4].Title, "벡터합 [g]");
    EXPECT_DOUBLE_EQ(columns[4].Values[0], 13);
    ASSERT_TRUE(WriteSpreadsheetCsv(PathOf("3.csv"), columns));
    EXPECT_NE(ReadBytes(PathOf("3.csv")).find("\r\n0.020,0.100000,0.200000,,\r\n"),
              std::string::npos); // not a number: an empty cell

    const ShownRun xOnly{.Time = {0}, .X = {1}, .Force = {9.8}};
    std::vector<std::string> titles;
    for (const auto& column : ExportColumns(xOnly))
        titles.push_back(column.Title);
    EXPECT_EQ(titles, (std::vector<std::string>{"시간 [s]", "X 가속도 [m/s²]", "힘 [N]"}));
    EXPECT_EQ(ExportColumns({.ShownPage = Page::TabAngle, .Time = {0}, .Angle = {45}})[1].Title,
              "기울기 [°]");
}

TEST_F(SpreadsheetCsv, ShortColumnsLeaveEmptyCellsAndTitlesAreQuotedWhenNeeded) {
    ASSERT_TRUE(WriteSpreadsheetCsv(PathOf("t.csv"), {{"a, \"b\"", {1, 2}, 1}, {"c", {3}, 0}}));
    EXPECT_EQ(ReadBytes(PathOf("t.csv")), "\xEF\xBB\xBF\"a, \"\"b\"\"\",c\r\n1.0,3\r\n2.0,\r\n");
    EXPECT_FALSE(WriteSpreadsheetCsv(PathOf("missing/t.csv"), {{"a", {1}, 0}}));
}
