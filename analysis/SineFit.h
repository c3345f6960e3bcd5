#pragma once

#include <span>
#include <string>

// A sinusoid fitted by least squares to samples of an oscillation:
//   y(t) = Offset + Amplitude · e^(−Decay·(t − Centre)) · sin(2π·Frequency·(t − Centre) + Phase)
// Centre is the middle of the samples' time span, so the amplitude is the one in the middle
// of the range and the parameters hardly correlate. Errors are standard deviations from the
// covariance of the fit, scaled by the scatter of the residuals.
struct SineFit {
    bool Ok = false;
    std::string Failure; // "맞춤 불가: …" when the samples do not define a sinusoid
    bool Damped = false; // Decay is fitted only where the amplitude measurably decays
    double Centre = 0.0;
    double Offset = 0.0, Amplitude = 0.0, Frequency = 0.0, Phase = 0.0, Decay = 0.0;
    double OffsetError = 0.0, AmplitudeError = 0.0, FrequencyError = 0.0, PhaseError = 0.0,
           DecayError = 0.0;
    double ResidualRms = 0.0;
    int Count = 0;
    int Excluded = 0;  // spikes far off the curve, left out of the fit
    double Span = 0.0; // seconds from the first to the last sample

    double ValueAt(double time) const;
};

// Fits times (ascending, seconds) and values. Fails clearly instead of returning a number
// for fewer than eight samples, values that are not numbers, a flat range, a range shorter
// than one period or an oscillation lost in the noise.
SineFit FitSine(std::span<const double> times, std::span<const double> values);
