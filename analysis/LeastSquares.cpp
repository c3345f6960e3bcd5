#include "analysis/LeastSquares.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

constexpr int MaxIterations = 200;
// The search ends where an undamped step would move no parameter by more than this share of
// its standard error, or where a step lowers the sum of squares by no more than rounding.
constexpr double Settled = 1e-3;
constexpr double Rounding = 1e-12;
constexpr double Undamped = 1e-2;

struct NormalEquations {
    SquareMatrix Matrix;       // JᵀJ
    std::vector<double> Right; // Jᵀr
    double Squares = 0.0;
    int Residuals = 0;
};

// The sum of squares at the parameters, with gradients also the normal equations of the first
// `varied` parameters; false when the model cannot be evaluated there.
bool Evaluate(const ResidualModel& model, std::span<const double> parameters, int varied,
              NormalEquations& normal, bool withGradients) {
    normal.Matrix = SquareMatrix(withGradients ? varied : 0);
    normal.Right.assign(withGradients ? varied : 0, 0.0);
    normal.Squares = 0.0;
    normal.Residuals = 0;
    const bool evaluated =
        model(parameters, withGradients, [&](double residual, std::span<const double> gradient) {
            normal.Squares += residual * residual;
            ++normal.Residuals;
            if (!withGradients) return;
            for (int a = 0; a < varied; ++a) {
                normal.Right[a] += gradient[a] * residual;
                for (int b = 0; b <= a; ++b)
                    normal.Matrix(a, b) += gradient[a] * gradient[b];
            }
        });
    if (!evaluated || !std::isfinite(normal.Squares)) return false;
    for (int a = 0; a < normal.Matrix.Size(); ++a)
        for (int b = 0; b < a; ++b)
            normal.Matrix(b, a) = normal.Matrix(a, b);
    return true;
}

} // namespace

bool Invert(SquareMatrix& m) {
    const int n = m.Size();
    SquareMatrix inverse(n);
    for (int i = 0; i < n; ++i)
        inverse(i, i) = 1.0;
    for (int column = 0; column < n; ++column) {
        int pivot = column;
        for (int row = column + 1; row < n; ++row)
            if (std::abs(m(row, column)) > std::abs(m(pivot, column))) pivot = row;
        if (!(std::abs(m(pivot, column)) > 0.0)) return false;
        for (int k = 0; k < n; ++k) {
            std::swap(m(pivot, k), m(column, k));
            std::swap(inverse(pivot, k), inverse(column, k));
        }
        const double scale = 1.0 / m(column, column);
        for (int k = 0; k < n; ++k) {
            m(column, k) *= scale;
            inverse(column, k) *= scale;
        }
        for (int row = 0; row < n; ++row) {
            if (row == column) continue;
            const double factor = m(row, column);
            for (int k = 0; k < n; ++k) {
                m(row, k) -= factor * m(column, k);
                inverse(row, k) -= factor * inverse(column, k);
            }
        }
    }
    m = std::move(inverse);
    return true;
}

double PropagatedVariance(const SquareMatrix& covariance, std::span<const double> gradient) {
    double variance = 0.0;
    for (int a = 0; a < covariance.Size(); ++a)
        for (int b = 0; b < covariance.Size(); ++b)
            variance += gradient[a] * covariance(a, b) * gradient[b];
    return variance;
}

LeastSquaresFit MinimiseSquares(const ResidualModel& model, std::vector<double> start, int varied) {
    LeastSquaresFit result;
    std::vector<double> p = std::move(start);
    NormalEquations normal, trial;
    if (!Evaluate(model, p, varied, normal, true)) return result;
    double damping = 1e-3;
    bool settled = false;
    for (int iteration = 0; iteration < MaxIterations && !settled; ++iteration) {
        bool improved = false;
        while (damping < 1e12 && !improved && !settled) {
            SquareMatrix step = normal.Matrix;
            for (int a = 0; a < varied; ++a)
                step(a, a) *= 1.0 + damping;
            if (!Invert(step)) return result;
            std::vector<double> next = p;
            for (int a = 0; a < varied; ++a)
                for (int b = 0; b < varied; ++b)
                    next[a] += step(a, b) * normal.Right[b];
            // The step against each parameter's standard error, the residuals' scatter taken
            // as their spread: a step that would hardly move any is not taken.
            const double variance = normal.Squares / std::max(1, normal.Residuals - varied);
            settled = damping <= Undamped;
            for (int a = 0; a < varied; ++a) {
                const double moved = next[a] - p[a];
                settled = settled && moved * moved <= Settled * Settled * step(a, a) * variance;
            }
            if (settled) break;
            if (Evaluate(model, next, varied, trial, false) && trial.Squares <= normal.Squares) {
                improved = true;
                settled = normal.Squares - trial.Squares <= Rounding * normal.Squares;
                p = std::move(next);
                damping = std::max(damping / 10.0, 1e-12);
            } else {
                damping *= 10.0;
            }
        }
        if (!improved) break;
        if (!Evaluate(model, p, varied, normal, true)) return result;
    }
    // The covariance at the minimum, from the undamped normal matrix.
    if (!Invert(normal.Matrix)) return result;
    result.Ok = true;
    result.Values = std::move(p);
    result.Covariance = std::move(normal.Matrix);
    result.Squares = normal.Squares;
    result.Residuals = normal.Residuals;
    return result;
}
