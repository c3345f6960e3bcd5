#include "engine/RunControl.h"

#include "engine/NumberText.h"
#include "engine/ProcessFrame.h"

#include <algorithm>
#include <cmath>
#include <vector>

void ClearTimeSeries(MeasurementView& view) {
    for (const int series : {SeriesX, SeriesY, SeriesZ, SeriesForce})
        view.ClearSeries(Chart::Acceleration, series);
    view.ClearSeries(Chart::Velocity, 0);
}

void ClearAllSeries(MeasurementView& view) {
    ClearTimeSeries(view);
    view.ClearSeries(Chart::Tilt, 0);
}

void BeginRun(LiveState& state, MeasurementView& view) {
    StartRecording(state);
    state.Logging = true;
    view.AppendMessage("[Start Data Log....]");
    state.RunSamples = 0;
    state.RunLostSamples = 0;
    state.Distance = 0.0;
    state.ChartTime = 0.0;
    ClearAllSeries(view);
}

void NoteRunConditions(LiveState& state, const ControlState& controls, bool pendByGravity,
                       const std::string& pendulumLength) {
    RunConditions& run = state.Recorded.Conditions;
    run.RunPage = controls.ActivePage;
    run.PendAxis = controls.PendAxis;
    run.PendByGravity = pendByGravity;
    run.OffsetX = state.OffsetX;
    run.OffsetY = state.OffsetY;
    run.OffsetZ = state.OffsetZ;
    run.KalmanIndex = controls.KalmanIndex;
    run.PendulumLength = pendulumLength;
    run.Mass = state.Mass;
    run.UnitIndex = controls.UnitIndex;
    run.ThreeAxis = controls.ThreeAxis;
    run.TimeWindow = controls.TimeWindow;
}

std::optional<Message> LostSamplesLine(std::uint32_t kept, std::uint32_t lost) {
    if (lost == 0) return std::nullopt;
    const auto percent = static_cast<long>(std::lround(100.0 * lost / (kept + lost)));
    return Message(MessageId::LostSamples, {std::to_string(lost), std::to_string(percent)});
}

void EndRunForPageChange(LiveState& state, MeasurementView& view) {
    ClearTimeSeries(view);
    EndRunsSilently(state);
}

bool StartOnPage(LiveState& state, Page page) {
    switch (page) {
    case Page::TabSpeed:
        if (state.VelocityRun) {
            state.VelocityRun = false;
            return false;
        }
        state.VelocityPrev = 0.0;
        state.VelocityRun = true;
        return true;
    case Page::TabAngle:
    case Page::TabPendulum:
        return true;
    default:
        return false;
    }
}

void EndRunsSilently(LiveState& state) {
    state.Logging = false;
    state.VelocityRun = false;
}

void RestartStreamTime(LiveState& state, MeasurementView& view) {
    state.VelocityRun = false;
    state.ChartTime = 0.0;
    ClearTimeSeries(view);
}

void EndRunForLostDevice(LiveState& state, MeasurementView& view) {
    if (!state.Logging) return;
    view.AppendMessage({MessageId::RunEndedByLostDevice, {FormatFixed(state.ChartTime, 2)}});
    StopRun(state, view);
}

void AppendAcceleloPoints(MeasurementView& view, const ControlState& controls, double x, double gx,
                          double gy, double gz, double unitFactor, double mass) {
    ForEachAcceleloPoint(controls, gx, gy, gz, unitFactor, mass, [&](int series, double y) {
        view.AppendPoint(Chart::Acceleration, series, x, y);
    });
}

void RedrawFromRecording(LiveState& state, const ControlState& controls, MeasurementView& view) {
    const double factor = UnitFactor(controls.UnitIndex);
    const int count = std::min<int>(view.PointCount(Chart::Acceleration, SeriesX), LogCapacity);
    std::vector<double> x, y[4];
    state.ChartTime = 0.0;
    for (int i = 0; i < count; ++i) {
        x.push_back(state.ChartTime);
        if (controls.ActivePage == Page::TabAccelo) {
            ForEachAcceleloPoint(controls, state.Recorded.LogX[i], state.Recorded.LogY[i],
                                 state.Recorded.LogZ[i], factor, state.Mass,
                                 [&](int series, double value) { y[series].push_back(value); });
        } else if (controls.ActivePage == Page::TabSpeed) {
            y[0].push_back(state.Recorded.LogX[i] * factor);
        }
        state.ChartTime += SamplePeriod;
    }
    // One replacement per series: a series the page does not plot ends up empty.
    for (int series = 0; series < 4; ++series)
        view.ReplaceSeries(Chart::Acceleration, series, x, y[series]);
}
