#include "engine/NumberText.h"

#include <gtest/gtest.h>

TEST(NumberText, FixedTextRoundsToDecimalsAndPrecision) {
    const struct {
        double value;
        int decimals, precision;
        const char* text;
    } cases[] = {
        {0.5, 3, 6, "0.500"},       {4.9, 2, 6, "4.90"},          {-0.0049, 3, 6, "-0.005"},
        {-0.04802, 2, 6, "-0.05"},  {-0.0001, 3, 6, "0.000"},     {0.0, 1, 6, "0.0"},
        {123.456789, 4, 6, "123.4570"}, {1234567.0, 1, 6, "1.23457E+6"}, {12.5, 0, 6, "13"}, {0.0625, 3, 6, "0.063"}, {9.9996, 3, 6, "10.000"}, {999999.7, 1, 6, "1.00000E+6"},
        {0.04018, 1, 5, "0.0"},     {28.5, 1, 6, "28.5"},         {-1.25, 2, 6, "-1.25"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatFixed(c.value, c.decimals, c.precision), c.text) << c.value;
}
