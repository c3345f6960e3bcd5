#pragma once

#include "files/OpenFile.h"

#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

// A file name as the window hands it over (UTF-8) in the form the file system takes.
std::filesystem::path PathFromUtf8(const std::string& path);
// And back, for messages and for names compared as text.
std::string Utf8FromPath(const std::filesystem::path& path);
// The folder a file is in; "." for a bare file name.
std::filesystem::path FolderOf(const std::filesystem::path& path);

// Reads a regular text file line by line (anything else, such as a FIFO, is not opened). Lines
// end with LF, CR LF or CR alone; only the line end is dropped, so a last line without one is
// kept whole. A UTF-8 byte-order mark at the start of a line is dropped too: editors put one
// before the text. A line longer than `lineLimit` bytes ends the reading before it, so that a
// file that is not what its name says cannot take the memory.
class TextLineReader {
public:
    TextLineReader(const std::filesystem::path& path, std::size_t lineLimit);
    bool IsOpen() const { return File != nullptr; }
    // The next line, without its line end; false at the end of the file or at a line too long.
    bool Next(std::string& line);
    // The line that ended the reading for its length, in one line of the form "<file> line 3
    // longer than 1048576 bytes, not read from there : <path>"; empty when none did.
    std::string OverlongReport(const std::string& file, const std::string& path) const;

private:
    bool Refill();
    bool Take(std::string& line);

    OpenedFile File;
    std::size_t LineLimit;
    std::unique_ptr<char[]> Buffer;
    std::size_t Position = 0, Filled = 0;
    bool AfterCarriageReturn = false; // an LF right after it belongs to the same line end
    std::size_t LinesRead = 0;
    bool Overlong = false;
};

// Splits the next field off the front of a row: leading blanks are skipped, the field runs
// to the first blank, comma, tab or line feed, and that one delimiter is consumed too. A row
// that starts with another delimiter, or is empty, gives an empty field.
std::string_view NextToken(std::string_view& row);
