#include "files/Autosave.h"

#include "TempFolder.h"
#include "engine/LiveState.h"
#include "files/AtomicWrite.h"
#include "files/Cp949.h"
#include "files/LogFile.h"
#include "files/Temporaries.h"
#include "files/TextLines.h"
#include "tests/engine/RecordingView.h"

#include <set>

#ifndef _WIN32
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>
#endif

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
    ~Autosave() override { NewFileSeam = {}; }

    // A run of `count` samples of `x` g on each axis.
    static void Record(Recording& run, std::uint32_t count, double x) {
        run.LogCount = count;
        for (int axis = 0; axis < 3; ++axis)
            std::fill_n(CorrectedValues(run, axis), count, x);
    }
    // The names in the folder, hidden ones too.
    std::set<std::string> Names(const std::string& folder) const {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(PathFromUtf8(folder)))
            names.insert(Utf8FromPath(entry.path().filename()));
        return names;
    }

    LiveState State; // gtest makes fixtures on the heap
    RecordingView View;
};

// A kept run: all three axes in the log format, which log readers take as it is, with the
// conditions and counts that load back to the run's own values.
TEST_F(Autosave, KeepsTheRunAnalysableAndOnlyTheNewestHundred) {
    const std::string folder = PathOf("LogData/Autosave");
    std::filesystem::create_directories(PathFromUtf8(folder));
    for (int i = 0; i < 100; ++i)
        WriteBytes(folder + Separator + "2401" + std::to_string(10 + i % 20) + "_1000" +
                       std::to_string(10 + i / 20) + ".csv",
                   "old");
    WriteBytes(folder + Separator + "keep.txt", "mine");
    Recording& run = State.Recorded;
    run.HasCounts = true;
    run.LogCount = 2;
    run.Conditions = {true, Page::TabPendulum, PendulumAxis::Y, true, 0.001, 1.0123456789, -0.1,
                      2,    "0.500",           0.117,           1,    1,     true,         15};
    const std::int16_t counts[2][6] = {{100, -16500, 3, 101, -16510, 2},
                                       {-7, -16384, 0, -8, -16380, 1}};
    for (int i = 0; i < 2; ++i)
        for (int axis = 0; axis < 3; ++axis) {
            FilteredCounts(run, axis)[i] = counts[i][axis];
            RawCounts(run, axis)[i] = counts[i][axis + 3];
            CorrectedValues(run, axis)[i] =
                AxisCountToG(axis, counts[i][axis], 1) - ZeroOffset(run.Conditions, axis);
        }
    const std::string path = AutosaveRun(folder, "240315_093005.csv", run, 1, View);
    EXPECT_EQ(path, folder + Separator + "240315_093005.csv");
    EXPECT_EQ(
        ReadBytes(path),
        ";" + Cp949FromUtf8(path) +
            "\r\n;Page=TabPendulum\r\n;PendulumAxis=Y\r\n;RbPendByG=true\r\n;EdPendL=0.500"
            "\r\n;EdMass=0.117\r\n;CmbKalman=2\r\n;CmbUnit=1\r\n;Cb3Axis=true\r\n;CmbYTime=15"
            "\r\n;RangeCode=1"
            "\r\n;OffsetX=0.001\r\n;OffsetY=1.0123456789\r\n;OffsetZ=-0.1\r\n"
            "Time[20ms],X[m/s\xA9\xF7] ,Y[m/s\xA9\xF7],Z[m/s\xA9\xF7],X count,Y count,Z count,"
            "X count unfiltered,Y count unfiltered,Z count unfiltered\r\n"
            "0,0.05,-0.05,0.98,100,-16500,3,101,-16510,2\r\n"
            "1,-0.01,-0.12,0.98,-7,-16384,0,-8,-16380,1\r\n");
    EXPECT_EQ(View.Messages, std::vector<std::string>{"Run autosaved : " + path});

    Recording loaded;
    ASSERT_FALSE(LoadLogFile(path, loaded, 0, View).NumberError);
    EXPECT_TRUE(loaded.Loaded && loaded.HasCounts && loaded.Conditions.Known);
    EXPECT_EQ(loaded.Conditions.PendulumLength, "0.500");
    EXPECT_EQ(loaded.Conditions.OffsetY, run.Conditions.OffsetY);
    EXPECT_EQ(loaded.Conditions.RunPage, Page::TabPendulum);
    EXPECT_EQ(loaded.Conditions.TimeWindow, 15);
    for (int axis = 0; axis < 3; ++axis)
        for (std::uint32_t i = 0; i < 2; ++i) {
            EXPECT_NEAR(CorrectedValues(loaded, axis)[i], CorrectedValues(run, axis)[i],
                        0.0005); // three decimals in g
            EXPECT_EQ(UnfilteredG(loaded, axis, i), UnfilteredG(run, axis, i));
            EXPECT_EQ(FilteredG(loaded, axis, i), AxisCountToG(axis, counts[i][axis], 1));
        }

    EXPECT_FALSE(std::filesystem::exists(
        PathFromUtf8(folder + Separator + "240110_100010.csv"))); // the oldest
    EXPECT_TRUE(std::filesystem::exists(PathFromUtf8(folder + Separator + "240111_100010.csv")));
    EXPECT_TRUE(std::filesystem::exists(PathFromUtf8(folder + Separator + "keep.txt")));
    int count = 0;
    for ([[maybe_unused]] const auto& entry :
         std::filesystem::directory_iterator(PathFromUtf8(folder)))
        ++count;
    EXPECT_EQ(count, 101);
}

