#include "calibration/FeatureFile.h"

#include "files/Cp949.h"
#include "files/OpenFile.h"
#include "files/Temporaries.h"
#include "files/TextLines.h"

#include <cerrno>
#include <cstdio>
#include <system_error>

std::string FeatureLine(const FeatureDate& date, const std::string& serial,
                        const FeatureValues& values) {
    char dateField[32];
    std::snprintf(dateField, sizeof dateField, "D%04d%02d%02d", date.Year, date.Month, date.Day);
    std::string line = std::string(dateField) + ',' + serial;
    for (const std::string& value : values)
        line += ',' + value;
    return Cp949FromUtf8(line);
}

FeatureSearch::FeatureSearch(const std::string& serial) : Serial(Cp949FromUtf8(serial)) {}

void FeatureSearch::Take(std::string_view line) {
    NextToken(line); // the date
    if (Serial.empty() || NextToken(line) != Serial) return;
    ++Matches;
    for (std::string& value : Last)
        value = NextToken(line);
}

FeatureValues FeatureSearch::LastValues() const {
    FeatureValues values;
    for (int i = 0; i < FeatureValueCount; ++i)
        values[i] = Utf8FromCp949(Last[i]);
    return values;
}

std::optional<FeatureFileSearch> ReadFeatureFile(const std::filesystem::path& path,
                                                 const std::string& serial) {
    TextLineReader reader(path, FeatureLineLimit);
    if (!reader.IsOpen()) return std::nullopt;
    FeatureFileSearch found{FeatureSearch(serial), {}};
    std::string line;
    while (reader.Next(line))
        found.Search.Take(line);
    found.Cut = reader.OverlongReport("Sensor Feature File", Utf8FromPath(path));
    return found;
}

namespace {

// Whether the file's last byte is something other than a line feed; the position is left at
// the end, where every write of an appending stream goes anyway.
bool EndsInsideALine(std::FILE* file, long size) {
    if (size <= 0 || std::fseek(file, -1, SEEK_END) != 0) return false;
    const int last = std::fgetc(file);
    std::fseek(file, 0, SEEK_END);
    return last != EOF && last != '\n';
}

} // namespace

std::optional<std::string> AppendFeatureLine(const std::filesystem::path& path,
                                             const std::string& line) {
    RemoveStaleTemporaries(FolderOf(path));
    std::error_code error;
    std::FILE* file = OpenRegularFile(path, "a+b", error);
    if (file == nullptr) return error.message();
    std::fseek(file, 0, SEEK_END);
    const long size = std::ftell(file);
    const std::string text = (EndsInsideALine(file, size) ? "\r\n" : "") + line + "\r\n";
    errno = 0;
    bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    written = std::fflush(file) == 0 && written;
    const int reason = errno;
    written = std::fclose(file) == 0 && written;
    if (written) return std::nullopt;
    // Whatever part of the line did reach the disk must not join the next saved line.
    std::error_code ignored;
    if (size >= 0) std::filesystem::resize_file(path, static_cast<std::uintmax_t>(size), ignored);
    return std::generic_category().message(reason != 0 ? reason : errno);
}
