#include "analysis/PendulumFit.h"

#include "engine/NumberText.h"

#include <cmath>
#include <numbers>

namespace {

constexpr double Coverage = 2.0; // the texts' intervals: about 95 % of a normal spread
constexpr double FourPiSquared = 4.0 * std::numbers::pi * std::numbers::pi;
// The along-string axis of a swinging pendulum reads about 1 g on average (in g): between
// cos θ0 at the turning points and more than 1 g at the bottom.
constexpr double AlongStringMin = 0.75, AlongStringMax = 1.5;
constexpr double TurningMin = 0.3; // cos θ0 of a swing of 72°, beyond any class pendulum

double Degrees(double radians) {
    return radians * 180.0 / std::numbers::pi;
}

// 4π²L/T² and its error from the length's and the period's.
void GravityOf(const TypedLength& length, double period, double periodError, double& gravity,
               double& error) {
    gravity = FourPiSquared * length.Metres / (period * period);
    error = gravity * std::hypot(length.Error / length.Metres, 2.0 * periodError / period);
}

// The factor a swing of amplitude θ0 lengthens the period by, and its derivative.
double SwingFactor(double theta) {
    const double theta2 = theta * theta;
    return 1.0 + theta2 / 16.0 + 11.0 * theta2 * theta2 / 3072.0;
}
double SwingFactorSlope(double theta) {
    return theta / 8.0 + 44.0 * theta * theta * theta / 3072.0;
}

// The amplitude from the along-string reading at the turning points, where the fitted curve
// comes nearest zero: |offset| − amplitude, in g. Only a curve around 1 g is the along-string
// axis as the sensor reads it; a zeroed or a crosswise axis tells nothing of the amplitude.
void ReadAmplitude(PendulumFit& result, double unitFactor) {
    const SineFit& fit = result.Fit;
    const double offset = std::abs(fit.Offset) / unitFactor;
    const double turning = offset - fit.Amplitude / unitFactor;
    if (offset < AlongStringMin || offset > AlongStringMax || !(turning > TurningMin) ||
        !(turning < 1.0))
        return;
    const double theta = std::acos(turning);
    const double turningError = std::hypot(fit.OffsetError, fit.AmplitudeError) / unitFactor;
    const double thetaError = turningError / std::sin(theta);
    result.AmplitudeKnown = true;
    result.AmplitudeDegrees = Degrees(theta);
    result.AmplitudeErrorDegrees = Degrees(thetaError);
    const double factor = SwingFactor(theta);
    result.SmallSwingPeriod = result.Period / factor;
    result.SmallSwingPeriodError =
        result.SmallSwingPeriod * std::hypot(result.PeriodError / result.Period,
                                             SwingFactorSlope(theta) * thetaError / factor);
    if (result.Length)
        GravityOf(*result.Length, result.SmallSwingPeriod, result.SmallSwingPeriodError,
                  result.SmallSwingGravity, result.SmallSwingGravityError);
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

PendulumFit FitPendulum(std::span<const double> times, std::span<const double> values,
                        bool byGravity, double unitFactor, std::optional<TypedLength> length) {
    PendulumFit result;
    result.ByGravity = byGravity;
    result.Fit = FitSine(times, values);
    if (!result.Fit.Ok) return result;
    const double signalPeriod = 1.0 / result.Fit.Frequency;
    const double multiple = byGravity ? 2.0 : 1.0;
    result.Period = multiple * signalPeriod;
    result.PeriodError = result.Period * result.Fit.FrequencyError / result.Fit.Frequency;
    result.Length = length;
    if (length)
        GravityOf(*length, result.Period, result.PeriodError, result.Gravity, result.GravityError);
    if (byGravity) ReadAmplitude(result, unitFactor);
    return result;
}

std::string ValueWithInterval(double value, double interval, const std::string& unit) {
    int decimals = 0;
    if (interval > 0.0 && std::isfinite(interval))
        decimals = std::max(0, 1 - static_cast<int>(std::floor(std::log10(interval))));
    return FormatFixed(value, decimals, 17) + " ± " + FormatFixed(interval, decimals, 17) +
           (unit.empty() ? "" : " " + unit);
}

std::vector<std::string> PendulumFitLines(const PendulumFit& fit) {
    if (!fit.Fit.Ok) return {fit.Fit.Failure};
    std::vector<std::string> lines;
    std::string title = fit.Fit.Damped ? "사인 맞춤 (감쇠 진동)" : "사인 맞춤";
    if (fit.Fit.Excluded > 0) title += ", 튀는 점 " + std::to_string(fit.Fit.Excluded) + "개 제외";
    lines.push_back(title);
    lines.push_back("주기 T = " + ValueWithInterval(fit.Period, Coverage * fit.PeriodError, "s"));
    if (fit.Length) {
        lines.push_back("중력 g = 4π²L/T² = " +
                        ValueWithInterval(fit.Gravity, Coverage * fit.GravityError, "m/s²"));
        const int decimals = std::max(0, fit.Length->Decimals);
        lines.push_back("  L = " + FormatFixed(fit.Length->Metres, decimals, 17) + " m ± " +
                        FormatFixed(fit.Length->Error, decimals + 1, 17) +
                        " m (길이 칸 마지막 자리의 절반)");
    } else {
        lines.push_back("중력 g: 길이 칸이 비어 있거나 숫자가 아닙니다");
    }
    if (fit.AmplitudeKnown) {
        lines.push_back("진폭 θ0 = " + ValueWithInterval(fit.AmplitudeDegrees,
                                                         Coverage * fit.AmplitudeErrorDegrees,
                                                         "°"));
        lines.push_back(
            "작은 진폭 보정 T0 = " +
            ValueWithInterval(fit.SmallSwingPeriod, Coverage * fit.SmallSwingPeriodError, "s"));
        if (fit.Length)
            lines.push_back("보정한 g = " + ValueWithInterval(fit.SmallSwingGravity,
                                                              Coverage * fit.SmallSwingGravityError,
                                                              "m/s²"));
    } else if (fit.ByGravity) {
        lines.push_back("진폭 θ0: 줄 방향 축의 값(약 1 g)이 아니어서 읽을 수 없습니다");
    } else {
        lines.push_back("진폭 θ0: 이 관찰 방식으로는 읽을 수 없습니다");
    }
    lines.push_back("± 는 95 % 구간 (2σ)");
    return lines;
}
