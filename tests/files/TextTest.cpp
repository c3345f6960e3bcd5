#include "TempFolder.h"
#include "files/Cp949.h"
#include "files/TextLines.h"

TEST(Cp949, ConvertsBothWaysReplacingWhatHasNoCounterpart) {
    const std::string utf8 = "X[m/s²] 중간 Com5";
    const std::string cp949 = Cp949FromUtf8(utf8);
    EXPECT_EQ(cp949, "X[m/s\xA9\xF7] \xC1\xDF\xB0\xA3 Com5");
    EXPECT_EQ(Utf8FromCp949(cp949), utf8);
    // What cannot be converted becomes "?" and the rest of the text survives.
    EXPECT_EQ(Cp949FromUtf8("a😀b\xFFz중"), "a?b?z\xC1\xDF");
    EXPECT_EQ(Cp949FromUtf8("ab\xE4\xB8"), "ab?"); // ends inside a character
    EXPECT_EQ(Utf8FromCp949("a\xFFz\xC1\xDF"), "a?z중");
    EXPECT_EQ(Utf8FromCp949("ab\xC1"), "ab?");
}

TEST(NextToken, SkipsOnlyBlanksAndConsumesOneDelimiter) {
    std::string_view row = "12, 0.5 ,0.25";
    EXPECT_EQ(NextToken(row), "12");
    EXPECT_EQ(NextToken(row), "0.5");
    EXPECT_EQ(NextToken(row), ""); // the comma after the blank that ended 0.5
    EXPECT_EQ(NextToken(row), "0.25");
    EXPECT_EQ(NextToken(row), "");
    row = "\t1,,2\n3";
    EXPECT_EQ(NextToken(row), "");
    EXPECT_EQ(NextToken(row), "1");
    EXPECT_EQ(NextToken(row), "");
    EXPECT_EQ(NextToken(row), "2");
    EXPECT_EQ(NextToken(row), "3");
}

using TextLines = TempFolder;

TEST_F(TextLines, WritesCrLfAndReplacesOnlyWhenComplete) {
    const std::string path = PathOf("out.txt");
    WriteBytes(path, "old content");
    ASSERT_TRUE(WriteTextLines(path, {"one", "", "two"}));
    EXPECT_EQ(ReadBytes(path), "one\r\n\r\ntwo\r\n");

    // A target that cannot be replaced stays as it was and leaves no temporary file behind.
    std::filesystem::create_directory(Folder / "busy");
    WriteBytes(PathOf("busy/inside"), "kept");
    EXPECT_FALSE(WriteTextLines(Folder / "busy", {"x"}));
    EXPECT_EQ(ReadBytes(PathOf("busy/inside")), "kept");
    EXPECT_FALSE(WriteTextLines(Folder / "no-folder" / "out.txt", {"x"}));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Folder), {}), 2);
}
