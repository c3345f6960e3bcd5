#include "files/PlainNote.h"

#include "files/Cp949.h"
#include "files/NoteHtml.h"
#include "files/Utf8.h"

#include <algorithm>

namespace {

bool IsUtf8(std::string_view text) {
    for (std::size_t pos = 0; pos < text.size();) {
        if (static_cast<unsigned char>(text[pos]) < 0x80)
            ++pos;
        else if (!NextCodePoint(text, pos))
            return false;
    }
    return true;
}

// A line in the Korean code page, converted a piece at a time until the note is cut. A lead
// byte and the byte after it stay in one piece, whatever that byte is: the converter then
// starts the next piece where it would have gone on.
void AddCp949Line(std::string_view line, NoteHtml& html) {
    while (!line.empty() && !html.Cut()) {
        std::size_t length = 0;
        while (length < line.size() && length < NoteTextPiece) {
            const auto byte = static_cast<unsigned char>(line[length]);
            length += byte >= 0x81 && byte <= 0xFE ? 2 : 1;
        }
        length = std::min(length, line.size());
        html.Text(Utf8FromCp949(std::string(line.substr(0, length))), {});
        line.remove_prefix(length);
    }
}

} // namespace

std::string HtmlFromPlainText(std::string_view text) {
    const bool utf8 = IsUtf8(text);
    if (utf8 && text.starts_with(Utf8ByteOrderMark)) text.remove_prefix(Utf8ByteOrderMark.size());
    NoteHtml html;
    while (!html.Cut()) {
        const std::size_t end = std::min(text.find_first_of("\r\n"), text.size());
        if (utf8)
            html.Text(text.substr(0, end), {});
        else
            AddCp949Line(text.substr(0, end), html);
        // A line end also ends the text's last line, which then is an empty one.
        html.EndParagraph();
        if (end == text.size()) break;
        text.remove_prefix(text.compare(end, 2, "\r\n") == 0 ? end + 2 : end + 1);
    }
    return html.Finish();
}
