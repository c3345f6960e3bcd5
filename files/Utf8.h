#pragma once

#include <optional>
#include <string>
#include <string_view>

// Appends the UTF-8 form of a Unicode code point.
void AppendUtf8(std::string& text, char32_t codePoint);

// The code point that starts at `pos`, which then moves past it. A byte that does not start a
// well-formed sequence gives nothing and `pos` moves past that one byte.
std::optional<char32_t> NextCodePoint(std::string_view text, std::size_t& pos);
