#include "engine/RunControl.h"

#include <algorithm>
#include <vector>

void ClearTimeSeries(MeasurementView& view) {
    for (int series = 0; series < 4; ++series)
        view.ClearSeries(Chart1, series);
    view.ClearSeries(Chart2, 0);
}

void ClearAllSeries(MeasurementView& view) {
    ClearTimeSeries(view);
    view.ClearSeries(Chart3, 0);
}

void BeginRun(LiveState& state, MeasurementView& view) {
    ClearLogBuffer(state);
    state.Logging = true;
    view.AppendMessage("[Start Data Log....]");
    state.LogCount = 0;
    state.Distance = 0.0;
    state.ChartTime = 0.0;
    ClearAllSeries(view);
}

void EndRunForPageChange(LiveState& state, MeasurementView& view) {
    ClearTimeSeries(view);
    state.Logging = false;
    state.VelocityRun = false;
}

void AppendAcceleloPoints(MeasurementView& view, const ControlState& controls, double x, double gx,
                          double gy, double gz, double unitFactor, double mass) {
    ForEachAcceleloPoint(controls, gx, gy, gz, unitFactor, mass,
                         [&](int series, double y) { view.AppendPoint(Chart1, series, x, y); });
}

void RedrawFromRecording(LiveState& state, const ControlState& controls, MeasurementView& view) {
    const double factor = controls.UnitIndex == 0 ? 1.0 : StandardGravity;
    const int count = std::min<int>(view.PointCount(Chart1, 0), LogCapacity);
    std::vector<double> x, y[4];
    state.ChartTime = 0.0;
    for (int i = 0; i < count; ++i) {
        x.push_back(state.ChartTime);
        if (controls.ActivePage == Page::TabAccelo) {
            ForEachAcceleloPoint(controls, state.LogX[i], state.LogY[i], state.LogZ[i], factor,
                                 state.Mass,
                                 [&](int series, double value) { y[series].push_back(value); });
        } else if (controls.ActivePage == Page::TabSpeed) {
            y[0].push_back(state.LogX[i] * factor);
        }
        state.ChartTime += SamplePeriod;
    }
    // One replacement per series: a series the page does not plot ends up empty.
    for (int series = 0; series < 4; ++series)
        view.ReplaceSeries(Chart1, series, x, y[series]);
}
