#include "calibration/Calibration.h"

#include "calibration/SerialNumber.h"

#include <gtest/gtest.h>

TEST(Calibration, OffsetIsTheMidpointOfThePeaksAndScaleTheReferenceOverTheSpan) {
    const struct {
        std::int16_t Min, Max;
        double Reference;
        std::int32_t Span;
        std::int16_t Offset;
        std::optional<std::int16_t> Fine, Coarse; // resolutions 1000 and 100
    } cases[] = {
        {-1000, 1050, 2048, 2050, 25, 999, 100},
        {-1020, 1028, 1024, 2048, 4, 500, 50},
        {-512, 512, 1024, 1024, 0, 1000, 100},
        {-1001, 1050, 2048, 2051, 24, 999, 100},         // the half span 1025.5 truncates
        {-32768, 32767, 32767, 65535, -1, 500, 50},      // the widest span
        {100, -100, 1024, -200, 0, -5119, -511},         // peaks crossed: negative scale
        {-16548, 16876, 32767, 33424, 164, 980, 98},     // an uncalibrated sensor
        {0, 1, 32767, 1, 0, -1000, -100},                // 32767000 and 3276700 to 16 bits
        {7, 7, 1024, 0, 7, std::nullopt, std::nullopt},  // no span to divide by
        {0, 1, 1e307, 1, 0, std::nullopt, std::nullopt}, // no finite product
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Min << ".." << c.Max << " ref " << c.Reference);
        EXPECT_EQ(PeakSpan(c.Min, c.Max), c.Span);
        EXPECT_EQ(CalibrationOffset(c.Min, c.Max), c.Offset);
        EXPECT_EQ(CalibrationScale(c.Reference, c.Span, ScaleResolutionFine), c.Fine);
        EXPECT_EQ(CalibrationScale(c.Reference, c.Span, ScaleResolutionCoarse), c.Coarse);
    }
}

TEST(Calibration, SerialNumberStepsItsTrailingNumberKeepingWidthAndPrefix) {
    const struct {
        const char* Text;
        int Step;
        const char* Stepped;
    } cases[] = {
        {"SE170001", 1, "SE170002"},
        {"SE170001", -1, "SE170000"},
        {"SE179999", 1, "SE180000"},
        {"A1B2", 1, "A1B3"},
        {"SE999999", 1, "SE1000000"},
        {"SE1000000", -1, "SE0999999"},
        {"SE000000", -1, "SE000000"},
        {"9", 1, "10"},
        {"센서07", 1, "센서08"},
        {"SE17A", 1, "SE17A"},
        {"", 1, ""},
        {"SE99999999999999999999", 1, "SE100000000000000000000"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StepSerialNumber(c.Text, c.Step), c.Stepped) << c.Text << " " << c.Step;
}
