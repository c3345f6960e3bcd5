// What every reader of the program's files does with a file that is not what its name says:
// a FIFO, a device, a line without end.
#include "SettingsControls.h"
#include "TempFolder.h"
#include "calibration/FeatureFile.h"
#include "engine/LiveState.h"
#include "files/LogFile.h"
#include "files/NoteFile.h"
#include "files/TextLines.h"
#include "tests/engine/RecordingView.h"

#include <functional>
#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace {

using Lines = std::vector<std::string>;

// One reader, with what it tells the user about the file at the path.
struct Reader {
    std::string Name;
    std::function<Lines(const std::string& path)> Read;
};

const Reader LogReader{"log", [](const std::string& path) {
                           auto state = std::make_unique<LiveState>();
                           RecordingView view;
                           LoadLogFile(path, state->Recorded, 0, view);
                           view.Messages.push_back(std::to_string(state->Recorded.LogCount));
                           return view.Messages;
                       }};
const Reader SettingsReader{"settings", [](const std::string& path) {
                                SettingsControls window;
                                ReadSettings(path, window);
                                return window.Log;
                            }};
const Reader FeatureReader{"feature file", [](const std::string& path) {
                               const auto read = ReadFeatureFile(PathFromUtf8(path), "SE1");
                               if (!read) return Lines{"none"};
                               return Lines{read->Cut, std::to_string(read->Search.Found())};
                           }};

const Reader NoteReader{"note", [](const std::string& path) {
                            std::error_code error;
                            const auto html = ReadNoteFile(PathFromUtf8(path), error);
                            return Lines{html ? *html : error.message()};
                        }};

using ReaderLimits = TempFolder;

} // namespace

// A file far longer than any line may be, without a line end after its first lines: what came
// before is read, and one line says where the reading stopped. A note that long is not read.
TEST_F(ReaderLimits, ALineBeyondTheLimitEndsTheReadingWithOneLine) {
    const std::string path = PathOf("long");
    const std::tuple<Reader, std::string, Lines> cases[] = {
        {LogReader,
         "Time[20ms],X[G]\r\n0,1\r\n1,2\r\n",
         {"Log file line 4 longer than 1048576 bytes, not read from there : " + path, "2"}},
        {SettingsReader,
         "EdMass=0.5\r\n",
         {"Settings file line 2 longer than 1048576 bytes, not read from there : " + path}},
        {FeatureReader,
         "D20240101,SE1,5\r\n",
         {"Sensor Feature File line 2 longer than 1048576 bytes, not read from there : " + path,
          "1"}},
        {NoteReader,
         "{\\rtf1 note\\par}",
         {std::make_error_code(std::errc::file_too_large).message()}},
    };
    for (const auto& [reader, head, told] : cases) {
        WriteBytes(path, head);
        std::filesystem::resize_file(PathFromUtf8(path),
                                     NoteFileLimit + 1); // zeros, and no line end
        EXPECT_EQ(reader.Read(path), told) << reader.Name;
    }
}

#ifndef _WIN32
// Opening a FIFO for reading waits for a writer that never comes: each reader refuses it at
// once, as it refuses a missing file.
TEST_F(ReaderLimits, AFifoIsRefusedAsAFileThatCannotBeRead) {
    const std::string path = PathOf("fifo");
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
    const Reader featureAppend{
        "feature file save", [](const std::string& path) {
            return Lines{AppendFeatureLine(PathFromUtf8(path), "D1,SE1").value_or("")};
        }};
    const std::pair<Reader, Lines> cases[] = {
        {LogReader, {"Cannot Load LogFIle : " + path, "0"}},
        {SettingsReader, {"Initial File Read Err! : " + path}},
        {FeatureReader, {"none"}},
        {featureAppend, {"not a regular file"}},
        {NoteReader, {"not a regular file"}},
    };
    for (const auto& [reader, told] : cases)
        EXPECT_EQ(reader.Read(path), told) << reader.Name;
    EXPECT_TRUE(std::filesystem::is_fifo(PathFromUtf8(path)));
}
#endif
