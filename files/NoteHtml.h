#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Text reaches the note in pieces of about this many bytes, converted one at a time, so that a
// note cut short converts little more than it shows.
constexpr std::size_t NoteTextPiece = 1024;

struct CharacterFormat {
    bool Bold = false, Italic = false, Underline = false;
    bool operator==(const CharacterFormat&) const = default;
};

// Builds the note window's text as HTML for a rich-text view: one <p> per paragraph with its
// blanks kept, <b>/<i>/<u> for the character formatting. It stays quick to lay out whatever
// the note holds: a paragraph is shown as several of at most about 4 KB (the view lays one out
// in quadratic time), and after about 256 KB (about a second of layout) the rest is dropped
// for a paragraph saying the note was cut.
class NoteHtml {
public:
    // Text in UTF-8, escaped for HTML.
    void Text(std::string_view utf8, const CharacterFormat& format);
    // HTML of the reader's own, such as <br>.
    void Markup(const std::string& markup, const CharacterFormat& format);
    void EndParagraph();
    // Whether the rest of the note would be dropped.
    bool Cut() const { return CutShort; }
    // The whole HTML, a paragraph still open ended.
    std::string Finish();

private:
    void CloseTags();

    CharacterFormat Open;
    std::string Paragraph;
    std::string Html;
    bool CutShort = false;
};
