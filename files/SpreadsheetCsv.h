#pragma once

#include <string>
#include <vector>

// One column of a spreadsheet export: a title in words with its unit, and its values.
struct ExportColumn {
    std::string Title;
    std::vector<double> Values;
    int Decimals = 6;
};

// Writes the columns side by side as a CSV file a spreadsheet opens as it is: UTF-8 with a
// byte order mark, a title row, "." decimals, CR LF. A shorter column leaves its cells empty
// below its end, a value that is not a number leaves its cell empty. The file is replaced
// only by a complete new one; false when it cannot be written.
bool WriteSpreadsheetCsv(const std::string& path, const std::vector<ExportColumn>& columns);

// Whether a file's first line (its byte order mark taken off) is an export's title row, as
// written here or as a spreadsheet saves it again in the Korean code page: it opens with the
// title of the time column (MessageId::TimeTitle), which tells an export from a log whatever
// the file is called.
bool IsSpreadsheetTitleRow(const std::string& line);
