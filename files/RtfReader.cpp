#include "files/RtfReader.h"

#include "files/Cp949.h"
#include "files/NoteHtml.h"
#include "files/Utf8.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <set>
#include <vector>

namespace {

// Groups whose content is not document text.
const std::set<std::string> SkippedDestinations = {
    "fonttbl",   "colortbl",          "stylesheet", "info",   "pict",      "header",
    "headerl",   "headerr",           "headerf",    "footer", "footerl",   "footerr",
    "footerf",   "footnote",          "fldinst",    "object", "listtable", "listoverridetable",
    "rsidtbl",   "generator",         "filetbl",    "revtbl", "themedata", "latentstyles",
    "datastore", "colorschememapping"};

// Control words that stand for one character.
const std::map<std::string, std::string> SymbolWords = {
    {"tab", "\t"},        {"emdash", "\u2014"},    {"endash", "\u2013"},    {"lquote", "\u2018"},
    {"rquote", "\u2019"}, {"ldblquote", "\u201C"}, {"rdblquote", "\u201D"}, {"bullet", "\u2022"}};

constexpr std::size_t MaxDepth = 4096;

// What a group saves at "{" and gets back at "}".
struct GroupState {
    CharacterFormat format;
    bool skipped = false;
    int fallbackLength = 1; // \ucN: characters that stand in for each \uN
};

std::string Utf8FromCodePoint(char32_t c) {
    std::string text;
    AppendUtf8(text, c);
    return text;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

class RtfToHtml {
public:
    explicit RtfToHtml(const std::string& rtf) : rtf(rtf) {}

    std::string Convert() {
        // Editors may put a UTF-8 byte-order mark before the text.
        if (rtf.starts_with(Utf8ByteOrderMark)) pos = Utf8ByteOrderMark.size();
        while (pos < rtf.size() && !html.Cut()) {
            const char c = rtf[pos++];
            if (c == '{' || c == '}') {
                FlushBytes();
                fallbackLeft = 0;
                // Beyond a sane depth groups only count, so that nesting cannot eat memory.
                if (c == '{' && groups.size() < MaxDepth) {
                    groups.push_back(state);
                } else if (c == '{') {
                    ++unsavedGroups;
                } else if (unsavedGroups > 0) {
                    --unsavedGroups;
                } else if (!groups.empty()) {
                    state = groups.back();
                    groups.pop_back();
                }
            } else if (c == '\\') {
                Control();
            } else if (static_cast<unsigned char>(c) >= ' ' || c == '\t') {
                Character(c);
            }
        }
        FlushBytes();
        return html.Finish();
    }

private:
    void Control() {
        if (pos >= rtf.size()) return;
        if (!IsLetter(rtf[pos])) return Symbol(rtf[pos++]);
        const std::size_t start = pos;
        while (pos < rtf.size() && IsLetter(rtf[pos]))
            ++pos;
        const std::string word = rtf.substr(start, pos - start);
        const bool negative = pos < rtf.size() && rtf[pos] == '-';
        if (negative) ++pos;
        bool hasParameter = false;
        long long parameter = 0;
        for (; pos < rtf.size() && IsDigit(rtf[pos]); ++pos) {
            hasParameter = true;
            parameter = std::min(parameter * 10 + (rtf[pos] - '0'), 1LL << 32);
        }
        if (negative) parameter = -parameter;
        if (pos < rtf.size() && rtf[pos] == ' ') ++pos;
        Word(word, hasParameter, parameter);
    }

    void Word(const std::string& word, bool hasParameter, long long parameter) {
        FlushBytes();
        const bool on = !hasParameter || parameter != 0;
        if (word == "u") {
            if (parameter != 0) Unicode(static_cast<std::uint16_t>(parameter));
            fallbackLeft = state.fallbackLength;
            return;
        }
        if (word == "uc") {
            state.fallbackLength = static_cast<int>(std::clamp(parameter, 0LL, 16LL));
            return;
        }
        if (word == "bin") {
            pos += static_cast<std::size_t>(std::clamp(parameter, 0LL, 1LL << 32));
            return;
        }
        if (ConsumedAsFallback() || state.skipped) return;
        if (word == "par")
            html.EndParagraph();
        else if (word == "line")
            html.Markup("<br>", state.format);
        else if (const auto symbol = SymbolWords.find(word); symbol != SymbolWords.end())
            Text(symbol->second);
        else if (word == "b")
            state.format.Bold = on;
        else if (word == "i")
            state.format.Italic = on;
        else if (word == "ul")
            state.format.Underline = on;
        else if (word == "ulnone")
            state.format.Underline = false;
        else if (word == "plain")
            state.format = {};
        else if (SkippedDestinations.contains(word))
            state.skipped = true;
    }

    void Symbol(char symbol) {
        if (symbol == '\'') {
            const int high = pos < rtf.size() ? HexDigit(rtf[pos]) : -1;
            const int low = pos + 1 < rtf.size() ? HexDigit(rtf[pos + 1]) : -1;
            if (high < 0 || low < 0) return;
            pos += 2;
            if (!ConsumedAsFallback()) AddByte(static_cast<char>(high * 16 + low));
            return;
        }
        if (symbol == '\\' || symbol == '{' || symbol == '}') return Character(symbol);
        FlushBytes();
        if (ConsumedAsFallback() || state.skipped) return;
        if (symbol == '*')
            state.skipped = true;
        else if (symbol == '~')
            Text("\u00A0");
        else if (symbol == '_')
            Text("-");
        else if (symbol == '\r' || symbol == '\n')
            html.EndParagraph();
    }

    // A plain character of the text; 8-bit bytes and the trail byte of a pending CP949
    // lead byte join the byte run.
    void Character(char c) {
        if (ConsumedAsFallback()) return;
        if (static_cast<unsigned char>(c) >= 0x80 || leadPending) {
            AddByte(c);
            return;
        }
        FlushBytes();
        Text(std::string_view(&c, 1));
    }

    void Unicode(std::uint16_t unit) {
        if (unit >= 0xDC00 && unit < 0xE000 && highSurrogate != 0) {
            Text(Utf8FromCodePoint(0x10000 + ((highSurrogate - 0xD800) << 10) + (unit - 0xDC00)));
        } else if (unit >= 0xD800 && unit < 0xDC00) {
            highSurrogate = unit;
            return;
        } else {
            Text(Utf8FromCodePoint(unit >= 0xD800 && unit < 0xE000 ? 0xFFFD : unit));
        }
        highSurrogate = 0;
    }

    bool ConsumedAsFallback() {
        if (fallbackLeft == 0) return false;
        --fallbackLeft;
        return true;
    }

    // A CP949 lead byte takes the next byte as its second, whatever that is. A long run is
    // converted in pieces, so that a cut note converts little more than it shows.
    void AddByte(char byte) {
        leadPending = !leadPending && static_cast<unsigned char>(byte) >= 0x81;
        bytes += byte;
        if (!leadPending && bytes.size() >= NoteTextPiece) FlushBytes();
    }

    void FlushBytes() {
        if (bytes.empty()) return;
        const std::string run = std::move(bytes);
        bytes.clear();
        leadPending = false;
        Text(Utf8FromCp949(run));
    }

    void Text(std::string_view utf8) {
        if (!state.skipped) html.Text(utf8, state.format);
    }

    const std::string& rtf;
    std::size_t pos = 0;
    GroupState state;
    std::vector<GroupState> groups;
    std::size_t unsavedGroups = 0;
    int fallbackLeft = 0;
    std::uint16_t highSurrogate = 0;
    std::string bytes; // CP949 bytes not yet converted
    bool leadPending = false;
    NoteHtml html;
};

} // namespace

std::string HtmlFromRtf(const std::string& rtf) {
    return RtfToHtml(rtf).Convert();
}
