// Distribution functions from Boost.Math: the normal and beta quantiles, and the inversion of the
// noncentral chi-square distribution in its noncentrality (Steiger and Fouladi 1997).
#include "NOPRDistributions.h"

#include <boost/math/distributions/beta.hpp>
#include <boost/math/distributions/non_central_chi_squared.hpp>
#include <boost/math/distributions/normal.hpp>
#include <boost/math/tools/roots.hpp>

#include <cstdint>
#include <utility>

double NOPRDistributions::NormalQuantile(double p) {
  return boost::math::quantile(boost::math::normal_distribution<double>(), p);
}

double NOPRDistributions::BetaQuantile(double a, double b, double p) {
  return boost::math::quantile(boost::math::beta_distribution<double>(a, b), p);
}

double NOPRDistributions::NoncentralityAt(double x, double df, double p) {
  const auto below = [&](double lambda) {
    return boost::math::cdf(boost::math::non_central_chi_squared_distribution<double>(df, lambda),
                            x) -
           p;
  };
  if (below(0.0) <= 0.0)
    return 0.0;
  // The probability falls toward 0 as lambda grows past x, so doubling finds a bracket quickly.
  double high = x > 1.0 ? x : 1.0;
  while (below(high) > 0.0 && high < 1e12)
    high *= 2.0;
  std::uintmax_t iterations = 200;
  const std::pair<double, double> root = boost::math::tools::toms748_solve(
      below, 0.0, high, boost::math::tools::eps_tolerance<double>(50), iterations);
  return (root.first + root.second) / 2.0;
}
