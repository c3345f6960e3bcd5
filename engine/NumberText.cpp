#include "engine/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

// Decimal exponent of the value once rounded to `precision` significant digits.
int DecimalExponent(double magnitude, int precision) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*e", precision - 1, magnitude);
    return std::atoi(std::strchr(text, 'e') + 1);
}

std::string ExponentText(double value, int precision) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*E", precision - 1, value);
    std::string result(text);
    const auto e = result.find('E');
    const char sign = result[e + 1];
    std::string digits = result.substr(e + 2);
    digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size() - 1));
    return result.substr(0, e + 1) + sign + digits;
}

// The magnitude with `decimals` decimals, halves rounded away from zero. The first dropped
// digit of the (practically exact) long expansion decides the rounding.
std::string RoundedDigits(double magnitude, int decimals) {
    char text[400];
    std::snprintf(text, sizeof text, "%.*f", decimals + 25, magnitude);
    std::string digits(text);
    const auto point = digits.find('.');
    const char dropped = digits[point + decimals + 1];
    digits.erase(decimals == 0 ? point : point + decimals + 1);
    if (dropped >= '5') {
        int i = static_cast<int>(digits.size()) - 1;
        for (; i >= 0; --i) {
            if (digits[i] == '.') continue;
            if (digits[i] != '9') {
                ++digits[i];
                break;
            }
            digits[i] = '0';
        }
        if (i < 0) digits.insert(0, "1");
    }
    return digits;
}

bool IsZeroText(const std::string& text) {
    return text.find_first_not_of("-0.") == std::string::npos;
}

} // namespace

std::string FormatFixed(double value, int decimals, int precision) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
    decimals = std::clamp(decimals, 0, 18);
    precision = std::clamp(precision, 1, 18);
    const double magnitude = std::fabs(value);
    int kept = decimals;
    if (magnitude != 0.0) {
        const int exponent = DecimalExponent(magnitude, precision);
        if (exponent + 1 > precision) return ExponentText(value, precision);
        kept = std::clamp(precision - exponent - 1, 0, decimals);
    }
    std::string result = RoundedDigits(magnitude, kept);
    if (kept < decimals) {
        if (kept == 0) result += '.';
        result.append(decimals - kept, '0');
    }
    if (value < 0 && !IsZeroText(result)) result.insert(0, "-");
    return result;
}

std::optional<double> ParseReal(const std::string& text) {
    std::string trimmed = Trimmed(text);
    if (trimmed.empty()) return std::nullopt;
    if (trimmed.find_first_not_of("0123456789+-.eE") != std::string::npos) return std::nullopt;
    std::size_t start = trimmed[0] == '+' ? 1 : 0;
    if (start == 1 && trimmed.size() > 1 && trimmed[1] == '-') return std::nullopt;
    double value = 0.0;
    const char* end = trimmed.data() + trimmed.size();
    const auto [last, error] = std::from_chars(trimmed.data() + start, end, value);
    if (error != std::errc() || last != end) return std::nullopt;
    return value;
}

std::optional<int> ParseInteger(const std::string& text) {
    std::string trimmed = Trimmed(text);
    if (trimmed.empty()) return std::nullopt;
    std::size_t start = trimmed[0] == '+' ? 1 : 0;
    if (start == 1 && trimmed.size() > 1 && trimmed[1] == '-') return std::nullopt;
    int value = 0;
    const char* end = trimmed.data() + trimmed.size();
    const auto [last, error] = std::from_chars(trimmed.data() + start, end, value);
    if (error != std::errc() || last != end) return std::nullopt;
    return value;
}
