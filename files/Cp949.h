#pragma once

#include <string>

// The stored files are Korean CP949 text; the program works in UTF-8. A character that has
// no counterpart, or a broken byte sequence, becomes "?" and the rest of the text survives.
std::string Cp949FromUtf8(const std::string& utf8);
std::string Utf8FromCp949(const std::string& cp949);
