#include "files/RtfReader.h"

#include <gtest/gtest.h>

const std::string Document =
    "{\\rtf1\\ansi\\ansicpg949\\deff0{\\fonttbl{\\f0\\fnil\\fcharset129 Tahoma;}"
    "{\\f1\\fnil \\'b1\\'bc\\'b8\\'b2;}}\r\n{\\colortbl ;\\red255\\green0\\blue0;}\r\n"
    "{\\stylesheet{\\s0 Normal;}}{\\info{\\title Note}}{\\*\\generator Riched20 10.0;}\r\n"
    "\\viewkind4\\uc1\\pard\\lang1042\\f0\\fs18 [\\'bc\\'d3\\'b5\\'b5]\\par\r\n"
    "  1) \\b bold\\b0 , {\\i italic}, \\ul <u>\\ulnone  \\u44032?\\u-10179?\\u-8704?\\par\r\n"
    "\\par\r\nlast\\line line\\tab end\\par\r\n}\r\n";
const std::string P = "<p style=\"margin:0; white-space:pre-wrap\">";
const std::string Empty =
    "<p style=\"-qt-paragraph-type:empty; margin:0; white-space:pre-wrap\"></p>";

TEST(RtfReader, ReadsATypicalNoteSkippingItsTables) {
    EXPECT_EQ(HtmlFromRtf(Document),
              P + "[속도]</p>" + P + "  1) <b>bold</b>, <i>italic</i>, <u>&lt;u&gt;</u> 가😀</p>" +
                  Empty + P + "last<br>line\tend</p>");
}

TEST(RtfReader, KeepsWhatMalformedInputAllows) {
    const std::pair<const char*, const char*> cases[] = {
        {"}}abc\\'zz{\\b\\u", "abczz"},
        {"abc\\bin99999999999 lost", "abc"},
        {"\\u-8704?\\'b0\\b x", "\uFFFD?<b>x</b>"}}; // a lone surrogate, a cut-off lead byte
    for (const auto& [rtf, text] : cases)
        EXPECT_EQ(HtmlFromRtf(rtf), P + text + "</p>") << rtf;
    EXPECT_EQ(HtmlFromRtf(std::string(100000, '{') + "deep"), P + "deep</p>");
    EXPECT_EQ(HtmlFromRtf("\xEF\xBB\xBF{\\rtf1 a}"), P + "a</p>"); // an editor's BOM
}

TEST(RtfReader, SplitsHugeParagraphsAndCutsAHugeNoteWithANotice) {
    std::string note;
    for (int i = 0; i < 1000000; ++i)
        note += "\x81"
                "a"; // a lead byte before a letter: one Hangul character each
    const std::string html = HtmlFromRtf(note);
    EXPECT_TRUE(html.starts_with(P + "\uAC35\uAC35"));
    EXPECT_TRUE(html.ends_with(P + "[알림 파일이 너무 길어 앞부분만 표시했습니다]</p>"));
    EXPECT_LT(html.size(), 300000u);
    std::size_t paragraphs = 0;
    for (std::size_t at = html.find(P); at != std::string::npos; at = html.find(P, at + 1))
        ++paragraphs;
    EXPECT_GT(paragraphs, html.size() / 5000);
}