TEST_F(Autosave, AFolderThatCannotBeWrittenIsReportedInOneLine) {
    WriteBytes(PathOf("Autosave"), "a file where the folder should be");
    EXPECT_EQ(AutosaveRun(PathOf("Autosave"), "240315_093005.csv", State.Recorded, 1, View), "");
    ASSERT_EQ(View.Messages.size(), 1u);
    EXPECT_TRUE(View.Messages[0].starts_with("Cannot autosave run : ")) << View.Messages[0];
}

// Two copies of the program in one folder end runs started in the same second: the second
// copy's autosave is made while the first's is written but not yet named. Each copy keeps its
// own run under a name of its own, with hard links and on a file system without them; a name
// taken long before is passed over as well.
TEST_F(Autosave, TwoCopiesInOneFolderEachKeepTheirRun) {
    auto second = std::make_unique<LiveState>();
    RecordingView secondView;
    for (const bool hardLinks : {true, false}) {
        const std::string folder = PathOf(hardLinks ? "links" : "fat");
        std::filesystem::create_directories(PathFromUtf8(folder));
        WriteBytes(folder + Separator + "240315_093005_2.csv", "a file of the user's");
        Record(State.Recorded, 2, 0.5);
        Record(second->Recorded, 3, -0.25);
        std::string secondPath;
        NewFileSeam.WithoutHardLinks = !hardLinks;
        NewFileSeam.BeforeNaming = [&, raced = false]() mutable {
            if (std::exchange(raced, true)) return;
            secondPath = AutosaveRun(folder, "240315_093005.csv", second->Recorded, 0, secondView);
        };
        const std::string firstPath =
            AutosaveRun(folder, "240315_093005.csv", State.Recorded, 0, View);
        SCOPED_TRACE(folder);
        EXPECT_EQ(secondPath, folder + Separator + "240315_093005.csv");
        EXPECT_EQ(firstPath, folder + Separator + "240315_093005_3.csv");
        EXPECT_EQ(secondView.Messages.back(), "Run autosaved : " + secondPath);
        EXPECT_EQ(View.Messages.back(), "Run autosaved : " + firstPath);
        EXPECT_EQ(Names(folder), (std::set<std::string>{"240315_093005.csv", "240315_093005_2.csv",
                                                        "240315_093005_3.csv"}));
        EXPECT_EQ(ReadBytes(folder + Separator + "240315_093005_2.csv"), "a file of the user's");
        for (const auto& [path, rows, x] :
             {std::tuple{firstPath, 2u, 0.5}, {secondPath, 3u, -0.25}}) {
            EXPECT_TRUE(ReadBytes(path).starts_with(";" + Cp949FromUtf8(path) + "\r\n")) << path;
            Recording loaded;
            ASSERT_FALSE(LoadLogFile(path, loaded, 0, View).NumberError);
            EXPECT_EQ(loaded.LogCount, rows);
            EXPECT_EQ(loaded.LogX[rows - 1], x);
        }
    }
}

#ifndef _WIN32
// A copy of the program killed while its autosave is written leaves a hidden temporary; once
// that has lain there long enough to be clearly left behind, the next autosave into the folder
// removes it.
TEST_F(Autosave, ASaveKilledHalfwayLeavesNoHiddenFileBehind) {
    const std::string folder = PathOf("Autosave");
    Record(State.Recorded, 2, 0.5);
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        NewFileSeam.BeforeNaming = [&] {
            const char written = 'w';
            if (write(pipeEnds[1], &written, 1) == 1) pause(); // until killed
        };
        AutosaveRun(folder, "240315_093005.csv", State.Recorded, 0, View);
        _exit(1);
    }
    char written = 0;
    ASSERT_EQ(read(pipeEnds[0], &written, 1), 1);
    kill(child, SIGKILL);
    ASSERT_EQ(waitpid(child, nullptr, 0), child);
    close(pipeEnds[0]);
    close(pipeEnds[1]);
    const std::set<std::string> left = Names(folder);
    ASSERT_EQ(left.size(), 1u);
    const std::string temporary = folder + Separator + *left.begin();
    ASSERT_TRUE(left.begin()->starts_with('.'));

    // A copy of the program that started just now may be writing it: it stays.
    EXPECT_EQ(AutosaveRun(folder, "240315_093006.csv", State.Recorded, 0, View),
              folder + Separator + "240315_093006.csv");
    EXPECT_TRUE(std::filesystem::exists(PathFromUtf8(temporary)));
    std::filesystem::last_write_time(PathFromUtf8(temporary),
                                     std::filesystem::file_time_type::clock::now() -
                                         TemporaryStaleAge - std::chrono::seconds(1));
    EXPECT_EQ(AutosaveRun(folder, "240315_093007.csv", State.Recorded, 0, View),
              folder + Separator + "240315_093007.csv");
    EXPECT_EQ(Names(folder), (std::set<std::string>{"240315_093006.csv", "240315_093007.csv"}));
}
#endif
