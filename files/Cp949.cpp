#include "files/Cp949.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <iconv.h>
#endif

namespace {

constexpr unsigned CodePage949 = 949;
constexpr unsigned CodePageUtf8 = 65001;

#ifdef _WIN32

std::wstring WideFrom(unsigned codePage, const std::string& text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    std::wstring wide(MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), static_cast<int>(wide.size()));
    return wide;
}

std::string NarrowFrom(unsigned codePage, const std::wstring& wide) {
    if (wide.empty()) return {};
    const int size = static_cast<int>(wide.size());
    // Code page 949 replaces what it cannot map with its default character "?".
    std::string text(
        WideCharToMultiByte(codePage, 0, wide.data(), size, nullptr, 0, nullptr, nullptr), '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), size, text.data(), static_cast<int>(text.size()),
                        nullptr, nullptr);
    return text;
}

std::string Convert(unsigned from, unsigned to, const std::string& text) {
    return NarrowFrom(to, WideFrom(from, text));
}

#else

// Bytes of the input character that iconv refused: a whole UTF-8 sequence when it is well
// formed (a character CP949 lacks), otherwise the one bad byte. CP949 skips one byte, so a
// broken pair costs only its lead byte.
std::size_t RefusedLength(unsigned from, const char* in, std::size_t left) {
    if (from == CodePage949) return 1;
    const auto lead = static_cast<unsigned char>(in[0]);
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    if (length > left) return 1;
    for (std::size_t i = 1; i < length; ++i)
        if ((static_cast<unsigned char>(in[i]) & 0xC0) != 0x80) return 1;
    return length;
}

const char* CharsetName(unsigned codePage) {
    return codePage == CodePage949 ? "CP949" : "UTF-8";
}

std::string Convert(unsigned from, unsigned to, const std::string& text) {
    const iconv_t codec = iconv_open(CharsetName(to), CharsetName(from));
    if (codec == reinterpret_cast<iconv_t>(-1)) return text;
    std::string result;
    char* in = const_cast<char*>(text.data());
    std::size_t inLeft = text.size();
    char buffer[1024];
    while (inLeft > 0) {
        char* out = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t done = iconv(codec, &in, &inLeft, &out, &outLeft);
        result.append(buffer, out);
        if (done != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
        result += '?';
        if (errno == EINVAL) break; // the text ends inside a character
        const std::size_t skip = RefusedLength(from, in, inLeft);
        in += skip;
        inLeft -= skip;
    }
    iconv_close(codec);
    return result;
}

#endif

} // namespace

std::string Cp949FromUtf8(const std::string& utf8) {
    return Convert(CodePageUtf8, CodePage949, utf8);
}

std::string Utf8FromCp949(const std::string& cp949) {
    return Convert(CodePage949, CodePageUtf8, cp949);
}
