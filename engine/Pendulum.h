#pragma once

#include "messages/Message.h"

#include <optional>
#include <string>

// Read access to the plotted pendulum series (the first series of the acceleration chart).
class SeriesReader {
public:
    virtual ~SeriesReader() = default;
    virtual int Count() const = 0;
    virtual double YAt(int index) const = 0;
    virtual double LargestX() const = 0;
};

// The period box's measurement: the period, or why the view gives none.
struct PendulumPeriod {
    double Period = 0.0; // seconds; 0 when withheld or fewer than two turning points
    int TurningPoints = 0;
    std::optional<Message> Withheld; // why the signal cannot give a period
};

// Oscillation period from the turning points of the series between the bottom axis'
// minimum and maximum. The spacing of turning points is a quarter period when the gravity
// component is observed and half a period when the acceleration is. A clean series gives
// the turning points and the period it always gave; a noisy one is smoothed first, and the
// period is withheld wherever it could be more than 1 % off.
PendulumPeriod MeasurePendulumPeriod(double axisMin, double axisMax, const SeriesReader& series,
                                     bool byGravity);

// Gravity 4π²L/T² from the texts of the period and length boxes: nullopt when either is
// not a number (nothing changes), an empty text when either is zero.
std::optional<std::string> PendulumGravityText(const std::string& period,
                                               const std::string& length);

// Period 2π√(L/9.8) of the length; same rules as above (the measured period must be
// non-zero although the formula does not use it).
std::optional<std::string> PendulumPeriodText(const std::string& period, const std::string& length);

// The length box text for an up-down position in millimetres.
std::string PendulumLengthText(int positionMm);

// The up-down position for a typed length in metres; nullopt when the text is not a number
// or lies outside 1..20000 mm.
std::optional<int> PendulumLengthPosition(const std::string& lengthText);

constexpr int PendulumLengthMinMm = 0;
constexpr int PendulumLengthMaxMm = 20000;
