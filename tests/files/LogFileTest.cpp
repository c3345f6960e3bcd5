#include "files/LogFile.h"

#include "TempFolder.h"
#include "analysis/ExportTable.h"
#include "engine/LiveState.h"
#include "files/Cp949.h"
#include "files/OpenFile.h"
#include "tests/engine/RecordingView.h"

using Messages = std::vector<std::string>;

TEST(LogFileName, CountsTheYearFrom2000AndTakesTheNameAfterTheLastSeparator) {
    std::tm time{};
    time.tm_year = 200, time.tm_mon = 2, time.tm_mday = 5;
    time.tm_hour = 7, time.tm_min = 8, time.tm_sec = 9;
    EXPECT_EQ(MakeLogFileName(time), "1000305_070809.csv");
    EXPECT_EQ(WithCsvExtension("/lab/run1.txt"), "/lab/run1.txt");
    EXPECT_EQ(WithCsvExtension("C:\\a.b\\run1"), "C:\\a.b\\run1.csv");
    EXPECT_EQ(FileNameOf("C:\\a.b\\run1.csv"), "run1.csv");
    EXPECT_EQ(WithoutExtension("run.1.csv"), "run.1");
}

class LogFile : public TempFolder {
protected:
    LiveState State; // gtest makes fixtures on the heap
    RecordingView View;
};

// A name Windows would take for a stream of another file, a device or another name.
TEST(LogFileName, NamesWindowsForbidsAreKnown) {
    for (const char* name :
         {"a:b.csv", "run?.csv", "a*b", "x<y", "x>y", "a|b", "say \"hi\"", "tab\there", "run.",
          "run ", "CON", "con.csv", "Nul.txt", "COM1.csv", "lpt9", "AUX .csv"})
        EXPECT_TRUE(NameWindowsForbids(name)) << name;
    for (const char* name : {"run1.csv", "수업 1반.csv", "CONSOLE.csv", "COM10.csv", "com.csv",
                             "a.b.c", ".hidden", "NULL", "run (2).csv"})
        EXPECT_FALSE(NameWindowsForbids(name)) << name;
}

// There the save says why, writes nothing, and leaves no other file under a similar name.
TEST_F(LogFile, ANameWindowsForbidsIsRefusedThereWithTheReason) {
#ifdef _WIN32
    State.Recorded.LogCount = 1;
    for (const char* name : {"a:b.csv", "CON.csv", "run."}) {
        // Joined as text: as a path, "a:b.csv" would be a drive of its own.
        const std::string path = Utf8FromPath(Folder) + Separator + name;
        EXPECT_FALSE(SaveLogFile(path, State.Recorded, 1, false, 0, View)) << name;
        EXPECT_NE(View.Messages.back().find("Windows does not allow this file name"),
                  std::string::npos)
            << View.Messages.back();
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Folder), {}), 0);
#else
    GTEST_SKIP() << "names other systems allow";
#endif
}

