// Any samples a chart can hold — from a loaded log, spikes, NaN, infinities, huge or repeated
// values — through the pendulum fit, the line and parabola fits and the range statistics: a fit
// either gives finite numbers or says "맞춤 불가" with its reason, and never a number then.
#include "analysis/PendulumFit.h"
#include "analysis/PolynomialFit.h"
#include "analysis/StatisticsTable.h"
#include "fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    FuzzInput input(bytes, size);
    const bool byGravity = input.TakeBool();
    const bool absolute = input.TakeBool();
    const int axes = input.TakeBool() ? 3 : 1; // the other two recorded, or not
    // Sample times 0.02 s apart as a run plots them, the values little-endian floats, the
    // axes of a sample one after the other.
    std::vector<double> times;
    std::array<std::vector<double>, 3> values;
    for (std::size_t i = 0; i + axes * sizeof(float) <= input.Remaining() && times.size() < 4000;
         i += axes * sizeof(float)) {
        for (int axis = 0; axis < axes; ++axis) {
            float value;
            std::memcpy(&value, bytes + i + axis * sizeof(float), sizeof value);
            values[axis].push_back(value);
        }
        times.push_back(static_cast<double>(times.size()) * 0.02);
    }
    const PendulumFit fit = FitPendulum(
        {times, values[0], {values[1], values[2]}, byGravity, absolute}, ReadTypedLength("0.500"));
    const std::vector<Message> lines = PendulumFitLines(fit);
    Require(!lines.empty());
    if (fit.Ok) {
        Require(std::isfinite(fit.Period) && fit.Period > 0 && std::isfinite(fit.PeriodError) &&
                std::isfinite(fit.Gravity) && std::isfinite(fit.GravityError));
        Require(fit.AmplitudeKnown != fit.AmplitudeWithheld.has_value());
        if (fit.AmplitudeKnown)
            Require(
                std::isfinite(fit.AmplitudeDegrees) && std::isfinite(fit.AmplitudeErrorDegrees) &&
                std::isfinite(fit.SmallSwingGravity) && std::isfinite(fit.SmallSwingGravityError));
        Require(std::isfinite(fit.ObservedAt(times[times.size() / 2])));
    } else {
        Require(lines.size() == 1 && KoreanText(lines[0]).starts_with("맞춤 불가"));
    }
    for (const int degree : {1, 2}) {
        const PolynomialFit line = FitPolynomial(times, values[0], 0.1, 5.0, degree);
        for (const std::vector<double>* numbers : {&line.Coefficients, &line.HalfWidths})
            for (const double number : *numbers)
                Require(std::isfinite(number));
        Require(line.Ok == !line.Coefficients.empty() && std::isfinite(line.ResidualDeviation));
    }
    RangeStatisticsTable({ShownCurve{Chart::Acceleration, SeriesX, "Y", times, values[0]}}, 0.1,
                         5.0);
    return 0;
}
