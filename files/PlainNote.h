#pragma once

#include <string>
#include <string_view>

// A note that is not rich text, such as one saved from Notepad, as HTML that shows it as it
// reads there: UTF-8 when it is valid UTF-8 (an editor's byte-order mark dropped), else the
// Korean code page; every line a paragraph with its blanks kept, whatever ends it (CR LF, LF or
// CR alone). As long a note is cut and split as rich text is (NoteHtml).
std::string HtmlFromPlainText(std::string_view text);
