#pragma once

#include <string>

// Turns the common subset of rich text (RTF) into an HTML fragment for a rich-text view:
// one <p> per paragraph with its blanks kept, <br> for line breaks, <b>/<i>/<u> for the
// character formatting. `\'hh` bytes and raw 8-bit bytes are CP949 text; `\uN` is Unicode
// with its `\ucN` fallback characters dropped. Font, colour and style tables, document
// information, pictures and every `\*` destination are skipped. Malformed input never fails:
// unbalanced braces and a truncated control word end or skip only what they spoil. A long note
// is cut and split as NoteHtml bounds it.
std::string HtmlFromRtf(const std::string& rtf);
