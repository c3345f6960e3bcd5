#include "engine/CursorReadout.h"

#include "engine/NumberText.h"

#include <cmath>

namespace {

// Plain fixed notation: the readout never rounds to fewer significant digits.
constexpr int ReadoutPrecision = 15;

std::string Fixed(double value, int decimals) {
    return FormatFixed(value, decimals, ReadoutPrecision);
}

std::string TimeText(double time, int decimals) {
    return "Time:" + Fixed(time, decimals) + "[s]";
}

} // namespace

std::optional<CursorReadout> ReadCursor(const LiveState& state, const ReadoutMode& mode,
                                        double time, double value) {
    if (!(time > 0.0)) return std::nullopt;
    const int decimals = mode.UnitIndex == 0 ? 3 : 2;
    if (mode.Free) return CursorReadout{TimeText(time, 3), "ACC:" + Fixed(value, decimals)};

    const double sample = std::trunc((time + 0.01) / SamplePeriod);
    const double sampleTime = sample * SamplePeriod;
    if (sample >= LogCapacity) return CursorReadout{TimeText(sampleTime, 2), "ACC:---"};
    const auto i = static_cast<std::size_t>(sample);
    const double factor = UnitFactor(mode.UnitIndex);
    const double x = state.Recorded.LogX[i] * factor;
    const double y = state.Recorded.LogY[i] * factor;
    const double z = state.Recorded.LogZ[i] * factor;
    const double dx = std::abs(x - value);
    const double dy = std::abs(y - value);
    const double dz = std::abs(z - value);

    const char* axis = "Z";
    double shown = z;
    ReadoutColour colour = ReadoutColour::Blue;
    if ((dx < dy && dx < dz) || !mode.ThreeAxis) {
        axis = "X";
        shown = x;
        colour = ReadoutColour::Black;
    } else if (dy < dx && dy < dz) {
        axis = "Y";
        shown = y;
        colour = ReadoutColour::Red;
    }
    return CursorReadout{
        TimeText(sampleTime, 2), {MessageId::AxisReadout, {axis, Fixed(shown, decimals)}}, colour};
}
