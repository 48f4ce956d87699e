// The distributions a line or area can draw instead of data: density, cumulative probability and
// its inverse, with the parameters the grammar names.
#pragma once

#include <string>

class ChartDistribution {
public:
  enum class Kind { kNone, kNormal, kUniform, kExponential, kPoisson };

  // From a distributionStatistic's name and parameters; kNone when they do not make one (an
  // unknown name, a standard deviation that is not positive, a minimum above the maximum, ...).
  static ChartDistribution Make(const std::string& name, double parameter, double secondary);

  Kind GetKind() const { return fKind; }
  bool Discrete() const { return fKind == Kind::kPoisson; }
  // The density (for the Poisson distribution, the probability of the whole number nearest x).
  double Density(double x) const;
  double Cumulative(double x) const;
  // The value below which the share `p` (0 < p < 1) lies.
  double Quantile(double p) const;
  // Where most of the mass lies: the 0.1% and 99.9% points (the whole support for uniform).
  void Extent(double& low, double& high) const;

private:
  Kind fKind = Kind::kNone;
  double fA = 0;
  double fB = 0;
};
