// Boost.Math behind the engine's distribution calls. Tails are taken with complement() so that
// small significances keep their digits.
#include "Distributions.h"

#include <boost/math/distributions/beta.hpp>
#include <boost/math/distributions/binomial.hpp>
#include <boost/math/distributions/chi_squared.hpp>
#include <boost/math/distributions/hypergeometric.hpp>
#include <boost/math/distributions/normal.hpp>
#include <boost/math/distributions/poisson.hpp>
#include <boost/math/distributions/students_t.hpp>

#include <cmath>

namespace engine {
namespace {

using namespace boost::math;
using Policy = policies::policy<policies::discrete_quantile<policies::integer_round_outwards>>;

const normal_distribution<double> kNormal;

} // namespace

// A statistic of a degenerate sample (no spread at all) is NaN; its significance is NaN too, where
// Boost would throw.
double Distributions::NormalCdf(double z) {
  if (std::isnan(z))
    return z;
  return cdf(kNormal, z);
}

double Distributions::NormalUpper(double z) {
  if (std::isnan(z))
    return z;
  return cdf(complement(kNormal, z));
}

double Distributions::NormalTwoSided(double z) {
  if (std::isnan(z))
    return z;
  return std::fmin(1.0, 2 * cdf(complement(kNormal, std::fabs(z))));
}

double Distributions::NormalQuantile(double p) {
  return quantile(kNormal, p);
}

double Distributions::ChiSquareUpper(double x, double df) {
  if (std::isnan(x))
    return x;
  if (x <= 0)
    return 1;
  return cdf(complement(chi_squared_distribution<double>(df), x));
}

double Distributions::ChiSquareQuantile(double p, double df) {
  return quantile(chi_squared_distribution<double>(df), p);
}

double Distributions::BinomialCdf(double k, double n, double p) {
  if (k < 0)
    return 0;
  if (k >= n)
    return 1;
  return cdf(binomial_distribution<double>(n, p), std::floor(k));
}

double Distributions::BinomialUpper(double k, double n, double p) {
  if (k <= 0)
    return 1;
  if (k > n)
    return 0;
  return cdf(complement(binomial_distribution<double>(n, p), std::ceil(k) - 1));
}

double Distributions::BinomialPmf(double k, double n, double p) {
  return pdf(binomial_distribution<double>(n, p), k);
}

double Distributions::BetaQuantile(double p, double a, double b) {
  return quantile(beta_distribution<double>(a, b), p);
}

double Distributions::PoissonCdf(double k, double mean) {
  if (k < 0)
    return 0;
  return cdf(poisson_distribution<double>(mean), std::floor(k));
}

double Distributions::StudentQuantile(double p, double df) {
  return quantile(students_t_distribution<double>(df), p);
}

double Distributions::HypergeometricCdf(double k, double successes, double n, double total) {
  const auto r = static_cast<unsigned>(successes), draws = static_cast<unsigned>(n),
             all = static_cast<unsigned>(total);
  return cdf(hypergeometric_distribution<double>(r, draws, all), static_cast<unsigned>(k));
}

double Distributions::KolmogorovUpper(double z) {
  if (!(z > 0))
    return 1;
  if (z < 1) {
    // 1 - sqrt(2 pi) / z * sum exp(-(2k - 1)^2 pi^2 / (8 z^2))
    const double a = -M_PI * M_PI / (8 * z * z);
    double sum = 0;
    for (int k = 1; k < 200; k += 2) {
      const double term = std::exp(a * k * k);
      sum += term;
      if (term < 1e-17 * sum)
        break;
    }
    return 1 - std::sqrt(2 * M_PI) / z * sum;
  }
  // 2 sum (-1)^(k-1) exp(-2 k^2 z^2)
  double sum = 0, sign = 1;
  for (int k = 1; k < 200; ++k) {
    const double term = std::exp(-2.0 * k * k * z * z);
    sum += sign * term;
    sign = -sign;
    if (term < 1e-17 * sum)
      break;
  }
  return std::fmin(1.0, 2 * sum);
}

} // namespace engine
