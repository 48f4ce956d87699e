// The exact null distribution of the signed-rank statistic, ties included: given the (mid)ranks of
// the absolute differences, each rank is added with a positive sign with probability 1/2, so the
// distribution of the sum of positive ranks is counted by adding one rank at a time to a table of
// counts indexed by the sum (the counting algorithm; no enumeration of the 2^n sign patterns).
#pragma once

#include <vector>

namespace engine {

class SignedRankDistribution {
public:
  // `ranks` are midranks (whole or half numbers); `weights` the number of cases with each.
  SignedRankDistribution(const std::vector<double>& ranks, const std::vector<double>& weights);

  // P(W+ <= w) and P(W+ >= w).
  double Lower(double w) const;
  double Upper(double w) const;
  // Two-sided significance: twice the smaller tail, at most 1 (the distribution is symmetric).
  double TwoSided(double w) const;

private:
  // Probability of each doubled sum 0, 1, ..., so that half ranks are whole numbers.
  std::vector<double> fProbability;
};

} // namespace engine
