#include "engine/NumberText.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace {

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
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

constexpr auto PowerOfTen = [] {
    std::array<double, 19> powers{};
    double power = 1;
    for (double& p : powers) {
        p = power;
        power *= 10;
    }
    return powers;
}();

// The value is a half at the last of `decimals` decimals: with value = mantissa × 2^-shift,
// twice the value times 10^decimals is an odd whole number.
bool IsHalfAt(double magnitude, int decimals) {
    if (magnitude == 0.0) return false;
    int exponent = 0;
    const auto mantissa =
        static_cast<std::uint64_t>(std::ldexp(std::frexp(magnitude, &exponent), 53));
    return std::countr_zero(mantissa) + decimals + 1 == 53 - exponent;
}

// The magnitude with `decimals` decimals, halves rounded away from zero. The standard
// conversion rounds the exact binary value but sends halves to even, so a half is written
// with one more decimal, its 5 dropped and the rest rounded up here.
std::string RoundedDigits(double magnitude, int decimals) {
    char text[400];
    char* const end = text + sizeof text;
    if (!IsHalfAt(magnitude, decimals)) {
        return std::string(
            text, std::to_chars(text, end, magnitude, std::chars_format::fixed, decimals).ptr);
    }
    std::string digits(
        text, std::to_chars(text, end, magnitude, std::chars_format::fixed, decimals + 1).ptr);
    digits.pop_back();
    if (digits.back() == '.') digits.pop_back();
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
    return digits;
}

int SignificantDigits(const std::string& digits) {
    const auto first = digits.find_first_not_of("0.");
    if (first == std::string::npos) return 0;
    return static_cast<int>(
        std::count_if(digits.begin() + first, digits.end(), [](char c) { return c != '.'; }));
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
    if (magnitude >= PowerOfTen[precision] - 1 &&
        SignificantDigits(RoundedDigits(magnitude, 0)) > precision)
        return ExponentText(value, precision);
    // More significant digits than the precision: round at the last significant digit
    // instead and pad with zeros.
    int kept = decimals;
    std::string result = RoundedDigits(magnitude, kept);
    const int excess = SignificantDigits(result) - precision;
    if (excess > 0) {
        kept = std::max(decimals - excess, 0);
        result = RoundedDigits(magnitude, kept);
    }
    if (kept < decimals) {
        if (kept == 0) result += '.';
        result.append(decimals - kept, '0');
    }
    if (value < 0 && !IsZeroText(result)) result.insert(0, "-");
    return result;
}

namespace {

// A whole text as one number of type T: an optional sign, no other characters.
template <typename T> std::optional<T> ParseWhole(const std::string& text) {
    const std::string trimmed = Trimmed(text);
    if (trimmed.empty()) return std::nullopt;
    const std::size_t start = trimmed[0] == '+' ? 1 : 0;
    if (start == 1 && trimmed.size() > 1 && trimmed[1] == '-') return std::nullopt;
    T value{};
    const char* end = trimmed.data() + trimmed.size();
    const auto [last, error] = std::from_chars(trimmed.data() + start, end, value);
    if (error != std::errc() || last != end) return std::nullopt;
    return value;
}

} // namespace

std::optional<double> ParseReal(const std::string& text) {
    // from_chars would also take "inf", "nan" and hexadecimal digits.
    if (text.find_first_not_of(" 0123456789+-.eE") != std::string::npos) return std::nullopt;
    return ParseWhole<double>(text);
}

std::optional<int> ParseInteger(const std::string& text) {
    return ParseWhole<int>(text);
}
