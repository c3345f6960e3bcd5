#include "analysis/PendulumFit.h"

#include "engine/NumberText.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double Coverage = 2.0; // the texts' intervals: about 95 % of a normal spread
constexpr double FourPiSquared = 4.0 * std::numbers::pi * std::numbers::pi;
// The along-string axis of a swinging pendulum reads about 1 g on average (in g): between
// cos θ0 at the turning points and more than 1 g at the bottom.
constexpr double AlongStringMin = 0.75, AlongStringMax = 1.5;
// The swing model describes the along axis as closely as its periodic curve does; much less
// closely, and the run is no free pendulum's swing.
constexpr double MaxResidualRatio = 1.2;

double Degrees(double radians) {
    return radians * 180.0 / std::numbers::pi;
}

// 4π²L/T² and its error from the length's and the period's.
void GravityOf(const TypedLength& length, double period, double periodError, double& gravity,
               double& error) {
    gravity = FourPiSquared * length.Metres / (period * period);
    error = gravity * std::hypot(length.Error / length.Metres, 2.0 * periodError / period);
}

// Both other axes, complete: the first `count` values of each, all numbers.
bool OthersComplete(const PendulumSamples& samples, std::size_t count) {
    return std::ranges::all_of(samples.Others, [count](std::span<const double> axis) {
        return axis.size() >= count &&
               std::all_of(axis.begin(), axis.begin() + static_cast<long>(count),
                           [](double value) { return std::isfinite(value); });
    });
}

// Why the amplitude cannot be read before trying, or nothing.
std::optional<Message> AmplitudeUnreadable(const PendulumSamples& samples,
                                           const PeriodicFit& periodic, std::size_t count) {
    if (!samples.ByGravity) return MessageId::AmplitudeNotByGravity;
    if (!samples.Absolute) return MessageId::AmplitudeNotAbsolute;
    const double level = std::abs(periodic.Offset); // −1 g on a sensor hung upside down
    if (!(level > AlongStringMin && level < AlongStringMax))
        return MessageId::AmplitudeNotAlongString;
    if (!OthersComplete(samples, count)) return MessageId::AmplitudeWithoutOthers;
    return std::nullopt;
}

void TakeSwing(PendulumFit& result, const SwingFit& swing) {
    result.Damped = swing.Damped;
    result.Excluded = swing.Excluded;
    result.Period = swing.Period;
    result.PeriodError = swing.PeriodError;
    result.AmplitudeKnown = true;
    result.AmplitudeDegrees = Degrees(swing.Amplitude);
    result.AmplitudeErrorDegrees = Degrees(swing.AmplitudeError);
    result.SmallSwingPeriod = swing.SmallSwingPeriod;
    result.SmallSwingPeriodError = swing.SmallSwingPeriodError;
    if (result.Length)
        GravityOf(*result.Length, result.SmallSwingPeriod, result.SmallSwingPeriodError,
                  result.SmallSwingGravity, result.SmallSwingGravityError);
    result.Swing = swing.Curve;
}

// The period from the observed axis' fundamental: twice its period when it is the
// along-string axis, which swings at twice the pendulum frequency.
void TakePeriodic(PendulumFit& result, bool byGravity) {
    const PeriodicFit& periodic = result.Periodic;
    result.Damped = periodic.Damped;
    result.Excluded = periodic.Excluded;
    result.Period = (byGravity ? 2.0 : 1.0) / periodic.Frequency;
    result.PeriodError = result.Period * periodic.FrequencyError / periodic.Frequency;
}

} // namespace

std::optional<TypedLength> ReadTypedLength(const std::string& text) {
    const auto value = ParseReal(text);
    if (!value || !(*value > 0.0)) return std::nullopt;
    // Decimals of the mantissa, moved by an exponent: "5.0e-1" is stated to hundredths.
    const auto exponentAt = text.find_first_of("eE");
    const std::string mantissa = text.substr(0, exponentAt);
    const auto point = mantissa.find('.');
    const auto lastDigit = mantissa.find_last_of("0123456789");
    int decimals =
        point == std::string::npos || lastDigit < point ? 0 : static_cast<int>(lastDigit - point);
    if (exponentAt != std::string::npos)
        decimals -= ParseInteger(text.substr(exponentAt + 1)).value_or(0);
    return TypedLength{*value, 0.5 * std::pow(10.0, -decimals), decimals};
}

double PendulumFit::ObservedAt(double time) const {
    if (!Ok) return NAN;
    if (Swing) return Swing->At(time);
    const double half = Periodic.Span / 2;
    return std::abs(time - Periodic.Centre) <= half ? Periodic.ValueAt(time) : NAN;
}

