#include "files/AtomicWrite.h"

#include "files/OpenFile.h"
#include "files/Temporaries.h"

#include <cerrno>
#include <cstdio>

NewFileTestSeam NewFileSeam;

namespace {

std::error_code WriteAndClose(std::FILE* file, const std::vector<std::string>& lines) {
    std::error_code error;
    for (const std::string& line : lines) {
        if (std::fwrite(line.data(), 1, line.size(), file) != line.size() ||
            std::fwrite("\r\n", 1, 2, file) != 2) {
            error = LastSystemError();
            break;
        }
    }
    // A full disk often shows only when the last buffer goes out.
    if (std::fclose(file) != 0 && !error) error = LastSystemError();
    return error;
}

// Writes the lines to a temporary beside `path`, which `name` then gives its name; the
// temporary is gone afterwards, whatever happened.
std::error_code ThroughTemporary(
    const std::filesystem::path& path, const std::vector<std::string>& lines,
    const std::function<std::error_code(const std::filesystem::path& temporary)>& name) {
    std::filesystem::path temporary;
    std::error_code error;
    std::FILE* file = CreateTemporaryBeside(path, temporary, error);
    if (file == nullptr) return error;
    error = WriteAndClose(file, lines);
    if (!error) error = name(temporary);
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    return error;
}

void PauseBeforeNaming() {
    if (NewFileSeam.BeforeNaming) NewFileSeam.BeforeNaming();
}

// The lines under `name` through a temporary that takes the name as a hard link. `noLinks`
// tells a failure of the link itself other than the name being taken: the file system has no
// hard links.
std::error_code WriteLinked(const std::filesystem::path& name,
                            const std::vector<std::string>& lines, bool& noLinks) {
    return ThroughTemporary(name, lines, [&](const std::filesystem::path& temporary) {
        PauseBeforeNaming();
        std::error_code error;
        if (NewFileSeam.WithoutHardLinks)
            error = std::make_error_code(std::errc::operation_not_permitted);
        else
            std::filesystem::create_hard_link(temporary, name, error);
        noLinks = error && error != std::errc::file_exists;
        return error;
    });
}

// The lines in a file created exclusively under `name`; what a failure left of it is removed.
std::error_code WriteExclusive(const std::filesystem::path& name,
                               const std::vector<std::string>& lines) {
    PauseBeforeNaming();
    errno = 0;
    std::FILE* file = OpenFile(name, "wbx");
    if (file == nullptr) return LastSystemError();
    const std::error_code error = WriteAndClose(file, lines);
    std::error_code ignored;
    if (error) std::filesystem::remove(name, ignored);
    return error;
}

std::filesystem::path Numbered(const std::filesystem::path& path, int number) {
    if (number == 1) return path;
    std::filesystem::path name = path.stem();
    name += "_" + std::to_string(number);
    name += path.extension();
    return std::filesystem::path(path).replace_filename(name);
}

} // namespace

bool WriteTextLines(const std::filesystem::path& path, const std::vector<std::string>& lines,
                    std::error_code* error) {
    if (const std::error_code forbidden = ForbiddenNameError(path)) {
        if (error) *error = forbidden;
        return false;
    }
    const std::error_code failure =
        ThroughTemporary(path, lines, [&](const std::filesystem::path& temporary) {
            // The replacement keeps the access rights the user gave the earlier file.
            std::error_code renamed, ignored;
            const auto earlier = std::filesystem::status(path, ignored);
            if (!ignored) std::filesystem::permissions(temporary, earlier.permissions(), ignored);
            std::filesystem::rename(temporary, path, renamed);
            return renamed;
        });
    if (error != nullptr) *error = failure;
    return !failure;
}

std::filesystem::path CreateTextFile(const std::filesystem::path& path,
                                     const LinesForName& linesFor, std::error_code& error) {
    if ((error = ForbiddenNameError(path))) return {};
    bool hardLinks = true;
    for (int number = 1;;) {
        const std::filesystem::path name = Numbered(path, number);
        std::error_code unknown;
        if (std::filesystem::exists(std::filesystem::symlink_status(name, unknown))) {
            ++number;
            continue;
        }
        bool noLinks = false;
        error = hardLinks ? WriteLinked(name, linesFor(name), noLinks)
                          : WriteExclusive(name, linesFor(name));
        if (!error) return name;
        if (noLinks)
            hardLinks = false; // the same name again, the other way
        else if (error == std::errc::file_exists)
            ++number; // taken since the look
        else
            return {};
    }
}
