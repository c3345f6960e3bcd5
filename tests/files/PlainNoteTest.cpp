#include "files/PlainNote.h"

#include <gtest/gtest.h>

namespace {

const std::string P = "<p style=\"margin:0; white-space:pre-wrap\">";
const std::string Empty =
    "<p style=\"-qt-paragraph-type:empty; margin:0; white-space:pre-wrap\"></p>";
const std::string CutNotice = P + "[알림 파일이 너무 길어 앞부분만 표시했습니다]</p>";

std::size_t Paragraphs(const std::string& html) {
    std::size_t count = 0;
    for (std::size_t at = html.find(P); at != std::string::npos; at = html.find(P, at + 1))
        ++count;
    return count;
}

} // namespace

TEST(PlainNote, ShowsEachLineAsItReadsInNotepad) {
    const std::pair<std::string, std::string> cases[] = {
        {"\xEF\xBB\xBF\xEA\xB0\x80 <b>\r\nx", P + "가 &lt;b&gt;</p>" + P + "x</p>"},
        {"\xB0\xA1\t&\r\rend\n", P + "가\t&amp;</p>" + Empty + P + "end</p>" + Empty},
        {"", Empty},
    };
    for (const auto& [note, html] : cases)
        EXPECT_EQ(HtmlFromPlainText(note), html) << note;
}

// Both code pages, as one endless line and as many short ones: the view gets a bounded text
// of short paragraphs that ends saying it was cut.
TEST(PlainNote, SplitsHugeLinesAndCutsAHugeNoteWithANotice) {
    const std::string pieces[] = {"\xB0\xA1", "가", "가\r\n", "\xB0\xA1\n"};
    for (const std::string& piece : pieces) {
        std::string note;
        while (note.size() < (10 << 20))
            note += piece;
        const std::string html = HtmlFromPlainText(note);
        SCOPED_TRACE(piece);
        EXPECT_TRUE(html.starts_with(P + "가"));
        EXPECT_TRUE(html.ends_with(CutNotice));
        EXPECT_LT(html.size(), 300000u);
        EXPECT_GT(Paragraphs(html), html.size() / 5000);
        EXPECT_EQ(html.find("?"), std::string::npos); // no character cut in two
    }
}
