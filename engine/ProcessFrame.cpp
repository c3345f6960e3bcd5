#include "engine/ProcessFrame.h"

#include "engine/NumberText.h"
#include "engine/RunControl.h"
#include "engine/Tilt.h"
#include "engine/Velocity.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

struct AxisFields {
    int Axis; // 0 X, 1 Y, 2 Z
    std::int16_t& RawCount;
    std::int16_t& Count;
    std::int16_t& CountMin;
    std::int16_t& CountMax;
    double& G;
    double& GCor;
    const double& Offset;
    KalmanFilter& Kalman;
    bool Reversed;
};

void ProcessAxis(LiveState& state, int kalmanIndex, AxisFields axis, std::int16_t value) {
    std::int16_t count = axis.Reversed ? Negate16(value) : value;
    axis.RawCount = count;
    if (kalmanIndex != 0) count = FilterCount(axis.Kalman, state.KalmanBias, count);
    axis.Count = count;
    axis.G = AxisCountToG(axis.Axis, count, state.RangeCode);
    axis.GCor = axis.G - axis.Offset;
    if (count < axis.CountMin) axis.CountMin = count;
    if (count > axis.CountMax) axis.CountMax = count;
}

double PendulumValue(const LiveState& state, PendulumAxis axis) {
    switch (axis) {
    case PendulumAxis::X:
        return state.GX;
    case PendulumAxis::Y:
        return state.GY;
    case PendulumAxis::Z:
        return state.GZ;
    }
    return state.GY;
}

void AppendSamplePoints(LiveState& state, const ControlState& controls, MeasurementView& view,
                        double unitFactor) {
    const double x = state.ChartTime;
    switch (controls.ActivePage) {
    case Page::TabAccelo:
        AppendAcceleloPoints(view, controls, x, state.GXCor, state.GYCor, state.GZCor, unitFactor,
                             state.Mass);
        break;
    case Page::TabAngle:
        view.AppendPoint(Chart::Tilt, 0, x, state.TiltAngle);
        break;
    case Page::TabPendulum:
        view.AppendPoint(Chart::Acceleration, SeriesX, x,
                         PendulumValue(state, controls.PendAxis) * unitFactor);
        break;
    case Page::TabSpeed:
        if (!state.VelocityRun) break;
        state.Velocity = NextVelocity(state.VelocityPrev, state.AccXMs2);
        view.AppendPoint(Chart::Acceleration, SeriesX, x, state.GXCor * unitFactor);
        view.AppendPoint(Chart::Velocity, 0, x, state.Velocity);
        if (state.DisplayDivider == 0) view.ShowBox(Box::EdSpd, FormatFixed(state.Velocity, 1, 5));
        state.Distance += (state.Velocity + state.VelocityPrev) * 0.01;
        view.ShowBox(Box::EdDist, FormatFixed(state.Distance, 2, 5));
        state.VelocityPrev = state.Velocity;
        break;
    case Page::TabLab:
        break;
    }
}

void ShowMonitorBoxes(const LiveState& state, const ControlState& controls, MeasurementView& view) {
    if (controls.CalEnX) {
        view.ShowBox(Box::EdDataX, std::to_string(state.CountX));
        view.ShowBox(Box::EdPeakMX, std::to_string(state.CountMinX));
        view.ShowBox(Box::EdPeakPX, std::to_string(state.CountMaxX));
    }
    if (controls.CalEnY) {
        view.ShowBox(Box::EdDataY, std::to_string(state.CountY));
        view.ShowBox(Box::EdPeakMY, std::to_string(state.CountMinY));
        view.ShowBox(Box::EdPeakPY, std::to_string(state.CountMaxY));
    }
    if (controls.CalEnZ) {
        view.ShowBox(Box::EdDataZ, std::to_string(state.CountZ));
        view.ShowBox(Box::EdPeakMZ, std::to_string(state.CountMinZ));
        view.ShowBox(Box::EdPeakPZ, std::to_string(state.CountMaxZ));
    }
    view.ShowBox(Box::EdAccSum, FormatFixed(state.VectorSum, 3));
    view.ShowBox(Box::EdAccSumDelta, FormatFixed(state.VectorSum - 1.0, 3));
    view.ShowBox(Box::EdAngleMon, FormatFixed(state.TiltAngle, 2, 5));
}

void ShowValueBoxes(const LiveState& state, MeasurementView& view) {
    const int decimals = state.DisplayDecimals;
    view.ShowBox(Box::EdAcceloG, FormatFixed(state.GXCor, decimals));
    view.ShowBox(Box::EdAcceloM, FormatFixed(state.AccXMs2, decimals - 1));
    // The force the chart's force curve shows: mass × the X value, in kgf and in N.
    view.ShowBox(Box::EdForrceKgf, FormatFixed(state.Mass * state.GXCor, 2));
    view.ShowBox(Box::EdForceN, FormatFixed(state.Mass * state.AccXMs2, 2));
    view.ShowBox(Box::EdAccSumG, FormatFixed(state.VectorSum, decimals));
    view.ShowBox(Box::EdAccSumM, FormatFixed(state.VectorSum * StandardGravity, decimals - 1));
    view.ShowBox(Box::EdAngle, FormatFixed(state.TiltAngle, 1));
}

