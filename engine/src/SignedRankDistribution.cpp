// Counting the signed-rank distribution.
#include "SignedRankDistribution.h"

#include <algorithm>
#include <cmath>

namespace engine {

SignedRankDistribution::SignedRankDistribution(const std::vector<double>& ranks,
                                               const std::vector<double>& weights) {
  // Probabilities rather than counts: 2^n overflows nothing this way, and halving is exact.
  fProbability.assign(1, 1.0);
  for (std::size_t i = 0; i < ranks.size(); ++i) {
    const std::size_t step = static_cast<std::size_t>(std::lround(2 * ranks[i]));
    for (double copy = 0; copy < weights[i]; ++copy) {
      std::vector<double> next(fProbability.size() + step, 0.0);
      for (std::size_t s = 0; s < fProbability.size(); ++s) {
        next[s] += fProbability[s] / 2;
        next[s + step] += fProbability[s] / 2;
      }
      fProbability.swap(next);
    }
  }
}

double SignedRankDistribution::Lower(double w) const {
  const long at = std::lround(2 * w);
  double sum = 0;
  for (long s = 0; s <= at && s < static_cast<long>(fProbability.size()); ++s)
    sum += fProbability[static_cast<std::size_t>(s)];
  return std::min(1.0, sum);
}

double SignedRankDistribution::Upper(double w) const {
  const long at = std::max(0L, std::lround(2 * w));
  double sum = 0;
  for (std::size_t s = static_cast<std::size_t>(at); s < fProbability.size(); ++s)
    sum += fProbability[s];
  return std::min(1.0, sum);
}

double SignedRankDistribution::TwoSided(double w) const {
  return std::min(1.0, 2 * std::min(Lower(w), Upper(w)));
}

} // namespace engine
