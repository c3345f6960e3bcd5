#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

// A note file larger than this is not read: no note comes near it, even with pictures, and
// what the window shows of one ends after about 256 KB anyway.
constexpr std::uintmax_t NoteFileLimit = 64 << 20;

// Reads the note file as HTML for the note window: rich text (a note that starts with "{\rtf")
// through HtmlFromRtf, any other as plain text through HtmlFromPlainText. None, with the reason in
// `error`, for a file that is missing, not a regular file (a FIFO, which would block the program
// before its window appears) or larger than NoteFileLimit.
std::optional<std::string> ReadNoteFile(const std::filesystem::path& path, std::error_code& error);
