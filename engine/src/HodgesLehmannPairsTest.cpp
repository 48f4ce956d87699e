// Hodges-Lehmann estimate of two related fields (Hollander and Wolfe, Nonparametric Statistical
// Methods, 3rd ed., sections 3.2 and 3.3). All differences count, zeros included. The interval
// runs from the C-th smallest to the C-th largest Walsh average: C from the exact signed-rank
// distribution without ties for at most 50 cases (C = its alpha/2 quantile, at least 1, as R's
// wilcox.test takes it), else C = n(n+1)/4 - z sqrt(n(n+1)(2n+1)/24), rounded.
#include "HodgesLehmannPairsTest.h"

#include "Distributions.h"
#include "PairedDifferences.h"
#include "SignedRankDistribution.h"
#include "TestContext.h"
#include "TestWriting.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <numeric>

namespace engine {
namespace {

// Doubles in their order as unsigned integers, so that bisection can halve the doubles between
// two bounds.
std::uint64_t KeyOf(double x) {
  std::uint64_t u = 0;
  std::memcpy(&u, &x, sizeof u);
  return (u >> 63) ? ~u : (u | (std::uint64_t{1} << 63));
}

double ValueOf(std::uint64_t key) {
  const std::uint64_t u = (key >> 63) ? (key & ~(std::uint64_t{1} << 63)) : ~key;
  double x = 0;
  std::memcpy(&x, &u, sizeof x);
  return x;
}

// The signed-rank statistic's lower alpha/2 point for n untied cases: the smallest q with
// P(W <= q) >= p (R's qsignrank, with its allowance of 10 epsilon).
double SignedRankQuantile(double p, double n) {
  std::vector<double> ranks(static_cast<std::size_t>(n));
  std::iota(ranks.begin(), ranks.end(), 1.0);
  const SignedRankDistribution distribution(ranks, std::vector<double>(ranks.size(), 1.0));
  double q = 0;
  while (distribution.Lower(q) < p - 10 * DBL_EPSILON)
    ++q;
  return q;
}

} // namespace

double HodgesLehmannPairsTest::WalshAverage(const std::vector<double>& values,
                                            const std::vector<double>& weights, double k) {
  std::vector<std::size_t> order(values.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::sort(order.begin(), order.end(),
            [&values](std::size_t a, std::size_t b) { return values[a] < values[b]; });
  std::vector<double> x, w, before{0}; // distinct values, their weights, weight below each
  for (std::size_t i : order) {
    if (!x.empty() && x.back() == values[i]) {
      w.back() += weights[i];
    } else {
      x.push_back(values[i]);
      w.push_back(weights[i]);
    }
  }
  for (double weight : w)
    before.push_back(before.back() + weight);
  const std::size_t m = x.size();
  // Averages at or below t: each value with itself w(w+1)/2 times, and with every larger value
  // whose average with it is at or below t; that larger value falls as the smaller one rises.
  auto countAtOrBelow = [&](double t) {
    double count = 0;
    std::size_t j = m;
    for (std::size_t i = 0; i < m && x[i] <= t; ++i) {
      count += w[i] * (w[i] + 1) / 2;
      while (j > i + 1 && (x[i] + x[j - 1]) / 2 > t)
        --j;
      if (j > i + 1)
        count += w[i] * (before[j] - before[i + 1]);
    }
    return count;
  };
  std::uint64_t low = KeyOf(x.front()), high = KeyOf(x.back());
  while (low < high) {
    const std::uint64_t middle = low + (high - low) / 2;
    if (countAtOrBelow(ValueOf(middle)) >= k)
      high = middle;
    else
      low = middle + 1;
  }
  return ValueOf(low) + 0.0; // +0.0 turns a negative zero into zero
}

ResultElement HodgesLehmannPairsTest::Write(const TestContext& context,
                                            const PairedDifferences& pairs) {
  const double n = pairs.fTotal, averages = n * (n + 1) / 2;
  double estimate = NAN, lower = NAN, upper = NAN;
  if (n > 0) {
    const std::vector<double>& d = pairs.fDifferences;
    const std::vector<double>& w = pairs.fWeights;
    const double middle = std::floor((averages + 1) / 2);
    estimate = WalshAverage(d, w, middle);
    if (std::fmod(averages, 2) == 0)
      estimate = (estimate + WalshAverage(d, w, middle + 1)) / 2;
    const double alpha = 1 - context.ConfidenceLevel();
    double c = 0;
    if (n <= 50) {
      c = SignedRankQuantile(alpha / 2, n);
    } else {
      const double z = Distributions::NormalQuantile(1 - alpha / 2);
      c = std::round(n * (n + 1) / 4 - z * std::sqrt(n * (n + 1) * (2 * n + 1) / 24));
    }
    c = std::min(std::max(c, 1.0), averages);
    lower = WalshAverage(d, w, c);
    upper = WalshAverage(d, w, averages - c + 1);
  }
  ResultElement algorithm =
      TestWriting::Algorithm("RHodgesLehmannEstimatePairs", "Related_Samples", "");
  algorithm.Add(
      TestWriting::Condition("R_HodgesLehman_2", {pairs.fFirstIndex, pairs.fSecondIndex}));
  ResultElement& results = algorithm.Add(TestWriting::Table("StatisticsResult"));
  results.Add(TestWriting::Attribute("Estimate", estimate));
  ResultElement& interval = results.Add(TestWriting::Table("Asymptotic"));
  interval.Add(TestWriting::Attribute("ConfidenceIntervalLowerBound", lower));
  interval.Add(TestWriting::Attribute("ConfidenceIntervalUpperBound", upper));
  return algorithm;
}

} // namespace engine
