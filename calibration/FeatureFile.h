#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// The sensor feature file: the calibration history of the sensors, one comma-separated line
// per save (the date, the serial number, each axis' minimum peak, maximum peak and offset,
// then the three scales), CP949 text with CR LF, no header. It is only ever appended to; a
// serial number may have many lines and the last one counts.

constexpr int FeatureValueCount = 12;

// The longest line the file is read with: a save writes under 200 bytes, and even thirteen
// box texts of the most a box takes stay under 1 MiB.
constexpr std::size_t FeatureLineLimit = 1 << 20;

// The twelve box texts of a line, in file order: EdPeakMX, EdPeakPX, EdOffsetX, the same for
// Y and Z, then EdScaleX, EdScaleY, EdScaleZ. Written and read as they stand, not as numbers.
using FeatureValues = std::array<std::string, FeatureValueCount>;

struct FeatureDate {
    int Year = 0, Month = 0, Day = 0;
};

// One line in CP949 without its line end: "D" + yyyymmdd, the serial number and the values,
// joined by commas with no blanks added. Texts arrive in UTF-8.
std::string FeatureLine(const FeatureDate& date, const std::string& serial,
                        const FeatureValues& values);

// Looks a serial number up line by line. A line counts when its second field equals the
// serial number exactly (letter case too); fields run as NextToken splits them, so a serial
// number with a blank or comma is never found. A matching line with fewer fields gives empty
// texts for the missing ones. An empty serial number matches nothing.
class FeatureSearch {
public:
    explicit FeatureSearch(const std::string& serial); // UTF-8
    // One line of the file in CP949, without its line end.
    void Take(std::string_view line);
    int Found() const { return Matches; }
    // The values of the last matching line, in UTF-8.
    FeatureValues LastValues() const;

private:
    std::string Serial; // CP949, as the file holds it
    int Matches = 0;
    FeatureValues Last;
};

// What a search through the file found. A line longer than FeatureLineLimit ends the reading
// before it; then `Cut` says so in one line (empty when the whole file was read).
struct FeatureFileSearch {
    FeatureSearch Search;
    std::string Cut;
};

// Reads the file through a search; none when the file cannot be opened or is not a regular
// file.
std::optional<FeatureFileSearch> ReadFeatureFile(const std::filesystem::path& path,
                                                 const std::string& serial);

// Appends one line and CR LF, after a line end of its own when the file's last line lacks
// one (a file edited by hand), so that no saved line runs into another. The file is created
// when missing; a name that is not a regular file (a FIFO, a device) is refused. Stale
// temporaries of other saves in its folder are removed (RemoveStaleTemporaries). Anything that
// stops the whole line from reaching the file (no write access, a full disk, a short write) cuts
// the file back to its earlier length, leaving its earlier lines exactly as they were, and gives
// the system's reason.
std::optional<std::string> AppendFeatureLine(const std::filesystem::path& path,
                                             const std::string& line);
