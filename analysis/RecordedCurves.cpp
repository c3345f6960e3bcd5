#include "analysis/RecordedCurves.h"

#include "engine/Tilt.h"
#include "engine/Velocity.h"

#include <algorithm>

namespace {

// Sample i of a curve, in the unit it is drawn in.
double ValueOf(const Recording& recording, CurveId curve, std::uint32_t i, double factor,
               double mass) {
    if (curve.Chart == Chart::Tilt)
        return ComputeTilt(FilteredG(recording, 1, i), FilteredG(recording, 0, i));
    if (curve.Series == 3) return recording.LogX[i] * factor * mass;
    if (curve.Series == 0 && !recording.Loaded && recording.Conditions.RunPage == Page::TabPendulum)
        return FilteredG(recording, AxisIndex(recording.Conditions.PendAxis), i) * factor;
    return CorrectedValues(recording, curve.Series)[i] * factor;
}

} // namespace

std::vector<ShownCurve> RecordedCurves(const Recording& recording, Page page, int unitIndex,
                                       double mass, const DrawnPoints& drawn) {
    std::vector<CurveId> ids = PageCurves(page);
    if (recording.Loaded && page != Page::TabAccelo && page != Page::TabAngle)
        ids.insert(ids.begin() + 1,
                   {{Chart::Acceleration, SeriesY}, {Chart::Acceleration, SeriesZ}});
    const double factor = UnitFactor(unitIndex);
    const char pendulumAxis = AxisLetter(AxisIndex(recording.Conditions.PendAxis));
    std::vector<ShownCurve> curves;
    for (const CurveId id : ids) {
        const auto points = static_cast<std::uint32_t>(
            std::clamp<long>(drawn(id), 0, static_cast<long>(recording.LogCount)));
        if (points == 0) continue;
        ShownCurve curve{
            id.Chart,
            id.Series,
            CurveTitle(recording.Loaded ? Page::TabAccelo : page, id, unitIndex != 0, pendulumAxis),
            {},
            {},
            CurveUnit(id, unitIndex != 0)};
        double time = 0.0, velocity = 0.0;
        for (std::uint32_t i = 0; i < points; ++i, time += SamplePeriod) {
            curve.Times.push_back(time);
            if (id.Chart == Chart::Velocity) {
                velocity = NextVelocity(velocity, recording.LogX[i] * StandardGravity);
                curve.Values.push_back(velocity);
            } else {
                curve.Values.push_back(ValueOf(recording, id, i, factor, mass));
            }
        }
        curves.push_back(std::move(curve));
    }
    return curves;
}
