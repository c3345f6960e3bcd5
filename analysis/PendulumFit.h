#pragma once

#include "analysis/SineFit.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

// A length as typed into the length box, with the uncertainty its last digit states: half a
// unit of that digit ("0.500" → 0.0005 m).
struct TypedLength {
    double Metres = 0.0;
    double Error = 0.0;
    int Decimals = 0; // as typed
};

// nullopt when the text is not a positive number.
std::optional<TypedLength> ReadTypedLength(const std::string& text);

// The pendulum measured by a sinusoid fitted to the plotted axis. Errors are standard
// deviations; the texts give 95 % intervals (twice them).
struct PendulumFit {
    SineFit Fit;
    bool ByGravity = false;
    // The period as the period box reports it: the fitted period of the plotted signal, twice
    // that when the along-string (gravity) component is observed, which swings at double the
    // pendulum frequency.
    double Period = 0.0, PeriodError = 0.0;
    std::optional<TypedLength> Length;
    double Gravity = 0.0, GravityError = 0.0; // 4π²L/T², with a length
    // The swing amplitude θ0, readable where the along-string axis is observed: at the turning
    // points it reads g·cos θ0 whatever the sensor's distance from the pivot. With it the period
    // and gravity corrected to small swings: T0 = T / (1 + θ0²/16 + 11θ0⁴/3072).
    bool AmplitudeKnown = false;
    double AmplitudeDegrees = 0.0, AmplitudeErrorDegrees = 0.0;
    double SmallSwingPeriod = 0.0, SmallSwingPeriodError = 0.0;
    double SmallSwingGravity = 0.0, SmallSwingGravityError = 0.0;
};

// Fits the plotted values (in the chart's unit, unitFactor per g) against their times.
PendulumFit FitPendulum(std::span<const double> times, std::span<const double> values,
                        bool byGravity, double unitFactor, std::optional<TypedLength> length);

// The result in lines for the chart: the failure alone, or period, gravity, amplitude and the
// corrected values, each with its 95 % interval.
std::vector<std::string> PendulumFitLines(const PendulumFit& fit);

// "value ± interval unit" with the interval rounded to two significant digits and the value to
// the same decimal place.
std::string ValueWithInterval(double value, double interval, const std::string& unit);
