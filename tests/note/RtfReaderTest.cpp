#include "files/RtfReader.h"

#include <gtest/gtest.h>

namespace {

// The reader's output with the paragraph style left out, so expectations stay readable.
std::string Html(const std::string& rtf) {
    std::string html = HtmlFromRtf(rtf);
    const std::string styled = "<p style=\"margin:0; white-space:pre-wrap\">";
    for (auto at = html.find(styled); at != std::string::npos; at = html.find(styled, at))
        html.replace(at, styled.size(), "<p>");
    return html;
}

const std::string Document =
    "{\\rtf1\\ansi\\ansicpg949\\deff0{\\fonttbl{\\f0\\fnil\\fcharset129 Tahoma;}"
    "{\\f1\\fnil \\'b1\\'bc\\'b8\\'b2;}}\r\n"
    "{\\colortbl ;\\red255\\green0\\blue0;}\r\n"
    "{\\stylesheet{\\s0 Normal;}}{\\info{\\title Note}}{\\*\\generator Riched20 10.0;}\r\n"
    "\\viewkind4\\uc1\\pard\\lang1042\\f0\\fs18 [\\'bc\\'d3\\'b5\\'b5]\\par\r\n"
    "  1) \\b bold\\b0 , \\i italic\\i0 , \\ul under\\ulnone  \\u44032?\\par\r\n"
    "\\par\r\n"
    "last\\line line\\tab end\\par\r\n"
    "}\r\n";

} // namespace

TEST(RtfReader, ReadsParagraphsFormattingAndKoreanSkippingTables) {
    EXPECT_EQ(Html(Document), "<p>[속도]</p>"
                              "<p>  1) <b>bold</b>, <i>italic</i>, <u>under</u> 가</p>"
                              "<p></p>"
                              "<p>last<br>line\tend</p>");
}

TEST(RtfReader, GroupsRestoreTheFormattingAroundThem) {
    EXPECT_EQ(Html("{\\b bold {\\i both} bold} plain {\\ul\\b x\\plain y}"),
              "<p><b>bold </b><b><i>both</i></b><b> bold</b> plain <b><u>x</u></b>y</p>");
}

TEST(RtfReader, DecodesCp949AndUnicodeDroppingFallbacks) {
    const struct {
        const char* rtf;
        const char* html;
    } cases[] = {
        {"\\'b0\\'a1\\'B0\\'A1", "가가"}, // escaped bytes, either hex case
        {"\xB0\xA1-\xB0\xA1", "가-가"},   // raw 8-bit bytes
        {"\\'8cc", "똠"},                 // trail byte in the ASCII range
        {"\\'b0\\b x", "?<b>x</b>"},      // lead byte cut off by a control word
        {"\\uc1\\u44032?x", "가x"},
        {"\\u-21504?x", "가x"},              // negative 16-bit form
        {"\\uc2\\u44032\\'b0\\'a1x", "가x"}, // escaped bytes as fallback
        {"\\uc0\\u44032 x", "가x"},
        {"{\\uc3\\u44032?}x", "가x"},          // a brace ends the fallback
        {"\\u-10179?\\u-8704?", "\U0001F600"}, // surrogate pair
        {"\\u-8704?x", "\uFFFDx"},             // lone low surrogate
    };
    for (const auto& c : cases)
        EXPECT_EQ(Html(c.rtf), std::string("<p>") + c.html + "</p>") << c.rtf;
}

TEST(RtfReader, EscapesRtfSymbolsAndHtmlSpecials) {
    EXPECT_EQ(Html("\\{a\\} \\\\ <b> & \"q\"\\~\\-x"),
              "<p>{a} \\ &lt;b&gt; &amp; &quot;q&quot;\u00A0x</p>");
}

TEST(RtfReader, KeepsWhatMalformedInputAllows) {
    const struct {
        const char* rtf;
        const char* html;
    } cases[] = {
        {"{\\rtf1{\\fonttbl{\\f0 Tahoma;}}\\b abc", "<p><b>abc</b></p>"}, // never closed
        {"abc{\\*\\unknown x\\par y", "<p>abc</p>"},
        {"}}abc{", "<p>abc</p>"},   // closes nothing
        {"abc\\", "<p>abc</p>"},    // truncated control
        {"abc\\'b", "<p>abcb</p>"}, // a bad hex byte stays text
        {"abc\\'zz", "<p>abczz</p>"},
        {"abc\\u", "<p>abc</p>"},
        {"abc\\bin99999999999 lost", "<p>abc</p>"},
        {"a\x01 b", "<p>a b</p>"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Html(c.rtf), c.html) << c.rtf;
    for (std::size_t length = 0; length < Document.size(); ++length)
        HtmlFromRtf(Document.substr(0, length));
    EXPECT_EQ(Html(std::string(100000, '{') + "deep"), "<p>deep</p>");
}
