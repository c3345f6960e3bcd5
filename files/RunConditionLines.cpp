#include "files/RunConditionLines.h"

#include "engine/NumberText.h"

#include <array>
#include <charconv>

namespace {

const char* const PageNames[] = {"TabAccelo", "TabAngle", "TabPendulum", "TabSpeed", "TabLab"};

// The shortest text that reads back as the same double.
std::string Exact(double value) {
    std::array<char, 32> text{};
    const auto end = std::to_chars(text.data(), text.data() + text.size(), value).ptr;
    return std::string(text.data(), end);
}

std::string Flag(bool on) {
    return on ? "true" : "false";
}

// Which of the conditions that make the values absolute have been read.
enum Essential { RangeRead = 1, OffsetXRead = 2, OffsetYRead = 4, OffsetZRead = 8, AllRead = 15 };

} // namespace

const char* const CountColumnTitles[6] = {
    "X count",           "Y count", "Z count", "X count unfiltered", "Y count unfiltered",
    "Z count unfiltered"};

std::vector<std::string> RunConditionLines(const RunConditions& conditions) {
    const int page = static_cast<int>(conditions.RunPage);
    return {
        ";Page=" + std::string(PageNames[page]),
        ";PendulumAxis=" + std::string(1, AxisLetter(AxisIndex(conditions.PendAxis))),
        ";RbPendByG=" + Flag(conditions.PendByGravity),
        ";EdPendL=" + conditions.PendulumLength,
        ";EdMass=" + Exact(conditions.Mass),
        ";CmbKalman=" + std::to_string(conditions.KalmanIndex),
        ";CmbUnit=" + std::to_string(conditions.UnitIndex),
        ";Cb3Axis=" + Flag(conditions.ThreeAxis),
        ";CmbYTime=" + std::to_string(conditions.TimeWindow),
        ";RangeCode=" + std::to_string(conditions.RangeCode),
        ";OffsetX=" + Exact(conditions.OffsetX),
        ";OffsetY=" + Exact(conditions.OffsetY),
        ";OffsetZ=" + Exact(conditions.OffsetZ),
    };
}

bool RunConditionReader::Take(const std::string& line) {
    const std::size_t equals = line.find('=');
    if (!line.starts_with(';') || equals == std::string::npos) return false;
    const std::string key = line.substr(1, equals - 1);
    const std::string value = line.substr(equals + 1);
    RunConditions& conditions = Conditions;
    auto essential = [this](Essential which) { Essentials |= which; };
    const auto number = ParseReal(value);
    const auto whole = ParseInteger(value);
    if (key == "Page") {
        for (int page = 0; page < 5; ++page)
            if (value == PageNames[page]) conditions.RunPage = static_cast<Page>(page);
    } else if (key == "PendulumAxis" && value.size() == 1 && value[0] >= 'X' && value[0] <= 'Z') {
        conditions.PendAxis = static_cast<PendulumAxis>(value[0] - 'X');
    } else if (key == "RbPendByG") {
        conditions.PendByGravity = value == "true";
    } else if (key == "EdPendL") {
        conditions.PendulumLength = value;
    } else if (key == "EdMass" && number) {
        conditions.Mass = *number;
    } else if (key == "CmbKalman" && whole) {
        conditions.KalmanIndex = *whole;
    } else if (key == "CmbUnit" && whole) {
        conditions.UnitIndex = *whole;
    } else if (key == "Cb3Axis") {
        conditions.ThreeAxis = value == "true";
    } else if (key == "CmbYTime" && whole) {
        conditions.TimeWindow = *whole;
    } else if (key == "RangeCode" && whole && *whole >= 0 && *whole <= 255) {
        conditions.RangeCode = static_cast<std::uint8_t>(*whole);
        essential(RangeRead);
    } else if (key == "OffsetX" && number) {
        conditions.OffsetX = *number;
        essential(OffsetXRead);
    } else if (key == "OffsetY" && number) {
        conditions.OffsetY = *number;
        essential(OffsetYRead);
    } else if (key == "OffsetZ" && number) {
        conditions.OffsetZ = *number;
        essential(OffsetZRead);
    } else {
        return false;
    }
    return true;
}

RunConditions RunConditionReader::Result() const {
    if (Essentials != AllRead) return {};
    RunConditions result = Conditions;
    result.Known = true;
    return result;
}
