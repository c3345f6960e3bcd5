#include "files/TextLines.h"

#include "files/Utf8.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>

std::filesystem::path PathFromUtf8(const std::string& path) {
    return std::filesystem::path(std::u8string(path.begin(), path.end()));
}

std::string Utf8FromPath(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

TextLineReader::TextLineReader(const std::filesystem::path& path) {
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) return;
    Stream.open(path, std::ios::binary);
    Open = Stream.is_open();
}

bool TextLineReader::Next(std::string& line) {
    line.clear();
    if (!Open) return false;
    std::streambuf& bytes = *Stream.rdbuf();
    for (;;) {
        const int c = bytes.sbumpc();
        if (c == std::char_traits<char>::eof()) {
            Open = false;
            if (line.empty()) return false;
            break;
        }
        if (c == '\n') break;
        if (c == '\r') {
            if (bytes.sgetc() == '\n') bytes.sbumpc();
            break;
        }
        line += static_cast<char>(c);
    }
    if (line.starts_with(Utf8ByteOrderMark)) line.erase(0, Utf8ByteOrderMark.size());
    return true;
}

namespace {

// Temporaries are hidden where a leading dot hides files and carry a suffix of their own, so
// that the ones a killed save leaves can be told from the user's files and removed.
const std::string TemporarySuffix = ".tarvik-partial";

std::filesystem::path TemporaryBeside(const std::filesystem::path& path) {
    static std::mt19937_64 random{std::random_device{}()};
    std::filesystem::path name = ".";
    name += path.filename();
    name += "." + std::to_string(random() % 1000000000) + TemporarySuffix;
    return std::filesystem::path(path).replace_filename(name);
}

std::error_code LastError() {
    return {errno, std::generic_category()};
}

std::error_code WriteAll(const std::filesystem::path& path, const std::vector<std::string>& lines) {
    std::FILE* file = OpenFile(path, "wb");
    if (file == nullptr) return LastError();
    std::error_code error;
    for (const std::string& line : lines) {
        if (std::fwrite(line.data(), 1, line.size(), file) != line.size() ||
            std::fwrite("\r\n", 1, 2, file) != 2) {
            error = LastError();
            break;
        }
    }
    // A full disk often shows only when the last buffer goes out.
    if (std::fclose(file) != 0 && !error) error = LastError();
    return error;
}

} // namespace

std::FILE* OpenFile(const std::filesystem::path& path, const char* mode) {
#ifdef _WIN32
    const std::wstring wideMode(mode, mode + std::strlen(mode));
    return _wfopen(path.c_str(), wideMode.c_str());
#else
    return std::fopen(path.c_str(), mode);
#endif
}

bool WriteTextLines(const std::filesystem::path& path, const std::vector<std::string>& lines,
                    std::error_code* error) {
    const std::filesystem::path temporary = TemporaryBeside(path);
    std::error_code failure = WriteAll(temporary, lines);
    if (!failure) {
        // The replacement keeps the access rights the user gave the earlier file.
        std::error_code ignored;
        const auto earlier = std::filesystem::status(path, ignored);
        if (!ignored) std::filesystem::permissions(temporary, earlier.permissions(), ignored);
        std::filesystem::rename(temporary, path, failure);
        if (!failure) return true;
    }
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    if (error != nullptr) *error = failure;
    return false;
}

void RemoveStaleTemporaries(const std::filesystem::path& folder) {
    std::error_code error;
    std::vector<std::filesystem::path> stale;
    for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        const std::string name = Utf8FromPath(entry->path().filename());
        if (name.starts_with('.') && name.ends_with(TemporarySuffix))
            stale.push_back(entry->path());
    }
    for (const auto& path : stale)
        std::filesystem::remove(path, error);
}

std::string_view NextToken(std::string_view& row) {
    row.remove_prefix(std::min(row.find_first_not_of(' '), row.size()));
    const std::size_t end = std::min(row.find_first_of(" ,\t\n"), row.size());
    const std::string_view token = row.substr(0, end);
    row.remove_prefix(std::min(end + 1, row.size()));
    return token;
}
