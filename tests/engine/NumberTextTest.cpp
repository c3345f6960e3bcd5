#include "engine/NumberText.h"

#include <gtest/gtest.h>

TEST(NumberText, FixedTextRoundsToDecimalsAndPrecision) {
    const struct {
        double value;
        int decimals, precision;
        const char* text;
    } cases[] = {
        {0.5, 3, 6, "0.500"},
        {4.9, 2, 6, "4.90"},
        {-0.0049, 3, 6, "-0.005"},
        {-0.04802, 2, 6, "-0.05"},
        {-0.0001, 3, 6, "0.000"},
        {0.0, 1, 6, "0.0"},
        {123.456789, 4, 6, "123.4570"},
        {1234567.0, 1, 6, "1.23457E+6"},
        {12.5, 0, 6, "13"},
        {0.0625, 3, 6, "0.063"},
        {9.9996, 3, 6, "10.000"},
        {999999.7, 1, 6, "1.00000E+6"},
        {0.04018, 1, 5, "0.0"},
        {28.5, 1, 6, "28.5"},
        {-1.25, 2, 6, "-1.25"},
        // Exact halves go away from zero; values a hair below a half in binary go down.
        {2.5, 0, 6, "3"},
        {-2.5, 0, 6, "-3"},
        {-0.0625, 3, 6, "-0.063"},
        {0.125, 2, 6, "0.13"},
        {0.15, 1, 6, "0.1"},
        {2.675, 2, 6, "2.67"},
        // No negative zero, however small the value.
        {-0.0, 2, 6, "0.00"},
        {-0.049, 1, 5, "0.0"},
        {-4e-30, 3, 6, "0.000"},
        {123.456, 2, 5, "123.46"},
        {12345.67, 2, 5, "12346.00"},
        {-99999.7, 1, 5, "-1.0000E+5"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatFixed(c.value, c.decimals, c.precision), c.text) << c.value;
}

TEST(NumberText, ParsersAcceptOnlyWholeNumbers) {
    const struct {
        const char* text;
        std::optional<double> real;
        std::optional<int> integer;
    } cases[] = {
        {"0.5", 0.5, std::nullopt},
        {" -2 ", -2.0, -2},
        {"+7", 7.0, 7},
        {"1e3", 1000.0, std::nullopt},
        {"", std::nullopt, std::nullopt},
        {"+-1", std::nullopt, std::nullopt},
        {"1,5", std::nullopt, std::nullopt},
        {"abc", std::nullopt, std::nullopt},
        {"2147483647", 2147483647.0, 2147483647},
        {"2147483648", 2147483648.0, std::nullopt},
        {"1e999", std::nullopt, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseReal(c.text), c.real) << c.text;
        EXPECT_EQ(ParseInteger(c.text), c.integer) << c.text;
    }
}
