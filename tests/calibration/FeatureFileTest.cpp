#include "calibration/FeatureFile.h"

#include "files/Cp949.h"
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

TEST_F(FeatureFile, SavedLinesAreAppendedAndTheLastOfASerialNumberIsFound) {
    const std::string path = PathOf("AmAjustSn.csv");
    const std::string first = FeatureLine({2024, 3, 15}, "SE170001", Values("1000"));
    EXPECT_EQ(first, "D20240315,SE170001,-1000,1050,25,-1012,1040,14,-1030,1019,-6,999,998,1000");
    const std::string lines[] = {first, FeatureLine({2024, 3, 16}, "센서01", Values("7")),
                                 FeatureLine({2024, 3, 17}, "se170001", Values("5")),
                                 FeatureLine({2024, 12, 1}, "SE170001", Values("1001"))};
    std::string expected;
    for (const std::string& line : lines) {
        EXPECT_EQ(AppendFeatureLine(path, line), std::nullopt);
        expected += line + "\r\n";
    }
    EXPECT_EQ(ReadBytes(path), expected);
    EXPECT_NE(expected.find(Cp949FromUtf8("센서01")), std::string::npos);

    const auto found = ReadFeatureFile(path, "SE170001");
    ASSERT_TRUE(found);
    EXPECT_EQ(found->Found(), 2); // letter case counts
    EXPECT_EQ(found->LastValues(), Values("1001"));
    EXPECT_EQ(ReadFeatureFile(path, "센서01")->LastValues(), Values("7"));
    EXPECT_EQ(ReadFeatureFile(PathOf("missing"), "SE170001"), std::nullopt);
}

TEST(FeatureSearch, FieldsAreSplitAsTheFileReaderSplitsThem) {
    const struct {
        const char* Line;
        const char* Serial;
        int Found;
        const char* FirstValue;
    } cases[] = {
        {"D20240315,SE1,-5,7", "SE1", 1, "-5"}, // fields missing from a short line are empty
        {"D20240315,SE 1,-5", "SE 1", 0, ""},   // a blank ends the serial field
        {"D20240315,SE1\t-5", "SE1", 1, "-5"},
        {"", "", 0, ""}, // an empty serial finds nothing
        {"SE1", "SE1", 0, ""},
    };
    for (const auto& c : cases) {
        FeatureSearch search(c.Serial);
        search.Take(c.Line);
        EXPECT_EQ(search.Found(), c.Found) << c.Line;
        EXPECT_EQ(search.LastValues()[0], c.FirstValue) << c.Line;
        EXPECT_EQ(search.LastValues()[11], "") << c.Line;
    }
}

TEST_F(FeatureFile, AFailedAppendLeavesTheEarlierLinesExactlyAsTheyWere) {
    // A hand-edited last line without its line end gets one before the new line.
    const std::string path = PathOf("history");
    WriteBytes(path, "D20240101,OLD,1");
    EXPECT_EQ(AppendFeatureLine(path, "D20240102,NEW"), std::nullopt);
    EXPECT_EQ(ReadBytes(path), "D20240101,OLD,1\r\nD20240102,NEW\r\n");

    EXPECT_TRUE(AppendFeatureLine(PathOf("history/inside"), "D20240102,NEW")); // not a folder
    EXPECT_EQ(ReadBytes(path), "D20240101,OLD,1\r\nD20240102,NEW\r\n");
#ifdef __linux__
    EXPECT_EQ(AppendFeatureLine("/dev/full", "D20240102,NEW"),
              std::generic_category().message(ENOSPC));
    // A file size limit a few bytes past the file: the line reaches the disk only in part.
    const std::string before = ReadBytes(path);
    rlimit limit{}, previous{};
    getrlimit(RLIMIT_FSIZE, &previous);
    limit.rlim_cur = before.size() + 5;
    limit.rlim_max = previous.rlim_max;
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &limit);
    const auto reason = AppendFeatureLine(path, FeatureLine({2024, 1, 3}, "SE1", Values("1")));
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, handler);
    EXPECT_EQ(reason, std::generic_category().message(EFBIG));
    EXPECT_EQ(ReadBytes(path), before);
#endif
}
