// Any bytes as an existing sensor feature file, and any serial number and values: the line
// appended for them is the one a search finds last, with the same values, however the file
// ended (no line end, CR only, a broken CP949 pair).
#include "calibration/FeatureFile.h"
#include "files/Cp949.h"
#include "fuzz/FuzzSupport.h"

#include <algorithm>

namespace {

// A box text: CP949-representable, without the blanks, commas, tabs and line ends that split
// fields.
std::string BoxText(FuzzInput& data) {
    const std::vector<std::uint8_t> bytes = data.TakeBytes(data.TakeInRange<std::size_t>(0, 12));
    std::string text = Utf8FromCp949(std::string(bytes.begin(), bytes.end()));
    std::replace_if(
        text.begin(), text.end(),
        [](char c) { return c == ' ' || c == ',' || c == '\t' || c == '\n' || c == '\r'; }, '_');
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    FuzzInput data(bytes, size);
    const FeatureDate date{data.TakeInRange(0, 9999), data.TakeInRange(1, 12),
                           data.TakeInRange(1, 31)};
    std::string serial = BoxText(data);
    if (serial.empty()) serial = "SE170001";
    FeatureValues values;
    for (std::string& value : values)
        value = BoxText(data);
    const std::string path = ScratchFile("AmAjustSn", data.TakeRest());
    Require(!AppendFeatureLine(path, FeatureLine(date, serial, values)));
    const auto read = ReadFeatureFile(path, serial);
    Require(read && read->Cut.empty() && read->Search.Found() >= 1);
    Require(read->Search.LastValues() == values);
    return 0;
}
