#include "files/SpreadsheetCsv.h"

#include "engine/NumberText.h"
#include "files/AtomicWrite.h"
#include "files/Cp949.h"
#include "files/TextLines.h"
#include "files/Utf8.h"
#include "messages/Message.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace {

// A title holding a comma or a quote is quoted, its quotes doubled.
std::string Cell(const std::string& text) {
    if (text.find_first_of(",\"") == std::string::npos) return text;
    std::string quoted = "\"";
    for (const char c : text)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + '"';
}

bool StartsWithTimeTitle(const std::string& line) {
    const std::string_view title = KoreanSource(MessageId::TimeTitle);
    return line.starts_with(title) && (line.size() == title.size() || line[title.size()] == ',');
}

} // namespace

bool IsSpreadsheetTitleRow(const std::string& line) {
    return StartsWithTimeTitle(line) || StartsWithTimeTitle(Utf8FromCp949(line));
}

bool WriteSpreadsheetCsv(const std::string& path, const std::vector<ExportColumn>& columns) {
    std::size_t rows = 0;
    std::string titles(Utf8ByteOrderMark);
    for (std::size_t c = 0; c < columns.size(); ++c) {
        titles += (c > 0 ? "," : "") + Cell(columns[c].Title);
        rows = std::max(rows, columns[c].Values.size());
    }
    std::vector<std::string> lines;
    lines.reserve(rows + 1);
    lines.push_back(std::move(titles));
    for (std::size_t row = 0; row < rows; ++row) {
        std::string line;
        for (std::size_t c = 0; c < columns.size(); ++c) {
            if (c > 0) line += ',';
            const auto& values = columns[c].Values;
            if (row < values.size() && std::isfinite(values[row]))
                line += FormatFixed(values[row], columns[c].Decimals, 17);
        }
        lines.push_back(std::move(line));
    }
    return WriteTextLines(PathFromUtf8(path), lines);
}
