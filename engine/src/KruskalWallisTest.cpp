// Kruskal-Wallis H = (12 / (N (N + 1)) sum R_i^2 / n_i - 3 (N + 1)) / (1 - T / (N^3 - N)), T the
// ties term, against chi-square with k - 1 degrees of freedom. Its effect size, the rank epsilon
// squared H / (N - 1), has a percentile bootstrap interval from resamples within the groups.
#include "KruskalWallisTest.h"

#include "Distributions.h"
#include "GroupRecords.h"
#include "GroupedCases.h"
#include "PairwiseComparisons.h"
#include "RandomStream.h"
#include "StepwiseSubsets.h"
#include "TestContext.h"
#include "TestWriting.h"

#include <algorithm>
#include <cmath>

namespace engine {

double KruskalWallisTest::Statistic(const GroupedCases& cases) {
  const double n = cases.Total();
  const std::vector<double> meanRanks = cases.MeanRanks();
  double sum = 0;
  for (std::size_t g = 0; g < cases.GroupCount(); ++g)
    sum += cases.Size(g) * meanRanks[g] * meanRanks[g];
  const double h = 12 / (n * (n + 1)) * sum - 3 * (n + 1);
  // Every value equal: no ranking at all, and no statistic.
  const double correction = 1 - cases.Ranked().fTieTerm / (n * n * n - n);
  return correction > 0 ? h / correction : std::nan("");
}

namespace {} // namespace

ResultElement KruskalWallisTest::EffectSize(const GroupedCases& cases, double level,
                                            unsigned long seed, int resamples) {
  const double n = cases.Total();
  const std::size_t k = cases.GroupCount();
  const double estimate = Statistic(cases) / (n - 1);
  std::vector<double> estimates; // one per resample
  if (n <= kBootstrapLimit) {
    // A resample takes values among the distinct values only: counts per (value, group) give its
    // ranks without sorting.
    std::vector<double> distinct;
    for (const auto& entry : cases.Sorted())
      if (distinct.empty() || entry.first != distinct.back())
        distinct.push_back(entry.first);
    // Each group's cases in the order of their values, so that a draw picks the same value
    // whatever the cases' order or their split into weights (a frequency table draws as the raw
    // cases do).
    std::vector<std::vector<std::pair<std::size_t, double>>> byValue(k);
    for (std::size_t c = 0; c < cases.CaseCount(); ++c)
      byValue[cases.Group(c)].emplace_back(
          static_cast<std::size_t>(
              std::lower_bound(distinct.begin(), distinct.end(), cases.Value(c)) -
              distinct.begin()),
          cases.Weight(c));
    std::vector<std::vector<std::size_t>> members(k);
    std::vector<std::vector<double>> cumulative(k);
    for (std::size_t g = 0; g < k; ++g) {
      std::stable_sort(byValue[g].begin(), byValue[g].end(),
                       [](const auto& a, const auto& b) { return a.first < b.first; });
      for (const auto& [d, w] : byValue[g]) {
        members[g].push_back(d);
        cumulative[g].push_back((cumulative[g].empty() ? 0 : cumulative[g].back()) + w);
      }
    }
    RandomStream random(seed);
    std::vector<double> counts(distinct.size() * k), sums(k);
    for (int r = 0; r < resamples; ++r) {
      std::fill(counts.begin(), counts.end(), 0.0);
      for (std::size_t g = 0; g < k; ++g)
        for (double draw = 0; draw < cases.Size(g); ++draw) {
          const double at =
              static_cast<double>(random.Below(static_cast<std::uint64_t>(cases.Size(g))));
          const std::size_t i = static_cast<std::size_t>(
              std::upper_bound(cumulative[g].begin(), cumulative[g].end(), at) -
              cumulative[g].begin());
          counts[members[g][i] * k + g] += 1;
        }
      std::fill(sums.begin(), sums.end(), 0.0);
      double before = 0, ties = 0;
      for (std::size_t d = 0; d < distinct.size(); ++d) {
        double t = 0;
        for (std::size_t g = 0; g < k; ++g)
          t += counts[d * k + g];
        const double midrank = before + (t + 1) / 2;
        for (std::size_t g = 0; g < k; ++g)
          sums[g] += counts[d * k + g] * midrank;
        ties += t * t * t - t;
        before += t;
      }
      double sum = 0;
      for (std::size_t g = 0; g < k; ++g)
        sum += sums[g] * sums[g] / cases.Size(g);
      const double correction = 1 - ties / (n * n * n - n);
      // A resample of equal values separates no group.
      estimates.push_back(
          correction > 0 ? (12 / (n * (n + 1)) * sum - 3 * (n + 1)) / correction / (n - 1) : 0);
    }
  }
  return TestWriting::BootstrapEffectSize("RankEpsilonSquared", estimate, std::move(estimates),
                                          level, resamples);
}

ResultElement KruskalWallisTest::Write(const TestContext& context, const GroupedCases& cases,
                                       const FieldColumn& test, const FieldColumn& group,
                                       Compare compare) {
  const double h = Statistic(cases);
  const double df = static_cast<double>(cases.GroupCount()) - 1;
  const double sig = std::isnan(h) ? h : Distributions::ChiSquareUpper(h, df);
  ResultElement algorithm = TestWriting::Algorithm("IKruskalWallis", "Independent_Samples",
                                                   TestWriting::Decision(sig, context.Alpha()));
  algorithm.Add(GroupRecords::Condition("KruskalWallis", test, group));
  ResultElement& results = algorithm.Add(TestWriting::Table("StatisticsResult"));
  results.Add(TestWriting::Attribute("TotalN", cases.Total()));
  results.Add(TestWriting::Attribute("TestStatistic", h));
  results.Add(TestWriting::Attribute("DegreeOfFreedom", df));
  results.Add(TestWriting::Attribute("AsymptoticSig2Tailed", sig));
  algorithm.Add(GroupRecords::BoxPlotInfo(cases, group));
  // Every value equal: no statistic, nothing to measure.
  if (!std::isnan(h))
    algorithm.Add(EffectSize(cases, context.ConfidenceLevel(), context.fSeed, kResamples));
  if (compare == Compare::kPairwise)
    algorithm.Add(PairwiseComparisons::Dunn(cases, group));
  else if (compare == Compare::kStepwise)
    algorithm.Add(StepwiseSubsets::Write(
        cases, group, context.Alpha(), StepwiseSubsets::Ascending(cases.MeanRanks()),
        cases.MeanRanks(), [](const GroupedCases& run) {
          SubsetTest t;
          t.fStatistic = Statistic(run);
          if (!std::isnan(t.fStatistic))
            t.fSig = Distributions::ChiSquareUpper(t.fStatistic,
                                                   static_cast<double>(run.GroupCount()) - 1);
          return t;
        }));
  return algorithm;
}

} // namespace engine
