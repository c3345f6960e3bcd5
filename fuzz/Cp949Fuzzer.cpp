// Any bytes as CP949 text and as UTF-8 text: decoding gives well-formed UTF-8, and text that
// went through one conversion comes back the same through both.
#include "files/Cp949.h"
#include "files/Utf8.h"
#include "fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    const std::string input(bytes, bytes + size);
    const std::string text = Utf8FromCp949(input);
    for (std::size_t pos = 0; pos < text.size();)
        Require(NextCodePoint(text, pos));
    Require(text.size() <= 2 * input.size());
    Require(Utf8FromCp949(Cp949FromUtf8(text)) == text);
    const std::string encoded = Cp949FromUtf8(input);
    Require(encoded.size() <= 2 * input.size());
    Require(Cp949FromUtf8(Utf8FromCp949(encoded)) == encoded);
    return 0;
}
