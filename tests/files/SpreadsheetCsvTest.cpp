#include "files/SpreadsheetCsv.h"

#include "TempFolder.h"
#include "analysis/ExportTable.h"

class SpreadsheetCsv : public TempFolder {};

// The velocity page's columns are checked against the charts end to end (AnalysisToolsTests).
TEST_F(SpreadsheetCsv, ThreeAxesGainTheirVectorSumAndNotANumberIsAnEmptyCell) {
    const std::vector<double> times{0, 0.02, 0.04};
    const std::vector<ShownCurve> threeAxes{{Chart::Acceleration, SeriesX, "X", times, {3, 0.1}},
                                            {Chart::Acceleration, SeriesY, "Y", times, {4, 0.2}},
                                            {Chart::Acceleration, SeriesZ, "Z", times, {12, NAN}},
                                            {Chart::Acceleration, SeriesForce, "F", times, {}}};
    const auto columns = ExportColumns(threeAxes, false);
    ASSERT_EQ(columns.size(), 5u);
    EXPECT_EQ(columns[4].Title, "벡터합 [g]");
    EXPECT_DOUBLE_EQ(columns[4].Values[0], 13);
    ASSERT_TRUE(WriteSpreadsheetCsv(PathOf("3.csv"), columns));
    EXPECT_NE(ReadBytes(PathOf("3.csv")).find("\r\n0.020,0.100000,0.200000,,\r\n"),
              std::string::npos); // not a number: an empty cell
    EXPECT_TRUE(ExportColumns({{Chart::Acceleration, SeriesX, "X", times, {}}}, true).empty());
}

TEST_F(SpreadsheetCsv, ShortColumnsLeaveEmptyCellsAndTitlesAreQuotedWhenNeeded) {
    ASSERT_TRUE(WriteSpreadsheetCsv(PathOf("t.csv"), {{"a, \"b\"", {1, 2}, 1}, {"c", {3}, 0}}));
    EXPECT_EQ(ReadBytes(PathOf("t.csv")), "\xEF\xBB\xBF\"a, \"\"b\"\"\",c\r\n1.0,3\r\n2.0,\r\n");
    EXPECT_FALSE(WriteSpreadsheetCsv(PathOf("missing/t.csv"), {{"a", {1}, 0}}));
}
