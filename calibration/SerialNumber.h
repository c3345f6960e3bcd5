#pragma once

#include <string>

// The sensor serial number one step up (step > 0) or down (step < 0): the run of digits that
// ends the text counts, keeping its width with leading zeros and everything before it
// (SE170001 → SE170002, A1B2 → A1B3, SE999999 → SE1000000). The number never goes below
// zero, and a text that does not end in digits is returned unchanged. The digits are
// counted as text, so a number of any length steps without overflow.
std::string StepSerialNumber(const std::string& text, int step);
