#include "files/TextLines.h"

#include "files/Utf8.h"

#include <algorithm>
#include <cstdio>
#include <utility>

std::filesystem::path PathFromUtf8(const std::string& path) {
    return std::filesystem::path(std::u8string(path.begin(), path.end()));
}

std::string Utf8FromPath(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::filesystem::path FolderOf(const std::filesystem::path& path) {
    const std::filesystem::path folder = path.parent_path();
    return folder.empty() ? std::filesystem::path(".") : folder;
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

std::string_view NextToken(std::string_view& row) {
    row.remove_prefix(std::min(row.find_first_not_of(' '), row.size()));
    const std::size_t end = std::min(row.find_first_of(" ,\t\n"), row.size());
    const std::string_view token = row.substr(0, end);
    row.remove_prefix(std::min(end + 1, row.size()));
    return token;
}
