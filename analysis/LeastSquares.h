#pragma once

#include <functional>
#include <span>
#include <vector>

// A square matrix, row by row.
class SquareMatrix {
public:
    explicit SquareMatrix(int size = 0) : size(size), values(std::size_t(size) * size) {}

    int Size() const { return size; }
    double& operator()(int row, int column) { return values[std::size_t(row) * size + column]; }
    double operator()(int row, int column) const {
        return values[std::size_t(row) * size + column];
    }

private:
    int size;
    std::vector<double> values;
};

// Inverts a matrix in place; false when it is singular.
bool Invert(SquareMatrix& m);

// The variance of a quantity with the given gradient by the parameters: gᵀ·C·g.
double PropagatedVariance(const SquareMatrix& covariance, std::span<const double> gradient);

// Receives one residual of a model: (measured − modelled) / standard deviation, and the
// modelled value's derivatives by the parameters, divided alike (empty when not asked for).
using ResidualRow = std::function<void(double residual, std::span<const double> gradient)>;
// Gives every residual at the parameters, with gradients when asked; false when the model
// cannot be evaluated there.
using ResidualModel =
    std::function<bool(std::span<const double> parameters, bool gradients, const ResidualRow&)>;

struct LeastSquaresFit {
    bool Ok = false;
    std::vector<double> Values;
    // (JᵀJ)⁻¹ over the varied parameters: the covariance where the residuals were divided by
    // their true standard deviations.
    SquareMatrix Covariance;
    double Squares = 0.0; // the sum of the squared residuals
    int Residuals = 0;
};

// Levenberg–Marquardt from `start`, varying its first `varied` parameters; the rest stay.
LeastSquaresFit MinimiseSquares(const ResidualModel& model, std::vector<double> start, int varied);
