#include "files/Temporaries.h"

#include "files/OpenFile.h"
#include "files/TextLines.h"

#include <cerrno>
#include <random>
#include <string>
#include <vector>

namespace {

// Also the ending of the longer names earlier versions gave (".NAME.123.tarvik-partial").
const std::string TemporarySuffix = ".tarvik-partial";

} // namespace

std::FILE* CreateTemporaryBeside(const std::filesystem::path& path,
                                 std::filesystem::path& temporary, std::error_code& error) {
    RemoveStaleTemporaries(FolderOf(path));
    static std::mt19937_64 random{std::random_device{}()};
    // Never into a file that is there already, whoever made it; a name taken is drawn again (a
    // forked copy of the program draws the same names).
    for (int draw = 0; draw < 8; ++draw) {
        char name[24];
        std::snprintf(name, sizeof name, ".%016llx", static_cast<unsigned long long>(random()));
        temporary = std::filesystem::path(path).replace_filename(name + TemporarySuffix);
        errno = 0;
        if (std::FILE* file = OpenFile(temporary, "wbx")) return file;
        error = LastSystemError();
        if (error != std::errc::file_exists) break;
    }
    return nullptr;
}

void RemoveStaleTemporaries(const std::filesystem::path& folder) {
    const auto staleBefore = std::filesystem::file_time_type::clock::now() - TemporaryStaleAge;
    std::error_code error;
    std::vector<std::filesystem::path> stale;
    for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        const std::string name = Utf8FromPath(entry->path().filename());
        if (!name.starts_with('.') || !name.ends_with(TemporarySuffix)) continue;
        std::error_code unreadable;
        const bool file =
            entry->symlink_status(unreadable).type() == std::filesystem::file_type::regular;
        const auto written = entry->last_write_time(unreadable);
        if (!unreadable && file && written < staleBefore) stale.push_back(entry->path());
    }
    for (const auto& path : stale)
        std::filesystem::remove(path, error);
}
