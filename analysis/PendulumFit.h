#pragma once

#include "analysis/PeriodicFit.h"
#include "analysis/SwingFit.h"

#include <array>
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

// A pendulum run as the chart holds it: in g, at ascending times in seconds.
struct PendulumSamples {
    std::span<const double> Times;
    std::span<const double> Observed; // the observed axis, before the filter
    // The other two axes, before the filter; empty spans when not recorded.
    std::array<std::span<const double>, 2> Others;
    // The gravity component observed: the observed axis is taken as along the string.
    bool ByGravity = true;
    // Values as the sensor read them; false when a zero offset was subtracted and is unknown.
    bool Absolute = true;
};

// The pendulum measured from a run. Errors are standard deviations; the texts give 95 %
// intervals (twice them).
struct PendulumFit {
    bool Ok = false;
    Message Failure; // "맞춤 불가: …" when the run gives no period
    bool Damped = false;
    int Excluded = 0; // spikes left out
    // The period as the period box reports it, of the swing at the amplitude in the middle of
    // the range where it decays. The along-string axis swings at twice the pendulum frequency.
    double Period = 0.0, PeriodError = 0.0;
    std::optional<TypedLength> Length;
    double Gravity = 0.0, GravityError = 0.0; // 4π²L/T², with a length
    // The swing amplitude θ0 in the middle of the range, and with it the period and gravity of
    // a small swing: T0 = T / ((2/π)·K(sin(θ0/2))). Otherwise the line saying why not.
    bool AmplitudeKnown = false;
    std::optional<Message> AmplitudeWithheld;
    double AmplitudeDegrees = 0.0, AmplitudeErrorDegrees = 0.0;
    double SmallSwingPeriod = 0.0, SmallSwingPeriodError = 0.0;
    double SmallSwingGravity = 0.0, SmallSwingGravityError = 0.0;

    PeriodicFit Periodic;            // of the observed axis
    std::optional<SwingCurve> Swing; // where the swing was fitted to all three axes

    // The fitted curve of the observed axis in g, inside the fitted times; not a number
    // outside them.
    double ObservedAt(double time) const;
};

// The swing's amplitude needs the along-string axis as the sensor read it, about 1 g, and the
// two across axes; without them the period comes from the observed axis' periodic curve.
PendulumFit FitPendulum(const PendulumSamples& samples, std::optional<TypedLength> length);

// The result in lines for the chart: the failure alone, or period, gravity, amplitude and the
// corrected values, each with its 95 % interval.
std::vector<Message> PendulumFitLines(const PendulumFit& fit);

// Beside the g of the period box's formula, 4π²L/T², which takes the swing to be small: where
// the fit read an amplitude at which that formula comes out more than a thousandth low, the
// line that says so and gives g corrected to small swings.
std::optional<Message> LargeSwingLine(const PendulumFit& fit);

// The decimals that show a positive number to two significant digits; 0 for others.
int TwoDigitDecimals(double value);

// "value ± interval unit" with the interval rounded to two significant digits and the value to
// the same decimal place.
std::string ValueWithInterval(double value, double interval, const std::string& unit);
