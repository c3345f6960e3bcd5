#include "analysis/PolynomialFit.h"

#include "analysis/LeastSquares.h"
#include "analysis/PendulumFit.h"
#include "analysis/RangeStatistics.h"
#include "analysis/ShownCurves.h"
#include "analysis/StudentT.h"
#include "engine/NumberText.h"

#include <cmath>

namespace {

constexpr double Coverage = 0.95;

// Powers of τ = (t − centre) / scale: the fit solves in τ, which keeps the normal equations
// well conditioned far from the run's start.
std::vector<double> Powers(double tau, int parameters) {
    std::vector<double> powers(parameters, 1.0);
    for (int k = 1; k < parameters; ++k)
        powers[k] = powers[k - 1] * tau;
    return powers;
}

// The matrix that takes coefficients in τ to coefficients in t: (t − m)^k / s^k expanded.
SquareMatrix ToChartTime(double centre, double scale, int parameters) {
    SquareMatrix a(parameters);
    for (int k = 0; k < parameters; ++k) {
        double binomial = 1.0; // k over j, for j from k down
        for (int j = k; j >= 0; --j) {
            a(j, k) = binomial * std::pow(-centre, k - j) / std::pow(scale, k);
            binomial = binomial * j / (k - j + 1);
        }
    }
    return a;
}

int DistinctTimes(std::span<const double> times) {
    int distinct = times.empty() ? 0 : 1;
    for (std::size_t i = 1; i < times.size(); ++i)
        distinct += times[i] != times[i - 1];
    return distinct;
}

} // namespace

double PolynomialFit::ValueAt(double time) const {
    double value = 0.0;
    for (auto c = Coefficients.rbegin(); c != Coefficients.rend(); ++c)
        value = value * time + *c;
    return value;
}

PolynomialFit FitPolynomial(std::span<const double> times, std::span<const double> values,
                            double from, double to, int degree) {
    PolynomialFit fit;
    fit.Degree = degree;
    times = times.first(std::min(times.size(), values.size()));
    const SampleRange range = SamplesBetween(times, from, to);
    const auto inRange = times.subspan(range.First, range.End - range.First);
    const auto measured = values.subspan(range.First, inRange.size());
    const int parameters = degree + 1;
    fit.Count = static_cast<int>(inRange.size());
    fit.Failure = MessageId::FitTooFewPoints;
    if (fit.Count <= parameters || DistinctTimes(inRange) < parameters) return fit;
    for (const double value : measured)
        if (!std::isfinite(value)) {
            fit.Failure = MessageId::FitNotANumber;
            return fit;
        }
    const double centre = (inRange.front() + inRange.back()) / 2.0;
    const double scale = (inRange.back() - inRange.front()) / 2.0;
    SquareMatrix normal(parameters);
    std::vector<double> right(parameters, 0.0);
    for (std::size_t i = 0; i < inRange.size(); ++i) {
        const std::vector<double> powers = Powers((inRange[i] - centre) / scale, parameters);
        for (int a = 0; a < parameters; ++a) {
            right[a] += powers[a] * measured[i];
            for (int b = 0; b < parameters; ++b)
                normal(a, b) += powers[a] * powers[b];
        }
    }
    if (!Invert(normal)) return fit;
    std::vector<double> inTau(parameters, 0.0);
    for (int a = 0; a < parameters; ++a)
        for (int b = 0; b < parameters; ++b)
            inTau[a] += normal(a, b) * right[b];
    double squares = 0.0;
    for (std::size_t i = 0; i < inRange.size(); ++i) {
        const std::vector<double> powers = Powers((inRange[i] - centre) / scale, parameters);
        double modelled = 0.0;
        for (int k = 0; k < parameters; ++k)
            modelled += inTau[k] * powers[k];
        squares += (measured[i] - modelled) * (measured[i] - modelled);
    }
    const int degrees = fit.Count - parameters;
    const double variance = squares / degrees;
    const double t = StudentT(Coverage, degrees);
    const SquareMatrix toTime = ToChartTime(centre, scale, parameters);
    for (int j = 0; j < parameters; ++j) {
        std::vector<double> row(parameters);
        double coefficient = 0.0;
        for (int k = 0; k < parameters; ++k) {
            row[k] = toTime(j, k);
            coefficient += row[k] * inTau[k];
        }
        fit.Coefficients.push_back(coefficient);
        fit.HalfWidths.push_back(t * std::sqrt(variance * PropagatedVariance(normal, row)));
    }
    fit.ResidualDeviation = std::sqrt(variance);
    fit.Ok = true;
    return fit;
}

std::vector<Message> PolynomialFitLines(const PolynomialFit& fit, const std::string& unit) {
    if (!fit.Ok) return {fit.Failure};
    std::vector<Message> lines{fit.Degree == 1 ? MessageId::LineFit : MessageId::ParabolaFit};
    static const char* const names[] = {"a", "b", "c"};
    for (std::size_t k = 0; k < fit.Coefficients.size(); ++k)
        lines.push_back(std::string(names[k]) + " = " +
                        ValueWithInterval(fit.Coefficients[k], fit.HalfWidths[k],
                                          PerSecondUnit(unit, static_cast<int>(k))));
    lines.push_back(
        {MessageId::ResidualDeviationLine,
         {FormatFixed(fit.ResidualDeviation, TwoDigitDecimals(fit.ResidualDeviation), 17) + " " +
          unit}});
    lines.push_back({MessageId::FittedPointsNote,
                     {std::to_string(fit.Count), std::to_string(fit.Count - fit.Degree - 1)}});
    return lines;
}

Message PolynomialFitLabel(const PolynomialFit& fit) {
    if (!fit.Ok) return fit.Failure;
    static const char* const powers[] = {"", "·t", "·t²"};
    std::string equation;
    for (std::size_t k = 0; k < fit.Coefficients.size(); ++k) {
        const double value = fit.Coefficients[k];
        const std::string digits =
            FormatFixed(std::abs(value), TwoDigitDecimals(fit.HalfWidths[k]), 17);
        // A coefficient that rounds to zero carries no sign.
        const bool minus = value < 0 && digits.find_first_not_of("0.") != std::string::npos;
        if (k == 0)
            equation += minus ? "−" : "";
        else
            equation += minus ? " − " : " + ";
        equation += digits + powers[k];
    }
    return {fit.Degree == 1 ? MessageId::LineFitLabel : MessageId::ParabolaFitLabel, {equation}};
}
