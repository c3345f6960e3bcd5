#pragma once

#include <cstdint>
#include <optional>

// The arithmetic of the calibration page: per-axis offset and scale from the peak counts the
// sensor showed while it was turned through ±1 g. Everything the device takes is 16 bits.

// A number the operator typed, kept as its low 16 bits, as the device would take it.
constexpr std::int16_t Low16(std::int64_t value) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(value & 0xFFFF));
}

// Largest minus smallest count; in 32 bits, so no pair of counts overflows.
constexpr std::int32_t PeakSpan(std::int16_t countMin, std::int16_t countMax) {
    return std::int32_t{countMax} - countMin;
}

// The midpoint of the peaks: the smallest count plus half the span, the half truncated
// toward zero and the sum kept to 16 bits (so an odd span rounds toward the minimum).
constexpr std::int16_t CalibrationOffset(std::int16_t countMin, std::int16_t countMax) {
    return Low16(std::int64_t{countMin} + PeakSpan(countMin, countMax) / 2);
}

// The scale resolutions of the reference-scale box: the scale that means a gain of 1.
constexpr int ScaleResolutionFine = 1000;
constexpr int ScaleResolutionCoarse = 100;

// The gain that brings the measured span to the reference span, in steps of 1/resolution,
// rounded half up and kept to 16 bits. None when the span is 0 or the reference is so large
// that the product is no finite number.
std::optional<std::int16_t> CalibrationScale(double referenceSpan, std::int32_t span,
                                             int resolution);
