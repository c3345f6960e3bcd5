#include "calibration/FeatureFile.h"

#include "tests/files/TempFolder.h"

#include <csignal>
#ifdef __linux__
#include <sys/resource.h>
#endif

namespace {

FeatureValues Values(const std::string& scaleZ) {
    return {"-1000", "1050", "25", "-1012", "1040", "14",
            "-1030", "1019", "-6", "999",   "998",  scaleZ};
}

using FeatureFile = TempFolder;

} // namespace

// Two saves, the last line counting and serial numbers differing in case are checked end to
// end (CalibrationPageTests).
TEST_F(FeatureFile, SerialNumbersAreReadThroughCp949AndFieldsSplitAsTheyWereTyped) {
    const std::string path = PathOf("AmAjustSn.csv");
    const std::string kept = FeatureLine({2024, 3, 16}, "센서01", Values("7"));
    EXPECT_EQ(AppendFeatureLine(PathFromUtf8(path), kept), std::nullopt);
    EXPECT_EQ(ReadFeatureFile(PathFromUtf8(path), "센서01")->Search.LastValues(), Values("7"));
    EXPECT_EQ(ReadFeatureFile(PathFromUtf8(PathOf("missing")), "SE170001"), std::nullopt);

    // Fields split as NextToken splits them: a blank ends the serial number, a short line
    // leaves the missing values empty, an empty serial number finds nothing.
    for (const auto& [line, serial, found] :
         {std::tuple{"D1,SE 1,-5", "SE 1", 0}, {"D1,SE1\t-5", "SE1", 1}, {"", "", 0}}) {
        FeatureSearch search(serial);
        search.Take(line);
        EXPECT_EQ(search.Found(), found) << line;
        EXPECT_EQ(search.LastValues()[0], found ? "-5" : "") << line;
        EXPECT_EQ(search.LastValues()[1], "") << line;
    }
}

TEST_F(FeatureFile, AFailedAppendLeavesTheEarlierLinesExactlyAsTheyWere) {
    // A hand-edited last line without its line end gets one before the new line.
    const std::string path = PathOf("history");
    WriteBytes(path, "D20240101,OLD,1");
    EXPECT_EQ(AppendFeatureLine(PathFromUtf8(path), "D20240102,NEW"), std::nullopt);
    const std::string before = ReadBytes(path);
    EXPECT_EQ(before, "D20240101,OLD,1\r\nD20240102,NEW\r\n");
    EXPECT_TRUE(
        AppendFeatureLine(PathFromUtf8(PathOf("history/inside")), "D20240102,NEW")); // not a folder
#ifdef __linux__
    // A file size limit a few bytes past the file: the line reaches the disk only in part.
    rlimit limit{}, previous{};
    getrlimit(RLIMIT_FSIZE, &previous);
    limit.rlim_cur = before.size() + 5;
    limit.rlim_max = previous.rlim_max;
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &limit);
    const auto reason =
        AppendFeatureLine(PathFromUtf8(path), FeatureLine({2024, 1, 3}, "SE1", Values("1")));
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, handler);
    EXPECT_EQ(reason, std::generic_category().message(EFBIG));
#endif
    EXPECT_EQ(ReadBytes(path), before);
}
