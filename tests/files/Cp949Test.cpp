#include "files/Cp949.h"

#include "files/Utf8.h"

#include <gtest/gtest.h>

namespace {

bool IsWellFormedUtf8(const std::string& text) {
    for (std::size_t pos = 0; pos < text.size();)
        if (!NextCodePoint(text, pos)) return false;
    return true;
}

// What every decoded text must satisfy, whatever the bytes were.
void ExpectSoundDecoding(const std::string& bytes) {
    const std::string text = Utf8FromCp949(bytes);
    ASSERT_TRUE(IsWellFormedUtf8(text)) << testing::PrintToString(bytes);
    ASSERT_EQ(Utf8FromCp949(Cp949FromUtf8(text)), text) << testing::PrintToString(bytes);
}

} // namespace

TEST(Cp949, ConvertsEveryOneAndTwoByteInputSoundly) {
    int characters = 0;
    for (int first = 0; first < 256; ++first) {
        ExpectSoundDecoding(std::string(1, static_cast<char>(first)));
        for (int second = 0; second < 256; ++second) {
            const std::string pair{static_cast<char>(first), static_cast<char>(second)};
            ExpectSoundDecoding(pair);
            const std::string text = Utf8FromCp949(pair);
            if (first >= 0x80 && text != "?" && text.find('?') == std::string::npos) {
                ++characters;
                EXPECT_EQ(Cp949FromUtf8(text), pair);
            }
        }
    }
    EXPECT_EQ(characters, 17048); // the two-byte characters of CP949
}

TEST(Cp949, ReplacesEachBrokenSequenceWithOneMark) {
    const std::pair<std::string, std::string> cases[] = {
        {"\xA2\xE8", "?"},       // consumed whole by some platform decoders, then refused
        {"a\xA2\xE8z", "a?z"},   // and the text after it survives
        {"\xB0\xA1\xB0", "가?"}, // a lead byte cut off at the end
        {"\xC9"
         "A\xFF\x80",
         "?A??"}, // an ASCII second byte stays text
        {"\xA9\xF7", "²"},
    };
    for (const auto& [cp949, utf8] : cases)
        EXPECT_EQ(Utf8FromCp949(cp949), utf8) << testing::PrintToString(cp949);
    const std::pair<std::string, std::string> encodings[] = {
        {"센서 ²", "\xBC\xBE\xBC\xAD \xA9\xF7"},
        {"\xE2\x82", "??"},        // a cut-off sequence
        {"\xED\xA0\x80😀", "????"}, // a surrogate and a character CP949 lacks
    };
    for (const auto& [utf8, cp949] : encodings)
        EXPECT_EQ(Cp949FromUtf8(utf8), cp949) << utf8;
}
