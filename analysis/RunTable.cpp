#include "analysis/RunTable.h"

#include "analysis/RecordedCurves.h"
#include "engine/LiveState.h"

#include <algorithm>

namespace {

Message AxisTitle(int axis, bool inMs2) {
    return CurveTitle(Page::TabAccelo, {Chart::Acceleration, axis}, inMs2, ' ');
}

// The corrected values of an axis in the unit shown, as the acceleration page draws them.
ShownCurve RecordedAxis(const Recording& recording, int axis, int unitIndex) {
    ShownCurve curve{Chart::Acceleration, axis, AxisTitle(axis, unitIndex != 0)};
    const double factor = UnitFactor(unitIndex);
    const double* values = CorrectedValues(recording, axis);
    double time = 0.0; // advanced as SampleTime advances it, a sample at a time
    for (std::uint32_t i = 0; i < recording.LogCount; ++i, time += SamplePeriod) {
        curve.Times.push_back(time);
        curve.Values.push_back(values[i] * factor);
    }
    return curve;
}

} // namespace

std::vector<TableColumn> RunTableColumns(const Recording& recording, Page page, int unitIndex,
                                         double mass) {
    const bool inMs2 = unitIndex != 0;
    std::vector<ShownCurve> curves;
    for (int axis = 0; axis < 3; ++axis)
        if (recording.HasAxis[axis]) curves.push_back(RecordedAxis(recording, axis, unitIndex));
    const DrawnPoints everySample = [&](CurveId) { return static_cast<int>(recording.LogCount); };
    for (ShownCurve& curve : RecordedCurves(recording, page, unitIndex, mass, everySample)) {
        // An axis the page draws as recorded is already there (or not held at all).
        const bool recordedAxis = curve.Chart == Chart::Acceleration &&
                                  curve.Series != SeriesForce &&
                                  curve.Title == AxisTitle(curve.Series, inMs2);
        if (!recordedAxis) curves.push_back(std::move(curve));
    }
    std::vector<TableColumn> columns = CurveColumns(curves, inMs2);
    if (page != Page::TabAccelo)
        std::erase_if(columns, [](const TableColumn& column) {
            return column.Title.Id == MessageId::VectorSumTitle;
        });
    return columns;
}
