#include "files/NoteFile.h"

#include "files/OpenFile.h"
#include "files/PlainNote.h"
#include "files/RtfReader.h"

#include <cstdio>

std::optional<std::string> ReadNoteFile(const std::filesystem::path& path, std::error_code& error) {
    const OpenedFile file(OpenRegularFile(path, "rb", error));
    if (!file) return std::nullopt;
    std::string note;
    char piece[64 << 10];
    for (std::size_t read; (read = std::fread(piece, 1, sizeof piece, file.get())) > 0;) {
        note.append(piece, read);
        if (note.size() > NoteFileLimit) {
            error = std::make_error_code(std::errc::file_too_large);
            return std::nullopt;
        }
    }
    if (std::ferror(file.get())) {
        error = std::make_error_code(std::errc::io_error);
        return std::nullopt;
    }
    if (note.starts_with("{\\rtf")) return HtmlFromRtf(note);
    return HtmlFromPlainText(note);
}
