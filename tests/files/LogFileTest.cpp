#include "files/LogFile.h"

#include "TempFolder.h"

#include <map>
#include <memory>
#include <utility>
#include <vector>

namespace {

class ChartRecorder : public MeasurementView {
public:
    void AppendPoint(int chart, int series, double x, double y) override {
        Points[{chart, series}].push_back({x, y});
    }
    void ClearSeries(int chart, int series) override {
        Points[{chart, series}].clear();
        Cleared.push_back({chart, series});
    }
    int PointCount(int chart, int series) const override {
        const auto found = Points.find({chart, series});
        return found == Points.end() ? 0 : static_cast<int>(found->second.size());
    }
    void ShowBox(Box, const std::string&) override {}
    void ShowThreeAxisBox() override {}
    void RunEnded() override {}
    void AppendMessage(const std::string& line) override { Messages.push_back(line); }

    std::vector<std::pair<double, double>>& Series(int chart, int series) {
        return Points[{chart, series}];
    }

    std::map<std::pair<int, int>, std::vector<std::pair<double, double>>> Points;
    std::vector<std::pair<int, int>> Cleared;
    std::vector<std::string> Messages;
};

using Messages = std::vector<std::string>;

} // namespace

TEST(LogFileName, CountsTheYearFrom2000AndTakesTheNameAfterTheLastSeparator) {
    std::tm time{};
    time.tm_year = 124, time.tm_mon = 2, time.tm_mday = 5;
    time.tm_hour = 7, time.tm_min = 8, time.tm_sec = 9;
    EXPECT_EQ(MakeLogFileName(time), "240305_070809.csv");
    time.tm_year = 200, time.tm_mon = 11, time.tm_mday = 31, time.tm_hour = 23;
    EXPECT_EQ(MakeLogFileName(time), "1001231_230809.csv");
    EXPECT_EQ(WithCsvExtension("run1"), "run1.csv");
    EXPECT_EQ(WithCsvExtension("/lab/run1.txt"), "/lab/run1.txt");
    EXPECT_EQ(WithCsvExtension("C:\\a.b\\run1"), "C:\\a.b\\run1.csv");
    EXPECT_EQ(FileNameOf("C:\\a.b\\run1.csv"), "run1.csv");
    EXPECT_EQ(WithoutExtension("run.1.csv"), "run.1");
    EXPECT_EQ(WithoutExtension("run1"), "run1");
}

class LogFile : public TempFolder {
protected:
    std::unique_ptr<LiveState> State = std::make_unique<LiveState>();
    ChartRecorder View;
};

TEST_F(LogFile, SavesGAndMs2FilesByteForByte) {
    const double x[] = {0.012, 0.0625, -0.0049}, y[] = {-0.004, 1.0, 0.5}, z[] = {0.998, 0, -2};
    for (int i = 0; i < 3; ++i)
        State->LogX[i] = x[i], State->LogY[i] = y[i], State->LogZ[i] = z[i];
    const std::string threeAxis = PathOf("three.csv");
    WriteBytes(threeAxis, "an earlier, longer file that must be replaced completely");
    ASSERT_TRUE(SaveLogFile(threeAxis, *State, 3, true, 0, View));
    EXPECT_EQ(ReadBytes(threeAxis), ";" + threeAxis +
                                        "\r\nTime[20ms],X[G] ,Y[G],Z[G]\r\n"
                                        "0,0.012,-0.004,0.998\r\n"
                                        "1,0.063,1.000,0.000\r\n" // halves round away from zero
                                        "2,-0.005,0.500,-2.000\r\n");

    const std::string xOnly = PathOf("x.csv");
    ASSERT_TRUE(SaveLogFile(xOnly, *State, 3, false, 1, View));
    EXPECT_EQ(ReadBytes(xOnly),
              ";" + xOnly + "\r\nTime[20ms],X[m/s\xA9\xF7]\r\n0,0.12\r\n1,0.61\r\n2,-0.05\r\n");

    ASSERT_TRUE(SaveLogFile(threeAxis, *State, 0, true, 1, View));
    EXPECT_EQ(ReadBytes(threeAxis),
              ";" + threeAxis + "\r\nTime[20ms],X[m/s\xA9\xF7] ,Y[m/s\xA9\xF7],Z[m/s\xA9\xF7]\r\n");

    const std::string nowhere = PathOf("no-folder/run.csv");
    EXPECT_FALSE(SaveLogFile(nowhere, *State, 3, false, 0, View));
    EXPECT_EQ(View.Messages,
              (Messages{"3(X,Y,Z) Axis Log File Saved : ", "X Axis Log File Saved : ",
                        "3(X,Y,Z) Axis Log File Saved : ", "Cannot make log-file : "}));
}