TEST_F(LogFile, LoadConvertsToGAndSaveReplacesTheFileWithTheLoadedRowsByteForByte) {
    const std::string path = PathOf("run.csv"), xOnly = PathOf("x.csv");
    WriteBytes(path, "0,0.0625,-0.004,0.998\n" // before any header: g
                     "Time[20ms],X[G] ,Y[G],Z[G]\n1,-0.0049,0.5,-2\n-3,9\n \n"
                     "Time[20ms],X[m/s\xA9\xF7]\n2,9.8\n" +
                         std::string(300, ';')); // longer than the file that replaces it
    State.Recorded.LogCount = 5000;
    State.Recorded.LogY[2] = 3.0; // a row without Y still saves 0
    ASSERT_FALSE(LoadLogFile(path, State.Recorded, 1, View).NumberError);
    EXPECT_NEAR(View.Points.at(std::pair(Chart::Acceleration, SeriesX))[2].X, 0.04, 1e-9);
    EXPECT_NEAR(View.Points.at(std::pair(Chart::Acceleration, SeriesX))[2].Y, 9.8, 1e-9);
    ASSERT_TRUE(SaveLogFile(path, State.Recorded, State.Recorded.LogCount, true, 0, View));
    EXPECT_EQ(ReadBytes(path), ";" + Cp949FromUtf8(path) +
                                   "\r\nTime[20ms],X[G] ,Y[G],Z[G]\r\n"
                                   "0,0.063,-0.004,0.998\r\n" // halves round away from zero
                                   "1,-0.005,0.500,-2.000\r\n2,1.000,0.000,0.000\r\n");
    ASSERT_TRUE(SaveLogFile(xOnly, State.Recorded, State.Recorded.LogCount, false, 1, View));
    EXPECT_EQ(ReadBytes(xOnly),
              ";" + Cp949FromUtf8(xOnly) +
                  "\r\nTime[20ms],X[m/s\xA9\xF7]\r\n0,0.61\r\n1,-0.05\r\n2,9.80\r\n");
    ASSERT_FALSE(LoadLogFile(xOnly, State.Recorded, 0, View).NumberError); // charted in g
    EXPECT_NEAR(View.Points.at(std::pair(Chart::Acceleration, SeriesX))[2].Y, 1.0, 1e-9);
    std::filesystem::create_directories(Folder / "busy" / "inside"); // cannot be replaced
    EXPECT_FALSE(SaveLogFile(PathOf("busy"), State.Recorded, 3, false, 0, View));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Folder), {}), 3); // no temporary
    EXPECT_EQ(View.Messages,
              (Messages{"3(X,Y,Z) Axis Log File Saved : ", "X Axis Log File Saved : ",
                        "Cannot make log-file : " + PathOf("busy") + " (" +
                            std::generic_category().message(EISDIR) + ")"}));
}

TEST_F(LogFile, LoadEndsAtAnEmptyXOrABadNumberStoresAtMost9050RowsAndNeedsTheFile) {
    std::string longRows;
    for (std::uint32_t i = 0; i < LogCapacity + 120; ++i)
        longRows += std::to_string(i) + ",1,2,3\n";
    const std::tuple<std::string, std::uint32_t, std::optional<std::string>> cases[] = {
        {"0,1\n1,2,3\n2\n3,4\n", 2, {}},
        {"0,1\n1.5,2\n2,3\n", 1, "1.5"},              // the index
        {"0,1\n1,2,x\xC1\xDF\xC1\n2,3\n", 2, "x중?"}, // X of the bad row stays
        {longRows, LogCapacity, {}}};
    for (const auto& [rows, count, badText] : cases) {
        WriteBytes(PathOf("rows.csv"), "Time[20ms],X[G]\n" + rows);
        const auto error = LoadLogFile(PathOf("rows.csv"), State.Recorded, 0, View).NumberError;
        SCOPED_TRACE(rows.substr(0, 30));
        EXPECT_EQ(State.Recorded.LogCount, count);
        EXPECT_EQ(View.PointCount(Chart::Acceleration, SeriesX), static_cast<int>(count));
        EXPECT_EQ(error ? std::optional(error->Text) : std::nullopt, badText);
        EXPECT_EQ(error && error->Integer, badText == "1.5");
    }
    ASSERT_FALSE(LoadLogFile(PathOf("missing.csv"), State.Recorded, 0, View).Stored); // no change
    EXPECT_EQ(State.Recorded.LogCount, LogCapacity);
    EXPECT_EQ(View.PointCount(Chart::Acceleration, SeriesX), static_cast<int>(LogCapacity));
    EXPECT_EQ(View.Messages, (Messages{"Log rows beyond 9050 not loaded: 120",
                                       "Cannot Load LogFIle : " + PathOf("missing.csv")}));
}