PendulumFit FitPendulum(const PendulumSamples& samples, std::optional<TypedLength> length) {
    PendulumFit result;
    result.Length = length;
    result.Periodic = FitPeriodic(samples.Times, samples.Observed);
    if (!result.Periodic.Ok) {
        result.Failure = result.Periodic.Failure;
        return result;
    }
    result.Ok = true;
    const std::size_t count = std::min(samples.Times.size(), samples.Observed.size());
    result.AmplitudeWithheld = AmplitudeUnreadable(samples, result.Periodic, count);
    if (!result.AmplitudeWithheld) {
        const SwingFit swing =
            FitSwing({samples.Times.first(count),
                      samples.Observed.first(count),
                      {samples.Others[0].first(count), samples.Others[1].first(count)}},
                     result.Periodic);
        if (swing.Ok && swing.AlongRms <= MaxResidualRatio * result.Periodic.ResidualRms)
            TakeSwing(result, swing);
        else
            result.AmplitudeWithheld = MessageId::AmplitudeNotASwing;
    }
    if (!result.AmplitudeKnown) TakePeriodic(result, samples.ByGravity);
    if (length)
        GravityOf(*length, result.Period, result.PeriodError, result.Gravity, result.GravityError);
    return result;
}

std::optional<Message> LargeSwingLine(const PendulumFit& fit) {
    if (!fit.Ok || !fit.AmplitudeKnown || !fit.Length) return std::nullopt;
    const double ratio = fit.SmallSwingPeriod / fit.Period;
    const double low = 1.0 - ratio * ratio; // how much 4π²L/T² falls short
    if (!(low > 0.001)) return std::nullopt;
    return Message(
        MessageId::LargeSwing,
        {FormatFixed(fit.AmplitudeDegrees, 1), FormatFixed(100.0 * low, 1),
         ValueWithInterval(fit.SmallSwingGravity, Coverage * fit.SmallSwingGravityError, "m/s²")});
}

int TwoDigitDecimals(double value) {
    if (!(value > 0.0 && std::isfinite(value))) return 0;
    return std::max(0, 1 - static_cast<int>(std::floor(std::log10(value))));
}

std::string ValueWithInterval(double value, double interval, const std::string& unit) {
    const int decimals = TwoDigitDecimals(interval);
    return FormatFixed(value, decimals, 17) + " ± " + FormatFixed(interval, decimals, 17) +
           (unit.empty() ? "" : " " + unit);
}

std::vector<Message> PendulumFitLines(const PendulumFit& fit) {
    if (!fit.Ok) return {fit.Failure};
    std::vector<Message> lines;
    const MessageId title = fit.Damped ? MessageId::SineFitDamped : MessageId::SineFit;
    lines.push_back(fit.Excluded > 0 ? Message(MessageId::StrayPointsLeftOut,
                                               {title, std::to_string(fit.Excluded)})
                                     : title);
    lines.push_back(
        {MessageId::PeriodLine, {ValueWithInterval(fit.Period, Coverage * fit.PeriodError, "s")}});
    if (fit.Length) {
        lines.push_back({MessageId::GravityLine,
                         {ValueWithInterval(fit.Gravity, Coverage * fit.GravityError, "m/s²")}});
        const int decimals = std::max(0, fit.Length->Decimals);
        lines.push_back({MessageId::LengthLine,
                         {FormatFixed(fit.Length->Metres, decimals, 17) + " m ± " +
                          FormatFixed(fit.Length->Error, decimals + 1, 17) + " m"}});
    } else {
        lines.push_back(MessageId::GravityWithoutLength);
    }
    if (fit.AmplitudeKnown) {
        lines.push_back(
            {MessageId::AmplitudeLine,
             {ValueWithInterval(fit.AmplitudeDegrees, Coverage * fit.AmplitudeErrorDegrees, "°")}});
        lines.push_back(
            {MessageId::SmallSwingPeriodLine,
             {ValueWithInterval(fit.SmallSwingPeriod, Coverage * fit.SmallSwingPeriodError, "s")}});
        if (fit.Length)
            lines.push_back({MessageId::CorrectedGravityLine,
                             {ValueWithInterval(fit.SmallSwingGravity,
                                                Coverage * fit.SmallSwingGravityError, "m/s²")}});
    } else {
        lines.push_back(fit.AmplitudeWithheld.value());
    }
    if (fit.Damped) lines.push_back(MessageId::DampedNote);
    lines.push_back(MessageId::IntervalNote);
    return lines;
}
