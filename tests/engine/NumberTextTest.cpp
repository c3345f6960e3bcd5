#include "engine/NumberText.h"

#include <gtest/gtest.h>

TEST(NumberText, FixedTextRoundsToDecimalsAndPrecision) {
    // Exponent past the precision; halves away from zero (a hair below in binary: down); no -0.
    const std::tuple<double, int, int, const char*> cases[] = {
        {123.456789, 4, 6, "123.4570"}, {9.9996, 3, 6, "10.000"},
        {12345.67, 2, 5, "12346.00"},   {1234567.0, 1, 6, "1.23457E+6"},
        {999999.7, 1, 6, "1.00000E+6"}, // carries into E+6
        {-99999.7, 1, 5, "-1.0000E+5"}, {2.5, 0, 6, "3"},
        {-0.0625, 3, 6, "-0.063"},      {0.15, 1, 6, "0.1"},
        {2.675, 2, 6, "2.67"},          {-0.049, 1, 5, "0.0"}};
    for (const auto& [value, decimals, precision, text] : cases)
        EXPECT_EQ(FormatFixed(value, decimals, precision), text) << value;
}

TEST(NumberText, ParsersAcceptOnlyWholeNumbers) {
    EXPECT_EQ(ParseReal(" -2.5e1 "), -25.0);
    EXPECT_EQ(ParseInteger("+7"), 7);
    EXPECT_EQ(ParseInteger("2147483648"), std::nullopt);
    for (const char* text : {"", "+-1", "1,5", "1e999", "0x1"})
        EXPECT_FALSE(ParseReal(text) || ParseInteger(text)) << text;
}
