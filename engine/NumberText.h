#pragma once

#include <optional>
#include <string>

// The fixed-point text the value boxes and files use: the value rounded to `precision`
// significant digits or `decimals` decimals, whichever keeps fewer, then padded with zeros
// to `decimals` decimals. Exponent notation only when the integer part needs more digits
// than the precision. A zero result never carries a minus sign.
std::string FormatFixed(double value, int decimals, int precision = 6);

// A real number typed by the user: optional blanks around an optional sign, digits, an
// optional fraction and exponent. Anything else is not a number.
std::optional<double> ParseReal(const std::string& text);

// A whole number typed by the user, in the int32 range.
std::optional<int> ParseInteger(const std::string& text);