TEST_F(LogFile, ReadsDamagedFilesAsMeantAndALoadWithoutRowsChangesNothing) {
    const std::tuple<std::string, std::uint32_t, double> cases[] = {
        {"\xEF\xBB\xBFTime[20ms],X[m/s\xA9\xF7]\r\n0,9.8\r\n", 1, 1.0}, // an editor's BOM
        {";\rTime[20ms],X[m/s\xA9\xF7]\r0,4.9\r1,9.8\r", 2, 1.0},       // CR-only line ends
        {"Time[20ms],X[G\xA2\xE8]\n0,2\n", 1, 2.0},                     // broken CP949
        {";C:\\\xA2\xE8\nTime[20ms],X[G]\n", 1, 2.0},                   // no rows: unchanged
    };
    for (const auto& [file, count, lastX] : cases) {
        WriteBytes(PathOf("run.csv"), file);
        View.Messages.clear();
        LoadLogFile(PathOf("run.csv"), State.Recorded, 0, View);
        SCOPED_TRACE(file);
        EXPECT_EQ(State.Recorded.LogCount, count);
        EXPECT_EQ(View.PointCount(Chart::Acceleration, SeriesX), static_cast<int>(count));
        EXPECT_NEAR(State.Recorded.LogX[count - 1], lastX, 1e-12);
    }
    EXPECT_EQ(View.Messages, Messages{"No data rows in log file : " + PathOf("run.csv")});
}

// The program's own spreadsheet export, as written or saved again by a spreadsheet in the Korean
// code page, is said to be an export and leaves the loaded log as it was.
TEST_F(LogFile, ASpreadsheetExportIsNotLoadedAsALog) {
    WriteBytes(PathOf("run.csv"), "Time[20ms],X[G]\n0,0.5\n1,0.25\n");
    ASSERT_TRUE(LoadLogFile(PathOf("run.csv"), State.Recorded, 0, View).Stored);
    const std::vector<double> times{0, 0.02};
    const ShownCurve x{Chart::Acceleration, SeriesX, "X", times, {0.5, 0.25}};
    ASSERT_TRUE(WriteSpreadsheetCsv(PathOf("run_table.csv"), ExportColumns({x}, false)));
    WriteBytes(PathOf("resaved.csv"), Cp949FromUtf8(ReadBytes(PathOf("run_table.csv")).substr(3)));
    for (const char* name : {"run_table.csv", "resaved.csv"}) {
        View.Messages.clear();
        const LogLoadResult result = LoadLogFile(PathOf(name), State.Recorded, 0, View);
        EXPECT_FALSE(result.Stored || result.NumberError) << name;
        EXPECT_EQ(State.Recorded.LogCount, 2u);
        EXPECT_EQ(View.PointCount(Chart::Acceleration, SeriesX), 2);
        EXPECT_EQ(View.Messages,
                  Messages{KoreanText({MessageId::SpreadsheetNotALog, {PathOf(name)}})});
    }
}

TEST_F(LogFile, SavesOnlyRowsLoadReadsBack) {
    const std::string path = PathOf("big.csv");
    const double values[] = {1e308, -2e5, 0.5};
    std::copy(std::begin(values), std::end(values), State.Recorded.LogX);
    ASSERT_TRUE(SaveLogFile(path, State.Recorded, 3, false, 1, View));
    EXPECT_TRUE(ReadBytes(path).ends_with("0,999999.99\r\n1,-999999.99\r\n2,4.90\r\n"));
    ASSERT_FALSE(LoadLogFile(path, State.Recorded, 1, View).NumberError);
    EXPECT_EQ(State.Recorded.LogCount, 3u);
    EXPECT_NEAR(State.Recorded.LogX[1], -999999.99 / 9.8, 1e-6);
    State.Recorded.LogY[1] = std::nan("");
    EXPECT_FALSE(SaveLogFile(PathOf("nan.csv"), State.Recorded, 3, true, 0, View));
    EXPECT_FALSE(std::filesystem::exists(PathFromUtf8(PathOf("nan.csv"))));
    EXPECT_EQ(
        View.Messages,
        (Messages{"X Axis Log File Saved : ", "2 values beyond ±999999.99 m/s² saved as that limit",
                  "Cannot make log-file : " + PathOf("nan.csv") + " (sample 1 is not a number)"}));
}
