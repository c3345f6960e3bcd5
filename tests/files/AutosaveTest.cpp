#include "files/Autosave.h"

#include "TempFolder.h"
#include "tests/engine/RecordingView.h"

TEST(AutosaveName, TakesTheRunNameOrNumbersRunsOfTheSameSecond) {
    EXPECT_EQ(FreeAutosaveName("240315_093005.csv", {"a.csv"}), "240315_093005.csv");
    EXPECT_EQ(FreeAutosaveName("240315_093005.csv", {"240315_093005.csv", "240315_093005_2.csv"}),
              "240315_093005_3.csv");
}

TEST(AutosaveName, SurplusIsTheOldestAutosavesAndNeverAnotherFile) {
    std::vector<std::string> names{"notes.txt", "mine.csv", "240101_000000.csv.bak"};
    for (int second = 0; second < 50; ++second) {
        char name[32];
        std::snprintf(name, sizeof name, "2401%02d_1200%02d.csv", 1 + second % 28, second);
        names.push_back(name);
    }
    names.push_back("240101_120000_10.csv");
    names.push_back("240101_120000_2.csv");
    names.push_back("1000101_000000.csv"); // the year 2100
    EXPECT_EQ(SurplusAutosaves(names, 51),
              (std::vector<std::string>{"240101_120000.csv", "240101_120000_2.csv"}));
    EXPECT_TRUE(SurplusAutosaves(names, 53).empty());
}

class Autosave : public TempFolder {
protected:
    LiveState State;
    RecordingView View;
};

TEST_F(Autosave, WritesTheLogFormatKeepsTheNewestHundredAndNamesTheFileInOneLine) {
    const std::string folder = PathOf("LogData/Autosave");
    std::filesystem::create_directories(folder);
    for (int i = 0; i < 100; ++i)
        WriteBytes(folder + "/2401" + std::to_string(10 + i % 20) + "_1000" +
                       std::to_string(10 + i / 20) + ".csv",
                   "old");
    WriteBytes(folder + "/keep.txt", "mine");
    State.LogX[0] = 0.5, State.LogX[1] = -0.25;
    const std::string path = AutosaveRun(folder, "240315_093005.csv", State, 2, false, 0, View);
    EXPECT_EQ(path, folder + "/240315_093005.csv");
    EXPECT_EQ(ReadBytes(path), ";" + path + "\r\nTime[20ms],X[G]\r\n0,0.500\r\n1,-0.250\r\n");
    EXPECT_EQ(View.Messages, std::vector<std::string>{"Run autosaved : " + path});
    EXPECT_FALSE(std::filesystem::exists(folder + "/240110_100010.csv")); // the oldest
    EXPECT_TRUE(std::filesystem::exists(folder + "/240111_100010.csv"));
    EXPECT_TRUE(std::filesystem::exists(folder + "/keep.txt"));
    int count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder))
        ++count;
    EXPECT_EQ(count, 101);
}

TEST_F(Autosave, AFolderThatCannotBeWrittenIsReportedInOneLine) {
    WriteBytes(PathOf("Autosave"), "a file where the folder should be");
    EXPECT_EQ(AutosaveRun(PathOf("Autosave"), "240315_093005.csv", State, 1, true, 1, View), "");
    ASSERT_EQ(View.Messages.size(), 1u);
    EXPECT_TRUE(View.Messages[0].starts_with("Cannot autosave run : ")) << View.Messages[0];
}
