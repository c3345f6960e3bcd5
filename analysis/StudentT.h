#pragma once

// The t with which a fit's standard error gives an interval of the given two-sided coverage
// (0.95 for 95 %), for residuals with `degrees` degrees of freedom: Student's distribution,
// which is wider than the normal one where few samples estimate the spread. NaN for fewer than
// one degree of freedom.
double StudentT(double coverage, int degrees);
