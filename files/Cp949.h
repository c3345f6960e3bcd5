#pragma once

#include <string>

// The stored files are Korean CP949 text; the program works in UTF-8. Every byte sequence
// that is not a character, and every character CP949 lacks, becomes one "?" and the rest of
// the text survives. Both directions only ever read inside their input.
std::string Cp949FromUtf8(const std::string& utf8);
std::string Utf8FromCp949(const std::string& cp949);
