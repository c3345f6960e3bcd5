#include "files/NoteHtml.h"

#include <algorithm>
#include <utility>

namespace {

constexpr std::size_t ShownLimit = 256 << 10;
constexpr std::size_t ParagraphLimit = 4096;
const std::string CutNotice = "[알림 파일이 너무 길어 앞부분만 표시했습니다]";
const std::string ParagraphStart = "<p style=\"margin:0; white-space:pre-wrap\">";
// The view drops an empty paragraph unless marked as its own: a blank line would vanish.
const std::string EmptyParagraph =
    "<p style=\"-qt-paragraph-type:empty; margin:0; white-space:pre-wrap\"></p>";

} // namespace

// Long texts go to Markup in pieces, so that a paragraph can be split between them.
void NoteHtml::Text(std::string_view utf8, const CharacterFormat& format) {
    while (!utf8.empty() && !CutShort) {
        std::size_t length = std::min(utf8.size(), NoteTextPiece);
        while (length < utf8.size() && (static_cast<unsigned char>(utf8[length]) & 0xC0) == 0x80)
            ++length;
        std::string escaped;
        for (const char c : utf8.substr(0, length)) {
            if (c == '&')
                escaped += "&amp;";
            else if (c == '<')
                escaped += "&lt;";
            else if (c == '>')
                escaped += "&gt;";
            else if (c == '"')
                escaped += "&quot;";
            else
                escaped += c;
        }
        Markup(escaped, format);
        utf8.remove_prefix(length);
    }
}

void NoteHtml::Markup(const std::string& markup, const CharacterFormat& format) {
    if (CutShort) return;
    if (Paragraph.size() >= ParagraphLimit) EndParagraph();
    if (Open != format) {
        CloseTags();
        if (format.Bold) Paragraph += "<b>";
        if (format.Italic) Paragraph += "<i>";
        if (format.Underline) Paragraph += "<u>";
        Open = format;
    }
    Paragraph += markup;
}

void NoteHtml::CloseTags() {
    if (Open.Underline) Paragraph += "</u>";
    if (Open.Italic) Paragraph += "</i>";
    if (Open.Bold) Paragraph += "</b>";
    Open = {};
}

void NoteHtml::EndParagraph() {
    if (CutShort) return;
    CloseTags();
    Html += Paragraph.empty() ? EmptyParagraph : ParagraphStart + Paragraph + "</p>";
    Paragraph.clear();
    // Beyond this the note would only freeze the view: the rest is not read.
    if (Html.size() >= ShownLimit) {
        CutShort = true;
        Html += ParagraphStart + CutNotice + "</p>";
    }
}

std::string NoteHtml::Finish() {
    if (!Paragraph.empty()) EndParagraph();
    return std::move(Html);
}
