// The distribution functions the effect size intervals need, kept behind plain functions so that
// only one source of the plug-in includes the distribution library.
#pragma once

namespace NOPRDistributions {

// The standard normal quantile of `p` (0 < p < 1).
double NormalQuantile(double p);

// The quantile of `p` (0 < p < 1) of the beta distribution with shapes `a` and `b` (both > 0).
double BetaQuantile(double a, double b, double p);

// The noncentrality parameter lambda at which a noncentral chi-square variable with `df` degrees
// of freedom is at most `x` with probability `p`: P(X <= x; df, lambda) = p. The probability falls
// as lambda grows, so the root is unique; 0 when even lambda = 0 gives a probability of at most p.
// Arguments: df > 0, x >= 0, 0 < p < 1.
double NoncentralityAt(double x, double df, double p);

} // namespace NOPRDistributions
