#include "messages/Message.h"

#include <gtest/gtest.h>
#include <set>
#include <string>

TEST(Message, ArgumentsGoInOnceEachAndNestedMessagesInTheirOwnText) {
    EXPECT_EQ(KoreanText({MessageId::LostSamples, {"11", "2"}}),
              "[주의] 이번 측정에서 샘플 약 11개(2%)를 받지 못했습니다. 시간 값이 실제보다 짧게 "
              "나타납니다");
    EXPECT_EQ(KoreanText({MessageId::StrayPointsLeftOut, {MessageId::SineFit, "2"}}),
              "사인 맞춤, 튀는 점 2개 제외");
    // An argument holding a placeholder is not filled in again.
    EXPECT_EQ(KoreanText({MessageId::AxisReadout, {"%2", "0.5"}}), "%2축ACC:0.5");
    EXPECT_EQ(KoreanText(std::string("Run autosaved : %1")), "Run autosaved : %1");
    // Each id's text as the given source has it, for the translated screen.
    EXPECT_EQ(ComposedText({MessageId::AccelerationTitle, {"X", " [g]"}},
                           [](MessageId) { return std::string("%1 acceleration%2"); }),
              "X acceleration [g]");
}

TEST(Message, EveryIdHasATextOfItsOwn) {
    std::set<std::string> texts;
    for (int i = 1; i < MessageIdCount; ++i) {
        const std::string text = KoreanSource(static_cast<MessageId>(i));
        EXPECT_FALSE(text.empty()) << i;
        EXPECT_TRUE(texts.insert(text).second) << text;
    }
}
