// The reference distributions of the tests' statistics, from Boost.Math, behind one small header
// so that only one file of the engine compiles Boost's templates.
#pragma once

namespace engine {

class Distributions {
public:
  // Standard normal: lower tail, upper tail, two-sided tail of |z| and the quantile.
  static double NormalCdf(double z);
  static double NormalUpper(double z);
  static double NormalTwoSided(double z);
  static double NormalQuantile(double p);
  // Chi-square with `df` degrees of freedom: the upper tail and the quantile.
  static double ChiSquareUpper(double x, double df);
  static double ChiSquareQuantile(double p, double df);
  // Binomial(n, p): P(X <= k) and P(X >= k).
  static double BinomialCdf(double k, double n, double p);
  static double BinomialUpper(double k, double n, double p);
  static double BinomialPmf(double k, double n, double p);
  // Beta(a, b) quantile (Clopper-Pearson and Jeffreys intervals).
  static double BetaQuantile(double p, double a, double b);
  // Poisson(mean): P(X <= k).
  static double PoissonCdf(double k, double mean);
  // Student's t with `df` degrees of freedom: the quantile.
  static double StudentQuantile(double p, double df);
  // Kolmogorov's limiting distribution of sqrt(n) D: P(K > z). Boost has none; the two classical
  // series (Kolmogorov's alternating one for z >= 1, its Jacobi-theta transform below) are summed
  // until their terms no longer change the sum.
  static double KolmogorovUpper(double z);
  // Hypergeometric: P(X <= k) for draws of `n` from `total` of which `successes` succeed.
  static double HypergeometricCdf(double k, double successes, double n, double total);
};

} // namespace engine
