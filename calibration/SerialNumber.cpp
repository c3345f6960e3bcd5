#include "calibration/SerialNumber.h"

#include <algorithm>

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Adds one to a run of decimal digits; a carry out of the first digit lengthens it.
void Increment(std::string& digits) {
    for (auto digit = digits.rbegin(); digit != digits.rend(); ++digit) {
        if (*digit != '9') {
            ++*digit;
            return;
        }
        *digit = '0';
    }
    digits.insert(digits.begin(), '1');
}

// Takes one from a run of decimal digits that is not all zeros; the width stays.
void Decrement(std::string& digits) {
    for (auto digit = digits.rbegin(); digit != digits.rend(); ++digit) {
        if (*digit != '0') {
            --*digit;
            return;
        }
        *digit = '9';
    }
}

} // namespace

std::string StepSerialNumber(const std::string& text, int step) {
    const auto lastNonDigit = std::find_if_not(text.rbegin(), text.rend(), IsDigit);
    const std::size_t start = text.size() - (lastNonDigit - text.rbegin());
    if (start == text.size() || step == 0) return text;
    std::string digits = text.substr(start);
    if (step > 0) {
        Increment(digits);
    } else if (digits.find_first_not_of('0') != std::string::npos) {
        Decrement(digits);
    }
    return text.substr(0, start) + digits;
}
