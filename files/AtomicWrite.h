#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <system_error>
#include <vector>

// Files the program writes appear whole or not at all, each line ending with CR LF.

// Replaces the file with the lines. The lines go to a temporary file beside it that is renamed
// over the target only once completely written, so on failure (false, with the system's
// reason in `error` when given) the earlier file is still there, unchanged.
bool WriteTextLines(const std::filesystem::path& path, const std::vector<std::string>& lines,
                    std::error_code* error = nullptr);

// The lines of a new file, given the name it gets: a file may name itself.
using LinesForName =
    std::function<const std::vector<std::string>&(const std::filesystem::path& name)>;

// Creates a new file of the lines: `path`, or where anything has that name the first of its
// numbered names ("run_2.csv", "run_3.csv", … for "run.csv") that nothing has. No file is ever
// replaced, also not one another program creates under the name at the same moment: the
// complete temporary takes the name as a hard link, which fails where the name exists, and
// where the file system has no hard links (FAT) the file is created exclusively under the name
// and written there. The path created; empty on failure, with the system's reason in `error`.
std::filesystem::path CreateTextFile(const std::filesystem::path& path,
                                     const LinesForName& linesFor, std::error_code& error);

// What tests change in the creation of new files: a pause where two programs race for a name
// (after the new file is written, before it takes the name), and hard links failing as on FAT.
struct NewFileTestSeam {
    std::function<void()> BeforeNaming;
    bool WithoutHardLinks = false;
};
extern NewFileTestSeam NewFileSeam;
