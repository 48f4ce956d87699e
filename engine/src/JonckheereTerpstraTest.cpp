// Jonckheere-Terpstra: J sums the Mann-Whitney counts over the group pairs a < b (in the order
// tested); mean (N^2 - sum n_i^2) / 4 and the variance corrected for ties (Hollander and Wolfe,
// Nonparametric Statistical Methods, eq. 6.19); z = (J - mean) / sd with a two-sided normal
// significance. Subsets: one-sided, J above its mean. Pairwise: the count of the group with the
// larger mean rank above the other, its tie-corrected Mann-Whitney standard error, one-sided
// significance, Bonferroni-adjusted.
#include "JonckheereTerpstraTest.h"

#include "Distributions.h"
#include "GroupRecords.h"
#include "GroupedCases.h"
#include "PairwiseComparisons.h"
#include "StepwiseSubsets.h"
#include "TestContext.h"
#include "TestWriting.h"

#include <cmath>
#include <map>

namespace engine {

double JonckheereTerpstraTest::PairCount(const GroupedCases& cases, std::size_t a, std::size_t b,
                                         double* tieTerm) {
  const GroupedCases pair = cases.Subset({a, b});
  double w = 0;
  for (std::size_t c = 0; c < pair.CaseCount(); ++c)
    if (pair.Group(c) == 1)
      w += pair.Weight(c) * pair.Ranked().fRanks[c];
  if (tieTerm)
    *tieTerm = pair.Ranked().fTieTerm;
  return w - pair.Size(1) * (pair.Size(1) + 1) / 2;
}

JonckheereTerpstraTest::Result JonckheereTerpstraTest::Compute(const GroupedCases& cases,
                                                               bool descending) {
  const std::size_t k = cases.GroupCount();
  const double n = cases.Total();
  double j = 0, sumSquares = 0, sizeCubic = 0, sizeThird = 0, sizePairs = 0;
  for (std::size_t a = 0; a < k; ++a) {
    for (std::size_t b = a + 1; b < k; ++b)
      j += descending ? PairCount(cases, b, a) : PairCount(cases, a, b);
    const double m = cases.Size(a);
    sumSquares += m * m;
    sizeCubic += m * (m - 1) * (2 * m + 5);
    sizeThird += m * (m - 1) * (m - 2);
    sizePairs += m * (m - 1);
  }
  std::map<double, double> ties;
  for (std::size_t c = 0; c < cases.CaseCount(); ++c)
    ties[cases.Value(c)] += cases.Weight(c);
  double tieCubic = 0, tieThird = 0, tiePairs = 0;
  for (const auto& entry : ties) {
    const double t = entry.second;
    tieCubic += t * (t - 1) * (2 * t + 5);
    tieThird += t * (t - 1) * (t - 2);
    tiePairs += t * (t - 1);
  }
  const double mean = (n * n - sumSquares) / 4;
  // The cross terms vanish with fewer than three (two) cases; their denominators would too.
  const double variance = (n * (n - 1) * (2 * n + 5) - sizeCubic - tieCubic) / 72 +
                          (n > 2 ? sizeThird * tieThird / (36 * n * (n - 1) * (n - 2)) : 0) +
                          (n > 1 ? sizePairs * tiePairs / (8 * n * (n - 1)) : 0);
  const double sd = std::sqrt(variance);
  return {j, sd, (j - mean) / sd};
}

ResultElement JonckheereTerpstraTest::Write(const TestContext& context, const GroupedCases& cases,
                                            const FieldColumn& test, const FieldColumn& group,
                                            bool descending, Compare compare) {
  const auto [j, sd, z] = Compute(cases, descending);
  const double sig = Distributions::NormalTwoSided(z);
  const double n = cases.Total();

  std::vector<PairwiseRow> rows;
  for (const auto& [a, b] : compare == Compare::kPairwise
                                ? PairwiseComparisons::Pairs(cases.MeanRanks())
                                : std::vector<std::pair<std::size_t, std::size_t>>{}) {
    PairwiseRow row;
    row.fFirst = a;
    row.fSecond = b;
    double tieTerm = 0;
    row.fStatistic = PairCount(cases, a, b, &tieTerm);
    const double na = cases.Size(a), nb = cases.Size(b), m = na + nb;
    row.fStandardError = std::sqrt(na * nb / 12 * ((m + 1) - tieTerm / (m * (m - 1))));
    row.fZ = (row.fStatistic - na * nb / 2) / row.fStandardError;
    row.fSig = Distributions::NormalUpper(row.fZ);
    rows.push_back(row);
  }

  ResultElement algorithm = TestWriting::Algorithm("IJonckheereTerpstra", "Independent_Samples",
                                                   TestWriting::Decision(sig, context.Alpha()));
  algorithm.Add(GroupRecords::Condition("JonckheereTerpstra", test, group));
  ResultElement& results = algorithm.Add(TestWriting::Table("StatisticsResult"));
  results.Add(TestWriting::Attribute("TotalN", n));
  results.Add(TestWriting::Attribute("TestStatistic", j));
  results.Add(TestWriting::Attribute("StandardError", sd));
  results.Add(TestWriting::Attribute("StandardizedTestStatistic", z));
  results.Add(TestWriting::Attribute("AsymptoticSig2Tailed", sig));
  algorithm.Add(GroupRecords::BoxPlotInfo(cases, group));
  if (compare == Compare::kPairwise)
    algorithm.Add(PairwiseComparisons::Table(cases, group, cases.MeanRanks(), rows));
  else if (compare == Compare::kStepwise) {
    std::vector<std::size_t> order(cases.GroupCount());
    for (std::size_t g = 0; g < order.size(); ++g)
      order[g] = descending ? order.size() - 1 - g : g;
    algorithm.Add(StepwiseSubsets::Write(cases, group, context.Alpha(), order, cases.MeanRanks(),
                                         [](const GroupedCases& run) {
                                           const Result r = Compute(run, false);
                                           SubsetTest t{r.fJ, r.fStandardError, r.fZ, NAN};
                                           // No spread in the run's J (every case tied): no
                                           // statistic, the run is homogeneous.
                                           if (r.fStandardError > 0)
                                             t.fSig = Distributions::NormalUpper(r.fZ);
                                           else
                                             t.fStatistic = NAN;
                                           return t;
                                         }));
  }
  return algorithm;
}

} // namespace engine
