// Pairwise comparisons (Dunn's procedure on the test's own scale: Siegel and Castellan,
// Nonparametric Statistics, 2nd ed., section 7.2.2 for mean ranks; Sheskin, Handbook of
// Parametric and Nonparametric Statistical Procedures, Test 26 for Cochran's proportions) and
// homogeneous subsets (the step-down procedure of Campbell and Skillings, JASA 80 (1985) 998).
#include "RelatedComparisons.h"

#include "Distributions.h"
#include "TestWriting.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace engine {
namespace {

const std::vector<std::string> kColumns = {
    "Sample1", "Sample2", "TestStatistic", "StdError", "StdTestStatistic", "Sig", "AdjSig"};

} // namespace

ResultElement RelatedComparisons::Pairwise(const std::vector<double>& indexes,
                                           const std::vector<double>& values,
                                           const std::vector<double>& shown,
                                           const std::string& shownName, double se) {
  const std::size_t k = indexes.size();
  const double pairs = static_cast<double>(k * (k - 1) / 2);
  std::vector<std::vector<double>> rows;
  for (std::size_t a = 0; a < k; ++a)
    for (std::size_t b = a + 1; b < k; ++b) {
      const std::size_t first = values[a] <= values[b] ? a : b, second = first == a ? b : a;
      const double statistic = values[first] - values[second];
      const double z = se > 0 ? statistic / se : NAN;
      const double sig = se > 0 ? Distributions::NormalTwoSided(z) : NAN;
      rows.push_back(
          {indexes[first], indexes[second], statistic, se, z, sig, std::min(1.0, sig * pairs)});
    }
  ResultElement result = TestWriting::Table("PairwiseResult");
  result.Add(TestWriting::SimpleTable("PairwiseInfo", {"Sample", shownName},
                                      TestWriting::Positions(k), {indexes, shown}));
  result.Add(TestWriting::SimpleTable("Content", {"Pair"}, kColumns, rows));
  return result;
}

ResultElement
RelatedComparisons::Stepwise(const std::vector<double>& indexes, const std::vector<double>& values,
                             const std::string& valueName,
                             const std::function<SubsetTest(const std::vector<std::size_t>&)>& test,
                             double alpha) {
  const std::size_t k = indexes.size();
  std::vector<std::size_t> order(k);
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(),
                   [&values](std::size_t a, std::size_t b) { return values[a] < values[b]; });
  // Runs of p adjacent fields (in the order of their values), p from k down to 2; a run inside
  // a homogeneous subset found before is not tested. A run is homogeneous when its test's
  // significance, adjusted to 1 - (1 - sig)^(k/p) (the level 1 - (1 - alpha)^(p/k) of the
  // procedure), is above alpha; an undefined significance (no variation) rejects nothing.
  std::vector<std::vector<double>> rows;
  std::vector<bool> covered(k, false);
  for (std::size_t p = k; p >= 2; --p)
    for (std::size_t start = 0; start + p <= k; ++start) {
      const std::size_t end = start + p - 1;
      const bool inside = std::any_of(rows.begin(), rows.end(), [&](const std::vector<double>& r) {
        return r[0] <= static_cast<double>(start) && static_cast<double>(end) <= r[1];
      });
      if (inside)
        continue;
      const std::vector<std::size_t> fields(order.begin() + static_cast<long>(start),
                                            order.begin() + static_cast<long>(end) + 1);
      const SubsetTest result = test(fields);
      const double adjusted =
          1 - std::pow(1 - result.fSignificance, static_cast<double>(k) / static_cast<double>(p));
      if (!(adjusted <= alpha)) {
        rows.push_back({static_cast<double>(start), static_cast<double>(end), result.fStatistic,
                        NAN, NAN, result.fSignificance, adjusted});
        for (std::size_t j = start; j <= end; ++j)
          covered[j] = true;
      }
    }
  for (std::size_t j = 0; j < k; ++j)
    if (!covered[j])
      rows.push_back({static_cast<double>(j), static_cast<double>(j), NAN, NAN, NAN, NAN, NAN});
  std::stable_sort(
      rows.begin(), rows.end(),
      [](const std::vector<double>& a, const std::vector<double>& b) { return a[0] < b[0]; });
  std::vector<double> orderedIndexes, orderedValues;
  for (std::size_t j : order) {
    orderedIndexes.push_back(indexes[j]);
    orderedValues.push_back(values[j]);
  }
  ResultElement result = TestWriting::Table("StepwiseResult");
  result.Add(TestWriting::SimpleTable("StepwiseInfo", {"Sample", valueName},
                                      TestWriting::Positions(k), {orderedIndexes, orderedValues}));
  result.Add(TestWriting::SimpleTable("Content", {"Subset"}, kColumns, rows));
  return result;
}

} // namespace engine
