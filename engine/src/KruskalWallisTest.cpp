// Kruskal-Wallis H = (12 / (N (N + 1)) sum R_i^2 / n_i - 3 (N + 1)) / (1 - T / (N^3 - N)), T the
// ties term, against chi-square with k - 1 degrees of freedom.
#include "KruskalWallisTest.h"

#include "Distributions.h"
#include "GroupRecords.h"
#include "GroupedCases.h"
#include "PairwiseComparisons.h"
#include "StepwiseSubsets.h"
#include "TestContext.h"
#include "TestWriting.h"

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
