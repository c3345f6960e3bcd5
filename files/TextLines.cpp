#include "files/TextLines.h"

#include "files/Utf8.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>
#include <utility>

std::filesystem::path PathFromUtf8(const std::string& path) {
    return std::filesystem::path(std::u8string(path.begin(), path.end()));
}

std::string Utf8FromPath(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

namespace {

constexpr std::size_t ReadPiece = 64 << 10;

} // namespace

TextLineReader::TextLineReader(const std::filesystem::path& path, std::size_t lineLimit)
    : LineLimit(lineLimit) {
    std::error_code error;
    File.reset(OpenRegularFile(path, "rb", error));
    if (File) Buffer = std::make_unique<char[]>(ReadPiece);
}

bool TextLineReader::Refill() {
    Position = 0;
    Filled = std::fread(Buffer.get(), 1, ReadPiece, File.get());
    return Filled > 0;
}

bool TextLineReader::Next(std::string& line) {
    line.clear();
    while (File) {
        if (Position == Filled && !Refill()) {
            File.reset();
            break;
        }
        if (std::exchange(AfterCarriageReturn, false) && Buffer[Position] == '\n') {
            ++Position;
            continue;
        }
        const char* start = Buffer.get() + Position;
        const char* end = Buffer.get() + Filled;
        const char* lineEnd =
            std::find_if(start, end, [](char c) { return c == '\n' || c == '\r'; });
        line.append(start, lineEnd);
        Position = static_cast<std::size_t>(lineEnd - Buffer.get());
        if (line.size() > LineLimit) {
            Overlong = true;
            File.reset();
            line.clear();
            return false;
        }
        if (lineEnd != end) {
            AfterCarriageReturn = *lineEnd == '\r';
            ++Position;
            return Take(line);
        }
    }
    return !line.empty() && Take(line);
}

bool TextLineReader::Take(std::string& line) {
    ++LinesRead;
    if (line.starts_with(Utf8ByteOrderMark)) line.erase(0, Utf8ByteOrderMark.size());
    return true;
}

std::string TextLineReader::OverlongReport(const std::string& file, const std::string& path) const {
    if (!Overlong) return {};
    return file + " line " + std::to_string(LinesRead + 1) + " longer than " +
           std::to_string(LineLimit) + " bytes, not read from there : " + path;
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
