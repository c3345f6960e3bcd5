#include "files/TextLines.h"

#include <algorithm>
#include <random>
#include <system_error>

std::filesystem::path PathFromUtf8(const std::string& path) {
    return std::filesystem::path(std::u8string(path.begin(), path.end()));
}

TextLineReader::TextLineReader(const std::filesystem::path& path) {
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) return;
    Stream.open(path, std::ios::binary);
    Open = Stream.is_open();
}

bool TextLineReader::Next(std::string& line) {
    if (!Open || !std::getline(Stream, line)) return false;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
}

namespace {

// A name beside the file that no other file of the folder is likely to have.
std::filesystem::path TemporaryBeside(const std::filesystem::path& path) {
    static std::mt19937_64 random{std::random_device{}()};
    std::filesystem::path temporary = path;
    temporary += ".tmp" + std::to_string(random() % 1000000000);
    return temporary;
}

bool WriteAll(const std::filesystem::path& path, const std::vector<std::string>& lines) {
    std::ofstream stream(path, std::ios::binary | std::ios::trunc);
    for (const std::string& line : lines)
        stream << line << "\r\n";
    stream.flush();
    stream.close();
    return !stream.fail();
}

} // namespace

bool WriteTextLines(const std::filesystem::path& path, const std::vector<std::string>& lines) {
    const std::filesystem::path temporary = TemporaryBeside(path);
    std::error_code error;
    if (WriteAll(temporary, lines)) {
        // The replacement keeps the access rights the user gave the earlier file.
        const auto earlier = std::filesystem::status(path, error);
        if (!error) std::filesystem::permissions(temporary, earlier.permissions(), error);
        std::filesystem::rename(temporary, path, error);
        if (!error) return true;
    }
    std::filesystem::remove(temporary, error);
    return false;
}

std::string_view NextToken(std::string_view& row) {
    row.remove_prefix(std::min(row.find_first_not_of(' '), row.size()));
    const std::size_t end = std::min(row.find_first_of(" ,\t\n"), row.size());
    const std::string_view token = row.substr(0, end);
    row.remove_prefix(std::min(end + 1, row.size()));
    return token;
}