TEST_F(LogFile, LoadsGAndMs2RowsConvertingForStoreAndChart) {
    const std::string path = PathOf("mixed.csv");
    WriteBytes(path, ";C:\\Lab\\mixed.csv\r\n"
                     "1,0.5,0.25,-1\n" // before any header: g
                     "Time[20ms],X[G] ,Y[G],Z[G]\r\n"
                     "2,1.000,-0.500,0.250\r\n"
                     "-3,9,9,9\n \n" // not a data row
                     "Time[20ms],X[m/s\xA9\xF7]\n"
                     "3,9.8\n"
                     "4,19.6");
    State->LogCount = 7;
    State->LogY[5] = 3.0;
    ASSERT_FALSE(LoadLogFile(path, *State, 1, View));
    EXPECT_EQ(State->LogCount, 4u);
    const double expectX[] = {0.5, 1.0, 1.0, 2.0}, expectY[] = {0.25, -0.5, 0, 0};
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(State->LogX[i], expectX[i], 1e-12) << i;
        EXPECT_NEAR(State->LogY[i], expectY[i], 1e-12) << i;
        EXPECT_NEAR(View.Series(Chart1, 0)[i].first, 0.02 * i, 1e-9);
        EXPECT_NEAR(View.Series(Chart1, 0)[i].second, expectX[i] * 9.8, 1e-9);
    }
    EXPECT_EQ(State->LogY[5], 0.0);
    EXPECT_EQ(View.PointCount(Chart1, 1), 2);
    EXPECT_EQ(View.PointCount(Chart1, 2), 2);
    EXPECT_EQ(View.Series(Chart1, 2)[0].second, -9.8);
    EXPECT_EQ(View.Cleared,
              (std::vector<std::pair<int, int>>{
                  {Chart1, 0}, {Chart1, 1}, {Chart1, 2}, {Chart1, 3}, {Chart2, 0}, {Chart3, 0}}));

    // Charted in g, an m/s² file shows what it stores.
    View.Points.clear();
    WriteBytes(path, "Time[20ms],X[m/s\xA9\xF7]\r\n0,4.90\r\n");
    ASSERT_FALSE(LoadLogFile(path, *State, 0, View));
    EXPECT_NEAR(State->LogX[0], 0.5, 1e-12);
    EXPECT_NEAR(View.Series(Chart1, 0)[0].second, 0.5, 1e-12);
    EXPECT_EQ(State->LogCount, 1u);
}

TEST_F(LogFile, EndsTheLoadAtAnEmptyIndexOrXAndAtABadNumber) {
    const struct {
        const char* rows;
        std::uint32_t count;
        std::optional<std::string> badText;
        bool integer;
    } cases[] = {
        {"0,1\n1,2,3\n2\n3,4\n", 2, {}, false},         {"0,1\n1,,3\n2,4\n", 1, {}, false},
        {"0,1\n1.5,2\n2,3\n", 1, "1.5", true},          {"0,1\n1,abc\n2,3\n", 1, "abc", false},
        {"0,1\n1,2,x\xC1\xDF\n2,3\n", 2, "x중", false}, // X of the bad row stays
    };
    const std::string path = PathOf("rows.csv");
    for (const auto& c : cases) {
        WriteBytes(path, std::string("Time[20ms],X[G]\n") + c.rows);
        const auto error = LoadLogFile(path, *State, 0, View);
        EXPECT_EQ(State->LogCount, c.count) << c.rows;
        EXPECT_EQ(error.has_value(), c.badText.has_value()) << c.rows;
        if (!error || !c.badText) continue;
        EXPECT_EQ(error->Text, *c.badText);
        EXPECT_EQ(error->Integer, c.integer);
        EXPECT_EQ(View.PointCount(Chart1, 0), static_cast<int>(c.count));
    }
}

TEST_F(LogFile, StoresAtMostTheCapacityAndReportsTheRest) {
    std::string rows = "Time[20ms],X[G] ,Y[G],Z[G]\n";
    for (std::uint32_t i = 0; i < LogCapacity + 120; ++i)
        rows += std::to_string(i) + ",1,2,3\n";
    const std::string path = PathOf("long.csv");
    WriteBytes(path, rows);
    ASSERT_FALSE(LoadLogFile(path, *State, 0, View));
    EXPECT_EQ(State->LogCount, LogCapacity);
    EXPECT_EQ(View.PointCount(Chart1, 2), static_cast<int>(LogCapacity));
    EXPECT_EQ(View.Messages, Messages{"Log rows beyond 9050 not loaded: 120"});
}

TEST_F(LogFile, SaveAfterLoadWritesTheLoadedRows) {
    const std::string path = PathOf("round.csv");
    const std::string body =
        "\r\nTime[20ms],X[G] ,Y[G],Z[G]\r\n0,0.012,-0.004,0.998\r\n1,-1.500,0.000,2.250\r\n";
    WriteBytes(path, ";elsewhere" + body);
    State->LogCount = 5000;
    ASSERT_FALSE(LoadLogFile(path, *State, 1, View));
    ASSERT_TRUE(SaveLogFile(path, *State, State->LogCount, true, 0, View));
    EXPECT_EQ(ReadBytes(path), ";" + path + body);
}

TEST_F(LogFile, MissingFileIsReportedAndLeavesTheChartsAlone) {
    View.AppendPoint(Chart1, 0, 0.0, 1.0);
    State->LogCount = 10;
    const std::string path = PathOf("missing.csv");
    ASSERT_FALSE(LoadLogFile(path, *State, 0, View));
    EXPECT_EQ(View.Messages, Messages{"Cannot Load LogFIle : " + path});
    EXPECT_EQ(View.PointCount(Chart1, 0), 1);
    EXPECT_TRUE(View.Cleared.empty());
    EXPECT_EQ(State->LogCount, 0u);
}
