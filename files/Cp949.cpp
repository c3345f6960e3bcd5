#include "files/Cp949.h"

#include "files/Utf8.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

namespace {

constexpr char Replacement = '?';
constexpr unsigned FirstLead = 0x81, LastLead = 0xFE;

bool IsLead(unsigned char byte) {
    return byte >= FirstLead && byte <= LastLead;
}

// The platform's code page 949 decides which byte pairs are characters. It is asked once per
// pair, so the conversions below are plain walks over their input: no converter state, and
// no way for a converter's error recovery to step past the end.
class PairTable {
public:
    PairTable();
    // 0 when the pair is not a character.
    char32_t CodePoint(unsigned char lead, unsigned char trail) const {
        return FromPair[(lead - FirstLead) * 256 + trail];
    }
    // The pair for a code point, or 0 when CP949 has no such character.
    std::uint16_t Pair(char32_t codePoint) const {
        const auto pair = ToPair.find(codePoint);
        return pair == ToPair.end() ? 0 : pair->second;
    }

private:
    std::vector<char32_t> FromPair = std::vector<char32_t>((LastLead - FirstLead + 1) * 256, 0);
    std::unordered_map<char32_t, std::uint16_t> ToPair;
};

#ifdef _WIN32

PairTable::PairTable() {
    for (unsigned lead = FirstLead; lead <= LastLead; ++lead)
        for (unsigned trail = 0; trail < 256; ++trail) {
            const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            wchar_t wide[2];
            if (MultiByteToWideChar(949, MB_ERR_INVALID_CHARS, pair, 2, wide, 2) != 1) continue;
            // Windows maps the user-defined rows to private use, where other platforms see no
            // characters; files must read the same everywhere.
            if (wide[0] >= 0xE000 && wide[0] <= 0xF8FF) continue;
            FromPair[(lead - FirstLead) * 256 + trail] = wide[0];
            ToPair.emplace(wide[0], static_cast<std::uint16_t>(lead << 8 | trail));
        }
}

#else

PairTable::PairTable() {
    const iconv_t codec = iconv_open("UTF-32LE", "CP949");
    if (codec == reinterpret_cast<iconv_t>(-1)) return;
    for (unsigned lead = FirstLead; lead <= LastLead; ++lead)
        for (unsigned trail = 0; trail < 256; ++trail) {
            char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            unsigned char utf32[8];
            char* in = pair;
            char* out = reinterpret_cast<char*>(utf32);
            std::size_t inLeft = sizeof pair, outLeft = sizeof utf32;
            const bool converted = iconv(codec, &in, &inLeft, &out, &outLeft) == 0 && inLeft == 0 &&
                                   outLeft == sizeof utf32 - 4;
            iconv(codec, nullptr, nullptr, nullptr, nullptr);
            if (!converted) continue;
            const char32_t codePoint = utf32[0] | utf32[1] << 8 | utf32[2] << 16 | utf32[3] << 24;
            FromPair[(lead - FirstLead) * 256 + trail] = codePoint;
            ToPair.emplace(codePoint, static_cast<std::uint16_t>(lead << 8 | trail));
        }
    iconv_close(codec);
}

#endif

const PairTable& Table() {
    static const PairTable table;
    return table;
}

} // namespace

std::string Cp949FromUtf8(const std::string& utf8) {
    std::string cp949;
    cp949.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        const std::optional<char32_t> c = NextCodePoint(utf8, pos);
        const std::uint16_t pair = c && *c >= 0x80 ? Table().Pair(*c) : 0;
        if (c && *c < 0x80) {
            cp949 += static_cast<char>(*c);
        } else if (pair != 0) {
            cp949 += static_cast<char>(pair >> 8);
            cp949 += static_cast<char>(pair & 0xFF);
        } else {
            cp949 += Replacement;
        }
    }
    return cp949;
}

std::string Utf8FromCp949(const std::string& cp949) {
    std::string utf8;
    utf8.reserve(cp949.size() + cp949.size() / 2);
    for (std::size_t pos = 0; pos < cp949.size();) {
        const auto byte = static_cast<unsigned char>(cp949[pos]);
        if (byte < 0x80) {
            utf8 += static_cast<char>(byte);
            ++pos;
            continue;
        }
        const bool paired = IsLead(byte) && pos + 1 < cp949.size();
        const auto trail = paired ? static_cast<unsigned char>(cp949[pos + 1]) : 0;
        const char32_t c = paired ? Table().CodePoint(byte, trail) : 0;
        if (c != 0)
            AppendUtf8(utf8, c);
        else
            utf8 += Replacement;
        // A broken pair whose second byte is plain ASCII keeps that byte as text.
        pos += c != 0 || (paired && trail >= 0x80) ? 2 : 1;
    }
    return utf8;
}
