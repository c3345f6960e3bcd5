#include "engine/RunControl.h"

#include <gtest/gtest.h>

TEST(LostSamples, AreReportedBeyondTwoPercentOfTheRunTime) {
    const std::tuple<std::uint32_t, double, std::optional<std::string>> cases[] = {
        {500, 10.0, {}},
        {600, 10.0, {}}, // a device faster than 50 a second
        {491, 10.0, {}},
        {489, 10.0, "약 11개(2%)"},
        {8395, 200.0, "약 1605개(16%)"},
        {2, 0.1, {}}, // three samples of event delivery
        {1, 0.2, "약 9개(90%)"},
    };
    for (const auto& [received, seconds, count] : cases) {
        const auto line = LostSamplesLine(received, seconds);
        EXPECT_EQ(line.has_value(), count.has_value()) << received << " in " << seconds << " s";
        if (line && count) {
            EXPECT_EQ(*line, "[주의] 이번 측정에서 샘플 " + *count +
                                 "를 받지 못했습니다. 시간 값이 실제보다 짧게 나타납니다");
        }
    }
}
