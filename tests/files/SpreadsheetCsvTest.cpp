#include "files/SpreadsheetCsv.h"

#include "TempFolder.h"
#include "analysis/ExportTable.h"

class SpreadsheetCsv : public TempFolder {};

TEST_F(SpreadsheetCsv, PagesGiveTheirCurvesAndDerivedColumnsWithBomAndUnits) {
    const std::vector<double> times{0, 0.02, 0.04};
    const std::vector<ShownCurve> speed{{Chart1, 0, "X 가속도 [m/s²]", times, {1.5, -2.25, 0}},
                                        {Chart2, 0, "속도 [m/s]", times, {1, 2, 0.5}}};
    ASSERT_TRUE(WriteSpreadsheetCsv(PathOf("speed.csv"), ExportColumns(speed, true)));
    EXPECT_EQ(ReadBytes(PathOf("speed.csv")),
              "\xEF\xBB\xBF시간 [s],X 가속도 [m/s²],속도 [m/s],이동 거리 [m]\r\n"
              "0.000,1.500000,1.000000,0.010000\r\n"
              "0.020,-2.250000,2.000000,0.040000\r\n"
              "0.040,0.000000,0.500000,0.065000\r\n");

    const std::vector<ShownCurve> threeAxes{{Chart1, 0, "X", times, {3, 0.1}},
                                            {Chart1, 1, "Y", times, {4, 0.2}},
                                            {Chart1, 2, "Z", times, {12, NAN}},
                                            {Chart1, 3, "F", times, {}}};
    const auto columns = ExportColumns(threeAxes, false);
    ASSERT_EQ(columns.size(), 5u);
    EXPECT_EQ(columns[4].Title, "벡터합 [g]");
    EXPECT_DOUBLE_EQ(columns[4].Values[0], 13);
    ASSERT_TRUE(WriteSpreadsheetCsv(PathOf("3.csv"), columns));
    EXPECT_NE(ReadBytes(PathOf("3.csv")).find("\r\n0.020,0.100000,0.200000,,\r\n"),
              std::string::npos); // not a number: an empty cell
    EXPECT_TRUE(ExportColumns({{Chart1, 0, "X", times, {}}}, true).empty());
}

TEST_F(SpreadsheetCsv, ShortColumnsLeaveEmptyCellsAndTitlesAreQuotedWhenNeeded) {
    ASSERT_TRUE(WriteSpreadsheetCsv(PathOf("t.csv"), {{"a, \"b\"", {1, 2}, 1}, {"c", {3}, 0}}));
    EXPECT_EQ(ReadBytes(PathOf("t.csv")), "\xEF\xBB\xBF\"a, \"\"b\"\"\",c\r\n1.0,3\r\n2.0,\r\n");
    EXPECT_FALSE(WriteSpreadsheetCsv(PathOf("missing/t.csv"), {{"a", {1}, 0}}));
}
