// Any bytes as the note file, read as rich text and as plain text: the HTML built from them is
// well-formed UTF-8 in which every tag is one the readers write, properly nested, every "&"
// starts one of its entities, and the whole stays bounded however large the note.
#include "files/PlainNote.h"
#include "files/RtfReader.h"
#include "files/Utf8.h"
#include "fuzz/FuzzSupport.h"

#include <string_view>

namespace {

const std::string_view ParagraphStart = "<p style=\"margin:0; white-space:pre-wrap\">";
const std::string_view EmptyParagraph =
    "<p style=\"-qt-paragraph-type:empty; margin:0; white-space:pre-wrap\"></p>";

bool TakePrefix(std::string_view& text, std::string_view prefix) {
    if (!text.starts_with(prefix)) return false;
    text.remove_prefix(prefix.size());
    return true;
}

// Checks one paragraph's content up to its "</p>", which it consumes.
void CheckParagraph(std::string_view& html) {
    std::string open; // the formatting tags open, innermost last
    while (!TakePrefix(html, "</p>")) {
        Require(!html.empty());
        bool known = false;
        for (const char tag : std::string_view("biu")) {
            if (TakePrefix(html, std::string{'<', tag, '>'})) {
                Require(open.find(tag) == std::string::npos);
                open += tag;
                known = true;
            } else if (TakePrefix(html, std::string{'<', '/', tag, '>'})) {
                Require(!open.empty() && open.back() == tag);
                open.pop_back();
                known = true;
            }
        }
        if (known || TakePrefix(html, "<br>")) continue;
        if (html[0] == '&') {
            Require(TakePrefix(html, "&amp;") || TakePrefix(html, "&lt;") ||
                    TakePrefix(html, "&gt;") || TakePrefix(html, "&quot;"));
            continue;
        }
        Require(html[0] != '<' && html[0] != '>' && html[0] != '"');
        std::size_t pos = 0;
        Require(NextCodePoint(html, pos));
        html.remove_prefix(pos);
    }
    Require(open.empty());
}

void CheckNote(const std::string& html) {
    Require(html.size() <= (256 + 8) << 10);
    std::string_view rest = html;
    while (!rest.empty()) {
        if (TakePrefix(rest, EmptyParagraph)) continue;
        Require(TakePrefix(rest, ParagraphStart));
        Require(!TakePrefix(rest, "</p>")); // an empty one is marked as such
        CheckParagraph(rest);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    const std::string note(bytes, bytes + size);
    CheckNote(HtmlFromRtf(note));
    CheckNote(HtmlFromPlainText(note));
    return 0;
}
