// Any samples a chart can hold — from a loaded log, spikes, NaN, infinities, huge or repeated
// values — through the sine fit, the pendulum quantities and the range statistics: a fit
// either gives finite numbers or says "맞춤 불가" with its reason, and never a number then.
#include "analysis/PendulumFit.h"
#include "analysis/StatisticsTable.h"
#include "fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    FuzzInput input(bytes, size);
    const bool byGravity = input.TakeBool();
    const double unitFactor = input.TakeBool() ? 9.8 : 1.0;
    // Sample times 0.02 s apart as a run plots them, the values little-endian floats.
    std::vector<double> times, values;
    for (std::size_t i = 0; i + sizeof(float) <= input.Remaining() && values.size() < 4000;
         i += sizeof(float)) {
        float value;
        std::memcpy(&value, bytes + i, sizeof value);
        times.push_back(static_cast<double>(values.size()) * 0.02);
        values.push_back(value);
    }
    const PendulumFit fit =
        FitPendulum(times, values, byGravity, unitFactor, ReadTypedLength("0.500"));
    const std::vector<std::string> lines = PendulumFitLines(fit);
    Require(!lines.empty());
    if (fit.Fit.Ok) {
        Require(std::isfinite(fit.Period) && fit.Period > 0 && std::isfinite(fit.Gravity));
    } else {
        Require(lines.size() == 1 && lines[0].starts_with("맞춤 불가"));
    }
    RangeStatisticsTable({ShownCurve{Chart1, 0, "Y", times, values}}, 0.1, 5.0);
    return 0;
}
