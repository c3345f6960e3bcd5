#include "analysis/ShownCurves.h"

#include <algorithm>

std::vector<CurveId> PageCurves(Page page) {
    switch (page) {
    case Page::TabAccelo:
        return {{Chart::Acceleration, SeriesX},
                {Chart::Acceleration, SeriesY},
                {Chart::Acceleration, SeriesZ},
                {Chart::Acceleration, SeriesForce}};
    case Page::TabAngle:
        return {{Chart::Tilt, 0}};
    case Page::TabPendulum:
        return {{Chart::Acceleration, SeriesX}};
    case Page::TabSpeed:
        return {{Chart::Acceleration, SeriesX}, {Chart::Velocity, 0}};
    case Page::TabLab:
        break;
    }
    return {};
}

std::vector<Chart> PageCharts(Page page) {
    std::vector<Chart> charts;
    for (const CurveId curve : PageCurves(page))
        if (std::find(charts.begin(), charts.end(), curve.Chart) == charts.end())
            charts.push_back(curve.Chart);
    return charts;
}

Message CurveTitle(Page page, CurveId curve, bool inMs2, char pendulumAxis) {
    const std::string unit = " [" + CurveUnit(curve, inMs2) + "]";
    if (curve.Chart == Chart::Velocity) return MessageId::VelocityTitle;
    if (curve.Chart == Chart::Tilt) return MessageId::TiltTitle;
    if (page == Page::TabPendulum)
        return {MessageId::PendulumAxisTitle, {std::string(1, pendulumAxis), unit}};
    static const char* const axes[] = {"X", "Y", "Z"};
    if (curve.Series == 3) return inMs2 ? MessageId::ForceNewtonTitle : MessageId::ForceKgfTitle;
    return {MessageId::AccelerationTitle, {axes[curve.Series % 3], unit}};
}

bool IsVelocity(const ShownCurve& curve) {
    return curve.Chart == Chart::Velocity;
}

std::string CurveUnit(CurveId curve, bool inMs2) {
    if (curve.Chart == Chart::Velocity) return "m/s";
    if (curve.Chart == Chart::Tilt) return "°";
    if (curve.Series == SeriesForce) return inMs2 ? "N" : "kgf";
    return inMs2 ? "m/s²" : "g";
}

namespace {

const char* const SecondPowers[] = {"", "/s", "/s²", "/s³", "/s⁴"};
constexpr int MostPower = 4;

// The unit without its per-second part, and that part's power: "m/s²" → "m", 2.
std::pair<std::string, int> SplitPerSecond(const std::string& unit) {
    for (int power = MostPower; power >= 1; --power)
        if (unit.ends_with(SecondPowers[power]))
            return {unit.substr(0, unit.size() - std::string(SecondPowers[power]).size()), power};
    return {unit, 0};
}

} // namespace

std::string AreaUnit(const std::string& unit) {
    if (unit == "°") return "deg·s";
    const auto [base, power] = SplitPerSecond(unit);
    return power > 0 ? base + SecondPowers[power - 1] : unit + "·s";
}

std::string PerSecondUnit(const std::string& unit, int power) {
    const auto [base, own] = SplitPerSecond(unit);
    return base + SecondPowers[std::clamp(own + power, 0, MostPower)];
}
