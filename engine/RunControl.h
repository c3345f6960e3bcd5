#pragma once

#include "engine/LiveState.h"
#include "engine/MeasurementView.h"

#include <optional>
#include <string>

// Clears the points of every series of the three charts.
void ClearAllSeries(MeasurementView& view);

// Clears Chart1's four series and Chart2's series (the tilt chart keeps its points).
void ClearTimeSeries(MeasurementView& view);

// The page-independent part of starting a run: a new recording, time and distance from
// zero, empty charts. The caller notes the run's conditions once its page has prepared it.
void BeginRun(LiveState& state, MeasurementView& view);

// The page's part of Start. On the velocity page Start toggles the velocity run, which begins
// from zero velocity; it, the tilt and the pendulum pages measure from zero offsets taken from
// the sample at hand. True when those offsets are to be taken.
bool StartOnPage(LiveState& state, Page page);

// Keeps with the run what shaped its numbers, once Start has taken its offsets and mass.
void NoteRunConditions(LiveState& state, const ControlState& controls, bool pendByGravity,
                       const std::string& pendulumLength);

// The line for the end of a run that lost samples on the line (broken bytes): they are left
// out, so the times computed from the sample count read short. Nothing for a run that lost
// none.
std::optional<Message> LostSamplesLine(std::uint32_t kept, std::uint32_t lost);

// A page change ends the run silently. The recording and LogCount stay, so a later save
// writes what was measured.
void EndRunForPageChange(LiveState& state, MeasurementView& view);

// A run and a velocity run in progress stop there, kept as they are (a connect beginning, a
// page change).
void EndRunsSilently(LiveState& state);

// A connect button found the device: its stream starts over from time 0 on empty time charts.
void RestartStreamTime(LiveState& state, MeasurementView& view);

// The device went away during a run: the run ends there as Stop ends it, after a line that
// says why, so that no samples are joined across the gap; after a reconnect Start begins a new
// run. Nothing happens between runs.
void EndRunForLostDevice(LiveState& state, MeasurementView& view);

// The acceleration page's points of one sample, as emit(series, y): X, then Y and Z in
// three-axis mode or the force X × mass otherwise; values in g scaled by the unit factor.
template <typename Emit>
void ForEachAcceleloPoint(const ControlState& controls, double gx, double gy, double gz,
                          double unitFactor, double mass, Emit&& emit) {
    emit(SeriesX, gx * unitFactor);
    if (controls.ThreeAxis) {
        emit(SeriesY, gy * unitFactor);
        emit(SeriesZ, gz * unitFactor);
    } else {
        emit(SeriesForce, gx * unitFactor * mass);
    }
}

// The same points appended at x.
void AppendAcceleloPoints(MeasurementView& view, const ControlState& controls, double x, double gx,
                          double gy, double gz, double unitFactor, double mass);

// Redraws the acceleration chart from the recording after a unit change: as many samples as
// the first series held, in the unit and axis mode now chosen, on the pages that plot the
// recording; each series' points are replaced at once.
void RedrawFromRecording(LiveState& state, const ControlState& controls, MeasurementView& view);
