#pragma once

#include <optional>
#include <string>
#include <string_view>

// Editors and spreadsheets put this before UTF-8 text.
constexpr std::string_view Utf8ByteOrderMark = "\xEF\xBB\xBF";

// Appends the UTF-8 form of a Unicode code point.
void AppendUtf8(std::string& text, char32_t codePoint);

// The code point that starts at `pos`, which then moves past it. A byte that does not start a
// well-formed sequence gives nothing and `pos` moves past that one byte.
std::optional<char32_t> NextCodePoint(std::string_view text, std::size_t& pos);
