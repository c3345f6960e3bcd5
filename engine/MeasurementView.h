#pragma once

#include "messages/Message.h"

#include <span>
#include <string>

// The pages of the main window's page control, in their order.
enum class Page { TabAccelo, TabAngle, TabPendulum, TabSpeed, TabLab };

enum class PendulumAxis { X, Y, Z };

// The control states the per-frame step reads, kept current by the controls' change
// signals instead of being looked up on every frame.
struct ControlState {
    bool DirRevX = false, DirRevY = false, DirRevZ = false;
    int KalmanIndex = -1;
    int UnitIndex = 1;
    Page ActivePage = Page::TabAccelo;
    bool ThreeAxis = false;
    PendulumAxis PendAxis = PendulumAxis::Y;
    int TimeWindow = 10; // the last whole number the time-window box held
    bool CalEnX = false, CalEnY = false, CalEnZ = false;
};

// The time windows the charts take, in seconds.
constexpr int ShortestTimeWindow = 5;
constexpr int LongestTimeWindow = 120;

// The charts: acceleration and force (Chart1 on the window, four series: X, Y, Z, force),
// velocity (Chart2) and tilt (Chart3), one series each.
enum class Chart { Acceleration = 1, Velocity, Tilt };
constexpr Chart AllCharts[] = {Chart::Acceleration, Chart::Velocity, Chart::Tilt};
// The acceleration chart's series; the velocity and tilt charts have series 0 only.
enum AccelerationSeries : int { SeriesX, SeriesY, SeriesZ, SeriesForce };

// A chart's place in per-chart arrays.
constexpr int IndexOf(Chart chart) {
    return static_cast<int>(chart) - 1;
}

// The text boxes the frame processing writes, named as the window's controls.
enum class Box {
    EdAcceloG,
    EdAcceloM,
    EdAccSumG,
    EdAccSumM,
    EdAngle,
    EdForrceKgf,
    EdForceN,
    EdSpd,
    EdDist,
    EdDataX,
    EdPeakMX,
    EdPeakPX,
    EdDataY,
    EdPeakMY,
    EdPeakPY,
    EdDataZ,
    EdPeakMZ,
    EdPeakPZ,
    EdAccSum,
    EdAccSumDelta,
    EdAngleMon,
    EdRcvdOstY,
    EdRcvdOstX,
    EdRcvdOstZ,
    EdRcvdScaleY,
    EdRcvdScaleX,
    EdRcvdScaleZ,
};
constexpr int BoxCount = static_cast<int>(Box::EdRcvdScaleZ) + 1;

// The control name of a box, for the window that looks its controls up by name.
const char* BoxName(Box box);

// How the measurement core reaches the screen. The main window implements it; tests record.
class MeasurementView {
public:
    virtual ~MeasurementView() = default;
    virtual void AppendPoint(Chart chart, int series, double x, double y) = 0;
    // Replaces all points of a series by (x[i], y[i]) for each i of y; x holds at least as
    // many values. A view that draws replaces them at once; by default the series is cleared
    // and the points appended.
    virtual void ReplaceSeries(Chart chart, int series, std::span<const double> x,
                               std::span<const double> y);
    virtual void ClearSeries(Chart chart, int series) = 0;
    virtual int PointCount(Chart chart, int series) const = 0;
    virtual void ShowBox(Box box, const std::string& text) = 0;
    virtual void ShowThreeAxisBox() = 0;
    // A run ended (Stop or a full window), after its stop line: the unit box may change again
    // and the run is kept.
    virtual void RunEnded() = 0;
    virtual void AppendMessage(const Message& message) = 0;
};
