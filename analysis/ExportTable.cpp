#include "analysis/ExportTable.h"

#include "engine/LiveState.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int TimeDecimals = 3;

const ShownCurve* Find(const std::vector<ShownCurve>& curves, Chart chart, int series) {
    for (const ShownCurve& curve : curves)
        if (curve.Chart == chart && curve.Series == series && !curve.Values.empty()) return &curve;
    return nullptr;
}

std::vector<double> VectorSums(const ShownCurve& x, const ShownCurve& y, const ShownCurve& z) {
    const std::size_t n = std::min({x.Values.size(), y.Values.size(), z.Values.size()});
    std::vector<double> sums(n);
    for (std::size_t i = 0; i < n; ++i)
        sums[i] = std::hypot(x.Values[i], y.Values[i], z.Values[i]);
    return sums;
}

// The trapezoid rule over the sample period from rest, as the distance box adds it up.
std::vector<double> Distances(const std::vector<double>& velocity) {
    std::vector<double> distance(velocity.size());
    double travelled = 0.0, previous = 0.0;
    for (std::size_t i = 0; i < velocity.size(); ++i) {
        travelled += (velocity[i] + previous) * SamplePeriod / 2.0;
        distance[i] = travelled;
        previous = velocity[i];
    }
    return distance;
}

} // namespace

std::vector<TableColumn> CurveColumns(const std::vector<ShownCurve>& curves, bool inMs2) {
    std::vector<TableColumn> columns;
    for (const ShownCurve& curve : curves) {
        if (curve.Values.empty()) continue;
        if (columns.empty()) columns.push_back({MessageId::TimeTitle, curve.Times, TimeDecimals});
        columns.push_back({curve.Title, curve.Values});
        if (IsVelocity(curve))
            columns.push_back({MessageId::DistanceTitle, Distances(curve.Values)});
    }
    const ShownCurve* x = Find(curves, Chart::Acceleration, SeriesX);
    const ShownCurve* y = Find(curves, Chart::Acceleration, SeriesY);
    const ShownCurve* z = Find(curves, Chart::Acceleration, SeriesZ);
    if (x && y && z)
        columns.push_back(
            {{MessageId::VectorSumTitle, {inMs2 ? " [m/s²]" : " [g]"}}, VectorSums(*x, *y, *z)});
    return columns;
}

std::vector<ExportColumn> ExportColumns(const std::vector<ShownCurve>& curves, bool inMs2) {
    std::vector<ExportColumn> columns;
    for (TableColumn& column : CurveColumns(curves, inMs2))
        columns.push_back({KoreanText(column.Title), std::move(column.Values), column.Decimals});
    return columns;
}
