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
    const char* const unit = inMs2 ? " [m/s²]" : " [g]";
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
