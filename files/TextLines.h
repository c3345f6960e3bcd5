#pragma once

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

// A file name as the window hands it over (UTF-8) in the form the file system takes.
std::filesystem::path PathFromUtf8(const std::string& path);
// And back, for messages and for names compared as text.
std::string Utf8FromPath(const std::filesystem::path& path);

// Reads a text file line by line. Lines end with LF, CR LF or CR alone; only the line end is
// dropped, so a last line without one is kept whole, and a line may be of any length. A UTF-8
// byte-order mark at the start of a line is dropped too: editors put one before the text.
class TextLineReader {
public:
    explicit TextLineReader(const std::filesystem::path& path);
    bool IsOpen() const { return Open; }
    // The next line, without its line end; false at the end of the file.
    bool Next(std::string& line);

private:
    std::ifstream Stream;
    bool Open = false;
};

// Opens a file with a C standard input/output mode such as "wb" or "a+b", whatever characters
// its path holds.
std::FILE* OpenFile(const std::filesystem::path& path, const char* mode);

// Replaces the file with the lines, each ending with CR LF. The lines go to a temporary file
// beside it that is renamed over the target only once completely written, so on failure
// (false, with the system's reason in `error` when given) the earlier file is still there,
// unchanged.
bool WriteTextLines(const std::filesystem::path& path, const std::vector<std::string>& lines,
                    std::error_code* error = nullptr);

// Removes the temporaries that saves interrupted for good (a killed program, a power cut) left
// in the folder.
void RemoveStaleTemporaries(const std::filesystem::path& folder);

// Splits the next field off the front of a row: leading blanks are skipped, the field runs
// to the first blank, comma, tab or line feed, and that one delimiter is consumed too. A row
// that starts with another delimiter, or is empty, gives an empty field.
std::string_view NextToken(std::string_view& row);