void CloseSample(LiveState& state, const ControlState& controls, MeasurementView& view) {
    const double unitFactor = UnitFactor(controls.UnitIndex);
    state.AccXMs2 = state.GXCor * StandardGravity;
    state.VectorSum = std::sqrt(state.GXCor * state.GXCor + state.GYCor * state.GYCor +
                                state.GZCor * state.GZCor);
    state.TiltAngle = ComputeTilt(state.GY, state.GX);
    if (state.Logging) {
        ++state.RunSamples;
        RecordSample(state);
        AppendSamplePoints(state, controls, view, unitFactor);
        state.ChartTime += SamplePeriod;
        EndOfWindowCheck(state, controls, view);
    }
    if (controls.ActivePage == Page::TabLab) {
        ShowMonitorBoxes(state, controls, view);
        return;
    }
    if (++state.DisplayDivider > 4) {
        ShowValueBoxes(state, view);
        state.DisplayDivider = 0;
    }
}

// A sample's frames come as Y, X, Z. A frame other than the one expected next, or bytes the
// receive queue threw away before it, mean frames were lost on the line: the order tells how
// many up to whole samples, the bytes thrown away (a broken frame leaves most of its six) how
// many whole samples besides. A sample that lost any of its frames is not kept: its Z frame
// would close it with values of the sample before.
void FollowSampleFrames(LiveState& state, int position) {
    const int gap = (position - state.NextAxisFrame + 3) % 3;
    const double broken = static_cast<double>(state.DiscardedBytes) / FrameLength;
    const long wholeSamples = std::max(0L, std::lround((broken - gap) / 3.0));
    state.DiscardedBytes = 0;
    const long lost = gap + 3 * wholeSamples;
    for (long k = 0; k < lost; ++k) {
        if ((state.NextAxisFrame + k) % 3 != 2) {
            state.SampleBroken = true;
            continue;
        }
        if (state.Logging) ++state.RunLostSamples; // the sample ended without its Z frame
        state.SampleBroken = false;
    }
    state.NextAxisFrame = (position + 1) % 3;
}

Box ReadBackBox(std::uint8_t type) {
    switch (type) {
    case FrmOffsetY:
        return Box::EdRcvdOstY;
    case FrmOffsetX:
        return Box::EdRcvdOstX;
    case FrmOffsetZ:
        return Box::EdRcvdOstZ;
    case FrmScaleY:
        return Box::EdRcvdScaleY;
    case FrmScaleX:
        return Box::EdRcvdScaleX;
    default:
        return Box::EdRcvdScaleZ;
    }
}

// The fields of the axis a sample frame carries.
AxisFields AxisOf(LiveState& state, const ControlState& controls, std::uint8_t type) {
    if (type == FrmAxisY)
        return {1,        state.RawCountY, state.CountY,  state.CountMinY, state.CountMaxY,
                state.GY, state.GYCor,     state.OffsetY, state.KalmanY,   controls.DirRevY};
    if (type == FrmAxisX)
        return {0,        state.RawCountX, state.CountX,  state.CountMinX, state.CountMaxX,
                state.GX, state.GXCor,     state.OffsetX, state.KalmanX,   controls.DirRevX};
    return {2,        state.RawCountZ, state.CountZ,  state.CountMinZ, state.CountMaxZ,
            state.GZ, state.GZCor,     state.OffsetZ, state.KalmanZ,   controls.DirRevZ};
}

} // namespace

void ProcessFrame(LiveState& state, const ControlState& controls, MeasurementView& view,
                  const Frame& frame) {
    const std::uint8_t type = FrameType(frame);
    const std::int16_t value = FrameValue(frame);
    switch (type) {
    case FrmAxisY:
    case FrmAxisX:
    case FrmAxisZ:
        FollowSampleFrames(state, type - FrmAxisY);
        ProcessAxis(state, controls.KalmanIndex, AxisOf(state, controls, type), value);
        if (type == FrmAxisY) view.ShowThreeAxisBox();
        if (type != FrmAxisZ) break;
        if (!state.SampleBroken) {
            CloseSample(state, controls, view);
        } else if (state.Logging) {
            ++state.RunLostSamples;
        }
        state.SampleBroken = false;
        break;
    case FrmIdentity:
        state.DeviceFound = true;
        TakeRangeCode(state, frame[2]);
        break;
    case FrmOffsetY:
    case FrmOffsetX:
    case FrmOffsetZ:
    case FrmScaleY:
    case FrmScaleX:
    case FrmScaleZ:
        view.ShowBox(ReadBackBox(type), std::to_string(value));
        break;
    default:
        break;
    }
}

void EndOfWindowCheck(LiveState& state, const ControlState& controls, MeasurementView& view) {
    if (!state.Logging) return;
    // In 64 bits: any whole number typed as the window must not overflow.
    const std::int64_t windowPoints = std::int64_t{50} * controls.TimeWindow - 1;
    if (view.PointCount(Chart::Acceleration, SeriesX) < windowPoints) return;
    view.ShowBox(Box::EdSpd, "0.0");
    StopRun(state, view);
}

void StopRun(LiveState& state, MeasurementView& view) {
    const bool running = state.Logging;
    state.Logging = false;
    state.VelocityRun = false;
    view.AppendMessage("[Stop Data Log.............]");
    if (running)
        if (const auto lost = LostSamplesLine(state.RunSamples, state.RunLostSamples))
            view.AppendMessage(*lost);
    view.RunEnded();
}
