// Densities and probabilities of the distributions the chart grammar draws.
#include "ChartDistribution.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

double PoissonProbability(double mean, double k) {
  if (k < 0)
    return 0;
  return std::exp(k * std::log(mean) - mean - std::lgamma(k + 1));
}

} // namespace

ChartDistribution ChartDistribution::Make(const std::string& name, double parameter,
                                          double secondary) {
  ChartDistribution distribution;
  if (!std::isfinite(parameter))
    return distribution;
  if (name == "normal" && std::isfinite(secondary) && secondary > 0)
    distribution.fKind = Kind::kNormal;
  else if (name == "uniform" && std::isfinite(secondary) && secondary > parameter)
    distribution.fKind = Kind::kUniform;
  else if (name == "exponential" && parameter > 0)
    distribution.fKind = Kind::kExponential;
  else if (name == "poisson" && parameter > 0 && parameter < 1e7)
    distribution.fKind = Kind::kPoisson;
  distribution.fA = parameter;
  distribution.fB = secondary;
  return distribution;
}

double ChartDistribution::Density(double x) const {
  switch (fKind) {
  case Kind::kNone:
    return 0;
  case Kind::kNormal: {
    double z = (x - fA) / fB;
    return std::exp(-0.5 * z * z) / (fB * std::sqrt(2 * kPi));
  }
  case Kind::kUniform:
    return x >= fA && x <= fB ? 1 / (fB - fA) : 0;
  case Kind::kExponential:
    return x < 0 ? 0 : fA * std::exp(-fA * x);
  case Kind::kPoisson:
    return PoissonProbability(fA, std::round(x));
  }
  return 0;
}

double ChartDistribution::Cumulative(double x) const {
  switch (fKind) {
  case Kind::kNone:
    return 0;
  case Kind::kNormal:
    return 0.5 * std::erfc(-(x - fA) / (fB * std::sqrt(2.)));
  case Kind::kUniform:
    return std::clamp((x - fA) / (fB - fA), 0., 1.);
  case Kind::kExponential:
    return x < 0 ? 0 : 1 - std::exp(-fA * x);
  case Kind::kPoisson: {
    double sum = 0;
    double last = std::floor(x);
    double start = std::max(0., std::floor(fA - 40 * std::sqrt(fA) - 40));
    for (double k = start; k <= last && k < start + 100000; ++k)
      sum += PoissonProbability(fA, k);
    return std::min(1., sum);
  }
  }
  return 0;
}

double ChartDistribution::Quantile(double p) const {
  p = std::clamp(p, 1e-12, 1 - 1e-12);
  switch (fKind) {
  case Kind::kNone:
    return 0;
  case Kind::kUniform:
    return fA + p * (fB - fA);
  case Kind::kExponential:
    return -std::log(1 - p) / fA;
  case Kind::kNormal:
  case Kind::kPoisson: {
    // Bisection on the cumulative probability: exact enough for placing a boundary in pixels.
    double low = 0, high = 0;
    Extent(low, high);
    low -= (high - low);
    high += (high - low);
    for (int i = 0; i < 100; ++i) {
      double middle = 0.5 * (low + high);
      (Cumulative(middle) < p ? low : high) = middle;
    }
    return fKind == Kind::kPoisson ? std::floor(high) : 0.5 * (low + high);
  }
  }
  return 0;
}

void ChartDistribution::Extent(double& low, double& high) const {
  switch (fKind) {
  case Kind::kNone:
    low = 0, high = 1;
    return;
  case Kind::kNormal:
    low = fA - 3.3 * fB, high = fA + 3.3 * fB;
    return;
  case Kind::kUniform:
    low = fA, high = fB;
    return;
  case Kind::kExponential:
    low = 0, high = 6.9 / fA;
    return;
  case Kind::kPoisson:
    low = std::max(0., std::floor(fA - 3.3 * std::sqrt(fA))),
    high = std::ceil(fA + 3.3 * std::sqrt(fA) + 1);
    return;
  }
}
