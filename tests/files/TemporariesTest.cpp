// The hidden temporaries every save goes through: short names, and tidy folders.
#include "files/Temporaries.h"

#include "SettingsControls.h"
#include "TempFolder.h"
#include "calibration/FeatureFile.h"
#include "engine/LiveState.h"
#include "files/Autosave.h"
#include "files/LogFile.h"
#include "tests/engine/RecordingView.h"

#include <functional>

namespace {

class Temporaries : public TempFolder {
protected:
    // A temporary left in the folder `age` ago.
    void Leave(const std::string& name, std::chrono::seconds age) const {
        WriteBytes(PathOf(name), "x");
        std::filesystem::last_write_time(PathFromUtf8(PathOf(name)),
                                         std::filesystem::file_time_type::clock::now() - age);
    }
    int Files() const {
        return static_cast<int>(std::distance(std::filesystem::directory_iterator(Folder), {}));
    }

    LiveState State; // gtest makes fixtures on the heap
    RecordingView View;
};

const std::chrono::seconds Stale = TemporaryStaleAge + std::chrono::seconds(1);
const std::chrono::seconds Fresh = TemporaryStaleAge - std::chrono::seconds(10);

} // namespace

// Only hidden files with our suffix that have lain long enough go: a younger one may be
// another copy's save in progress. Earlier versions' longer names count as well.
TEST_F(Temporaries, OnlyTemporariesLeftLongEnoughAreRemoved) {
    const std::tuple<std::string, std::chrono::seconds, bool> cases[] = {
        {".run.csv.123.tarvik-partial", Stale, true},
        {".0123456789abcdef.tarvik-partial", Stale, true},
        {".fedcba9876543210.tarvik-partial", Fresh, false},
        {"run.csv", Stale, false},
        {".hidden", Stale, false},
        {"mine.tarvik-partial", Stale, false},
    };
    for (const auto& [name, age, removed] : cases)
        Leave(name, age);
    RemoveStaleTemporaries(Folder);
    for (const auto& [name, age, removed] : cases)
        EXPECT_EQ(std::filesystem::exists(PathFromUtf8(PathOf(name))), !removed) << name;
}

// Every save tidies the folder it writes into, wherever the user chose it.
TEST_F(Temporaries, EverySaveRemovesTheStaleTemporariesOfItsFolder) {
    const std::pair<std::string, std::function<void()>> saves[] = {
        {"log", [&] { SaveLogFile(PathOf("run.csv"), State.Recorded, 1, true, 0, View); }},
        {"autosave",
         [&] {
             State.Recorded.LogCount = 1;
             AutosaveRun(Folder.string(), "240315_093005.csv", State.Recorded, 0, View);
         }},
        {"settings",
         [&] {
             SettingsControls window;
             WriteSettings(PathOf("default.ini"), window);
         }},
        {"feature file",
         [&] { AppendFeatureLine(PathFromUtf8(PathOf("AmAjustSn")), "D20240315,SE1"); }},
    };
    for (const auto& [save, write] : saves) {
        Leave(".0123456789abcdef.tarvik-partial", Stale);
        Leave(".fedcba9876543210.tarvik-partial", Fresh);
        write();
        EXPECT_FALSE(
            std::filesystem::exists(PathFromUtf8(PathOf(".0123456789abcdef.tarvik-partial"))))
            << save;
        EXPECT_TRUE(
            std::filesystem::exists(PathFromUtf8(PathOf(".fedcba9876543210.tarvik-partial"))))
            << save;
    }
    EXPECT_EQ(Files(), 5);
}

// A name of 80 Korean syllables (240 bytes) is well inside what the file system takes; the
// temporary beside it must be too.
TEST_F(Temporaries, ALongKoreanNameSaves) {
    std::string name;
    for (int i = 0; i < 80; ++i)
        name += "가";
    const std::string path = PathOf(name + ".csv");
    State.Recorded.LogX[0] = 0.5;
    ASSERT_TRUE(SaveLogFile(path, State.Recorded, 1, false, 0, View)) << View.Messages.back();
    ASSERT_FALSE(LoadLogFile(path, State.Recorded, 0, View).NumberError);
    EXPECT_EQ(State.Recorded.LogX[0], 0.5);
    EXPECT_EQ(Files(), 1);
}
