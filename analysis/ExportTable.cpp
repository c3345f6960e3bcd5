#include "analysis/ExportTable.h"

#include "engine/LiveState.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

constexpr int TimeDecimals = 3;

std::vector<double> VectorSums(const ShownRun& run) {
    const std::size_t n = std::min({run.X.size(), run.Y.size(), run.Z.size()});
    std::vector<double> sums(n);
    for (std::size_t i = 0; i < n; ++i)
        sums[i] = std::sqrt(run.X[i] * run.X[i] + run.Y[i] * run.Y[i] + run.Z[i] * run.Z[i]);
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

std::vector<ExportColumn> ExportColumns(const ShownRun& run) {
    const std::string unit = run.InMs2 ? " [m/s²]" : " [g]";
    std::vector<ExportColumn> columns;
    auto add = [&columns](std::string title, const std::vector<double>& values) {
        if (!values.empty()) columns.push_back({std::move(title), values, 6});
    };
    columns.push_back({"시간 [s]", run.Time, TimeDecimals});
    switch (run.ShownPage) {
    case Page::TabAccelo:
        add("X 가속도" + unit, run.X);
        add("Y 가속도" + unit, run.Y);
        add("Z 가속도" + unit, run.Z);
        add(run.InMs2 ? "힘 [N]" : "힘 [kgf]", run.Force);
        if (!run.Y.empty() && !run.Z.empty()) add("벡터합" + unit, VectorSums(run));
        break;
    case Page::TabAngle:
        add("기울기 [°]", run.Angle);
        break;
    case Page::TabPendulum:
        add(std::string(1, run.PendulumAxis) + "축 가속도" + unit, run.X);
        break;
    case Page::TabSpeed:
        add("X 가속도" + unit, run.X);
        add("속도 [m/s]", run.Velocity);
        add("이동 거리 [m]", Distances(run.Velocity));
        break;
    case Page::TabLab:
        break;
    }
    return columns;
}
