#pragma once

#include "messages/Message.h"

#include <array>
#include <span>
#include <string>
#include <vector>

// A periodic curve fitted by least squares to samples of an oscillation: a fundamental and
// its first harmonics, each decaying as the fundamental's amplitude to its power,
//   y(t) = Offset + Σk e^(−k·Decay·τ)·(Sines[k−1]·sin(2πk·Frequency·τ) + Cosines[k−1]·cos(…)),
// with τ = t − Centre, the middle of the samples' time span, so that the amplitudes are those
// in the middle of the range and the parameters hardly correlate. The harmonics follow a
// large swing's waveform, which is not a sinusoid. Errors are standard deviations from the
// covariance of the fit, scaled by the scatter of the residuals.
struct PeriodicFit {
    static constexpr int Harmonics = 3;

    bool Ok = false;
    Message Failure;     // "맞춤 불가: …" when the samples do not define an oscillation
    bool Damped = false; // Decay is fitted only where the amplitude measurably decays
    double Centre = 0.0;
    double Offset = 0.0;
    double Frequency = 0.0, FrequencyError = 0.0;
    double Decay = 0.0, DecayError = 0.0;
    std::array<double, Harmonics> Sines{}, Cosines{};
    double ResidualRms = 0.0;
    double Span = 0.0;             // seconds from the first to the last sample
    std::vector<std::size_t> Kept; // the samples fitted: all but spikes far off the curve
    int Excluded = 0;              // the spikes

    double ValueAt(double time) const;
};

// A decay that is not this many standard errors from zero is not fitted.
constexpr double DecaySignificance = 3.0;

// Fits times (seconds) and values. Fails clearly instead of returning a number for fewer than
// eight samples, values that are not numbers, a flat range, a range shorter than one period
// or an oscillation lost in the noise.
PeriodicFit FitPeriodic(std::span<const double> times, std::span<const double> values);

// A knock or a sample taken before the stream ran would pull a least-squares fit: a sample
// further from the curve than this, six robust standard deviations of the distances (from
// their median), is a spike and left out.
double SpikeLimit(std::vector<double> distances);
