// libFuzzer over the chart tools' arithmetic: any samples a chart may hold (spikes, NaN,
// infinities, repeated or huge values) go through the sine fit, the pendulum quantities and
// the range statistics. A fit either fails with its reason or gives finite numbers.
#include "analysis/PendulumFit.h"
#include "analysis/StatisticsTable.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Sample times 0.02 s apart as a run plots them; the values from the input.
    std::vector<double> times, values;
    for (std::size_t i = 0; i + sizeof(float) <= size && values.size() < 4000; i += sizeof(float)) {
        float value;
        std::memcpy(&value, data + i, sizeof value);
        times.push_back(static_cast<double>(values.size()) * 0.02);
        values.push_back(value);
    }
    const bool byGravity = size % 2 == 0;
    const PendulumFit fit =
        FitPendulum(times, values, byGravity, size % 3 == 0 ? 9.8 : 1.0, ReadTypedLength("0.500"));
    if (fit.Fit.Ok && !(std::isfinite(fit.Period) && std::isfinite(fit.Gravity))) std::abort();
    if (PendulumFitLines(fit).empty()) std::abort();
    const ShownCurve curve{Chart1, 0, "Y", times, values};
    RangeStatisticsTable({curve}, 0.1, 5.0);
    return 0;
}
