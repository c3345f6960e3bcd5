#include "calibration/Calibration.h"

#include <cmath>

std::optional<std::int16_t> CalibrationScale(double referenceSpan, std::int32_t span,
                                             int resolution) {
    if (span == 0) return std::nullopt;
    const double quotient = referenceSpan / span;
    // The half step is added before scaling, in this order: the stored history and the
    // devices calibrated so far hold values rounded exactly so.
    const double scaled =
        resolution == ScaleResolutionFine ? (quotient + 0.0005) * 1000 : (quotient + 0.005) * 100;
    if (!std::isfinite(scaled)) return std::nullopt;
    // Exact for every finite double: its low 16 bits after truncation toward zero.
    const double wrapped = std::fmod(std::trunc(scaled), 65536.0);
    return Low16(static_cast<std::int64_t>(wrapped));
}
