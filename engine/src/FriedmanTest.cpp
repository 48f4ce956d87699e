// Friedman's test of k related fields.
#include "FriedmanTest.h"

#include "BlockRanks.h"
#include "Distributions.h"
#include "RelatedCases.h"
#include "RelatedComparisons.h"
#include "TestContext.h"
#include "TestWriting.h"

#include <cmath>
#include <numeric>

namespace engine {

double FriedmanTest::Significance(const BlockRanks& ranks) {
  const double statistic = ranks.FriedmanStatistic();
  return std::isnan(statistic) ? NAN
                               : Distributions::ChiSquareUpper(
                                     statistic, static_cast<double>(ranks.FieldCount()) - 1);
}

void FriedmanTest::AddComparisons(const TestContext& context, const RelatedCases& cases,
                                  const BlockRanks& ranks, Compare compare,
                                  ResultElement& algorithm) {
  const std::vector<double> indexes = cases.DocumentIndexes();
  const double k = static_cast<double>(ranks.FieldCount()), n = ranks.Blocks();
  switch (compare) {
  case Compare::kNone:
    return;
  case Compare::kPairwise:
    algorithm.Add(RelatedComparisons::Pairwise(indexes, ranks.MeanRanks(), ranks.MeanRanks(),
                                               "MeanRank",
                                               n > 0 ? std::sqrt(k * (k + 1) / (6 * n)) : NAN));
    return;
  case Compare::kStepwise: {
    auto test = [&cases](const std::vector<std::size_t>& fields) {
      const BlockRanks subset(cases, fields);
      return SubsetTest{subset.FriedmanStatistic(), Significance(subset)};
    };
    algorithm.Add(RelatedComparisons::Stepwise(indexes, ranks.MeanRanks(), "MeanRank", test,
                                               context.Alpha()));
    return;
  }
  }
}

ResultElement FriedmanTest::Write(const TestContext& context, const RelatedCases& cases,
                                  Compare compare) {
  std::vector<std::size_t> all(cases.FieldCount());
  std::iota(all.begin(), all.end(), std::size_t{0});
  const BlockRanks ranks(cases, all);
  const double statistic = ranks.FriedmanStatistic(), sig = Significance(ranks);
  const std::vector<double> indexes = cases.DocumentIndexes();

  ResultElement algorithm = TestWriting::Algorithm("RFriedmansTwoWayByRanks", "Related_Samples",
                                                   TestWriting::Decision(sig, context.Alpha()));
  algorithm.Add(TestWriting::Condition("R_FriedmansTwoWayByRanks_1", {indexes}));
  ResultElement& results = algorithm.Add(TestWriting::Table("StatisticsResult"));
  results.Add(TestWriting::Attribute("TotalN", ranks.Blocks()));
  results.Add(TestWriting::Attribute("TestStatistic", statistic));
  results.Add(TestWriting::Attribute("DegreeOfFreedom", static_cast<double>(all.size() - 1)));
  results.Add(TestWriting::Attribute("AsymptoticSig2Tailed", sig));
  algorithm.Add(ranks.KendallsWEffectSize(context.ConfidenceLevel(), context.fSeed, kResamples));
  for (ResultElement& table : ranks.VariableInformation(indexes))
    algorithm.Add(std::move(table));
  AddComparisons(context, cases, ranks, compare, algorithm);
  return algorithm;
}

} // namespace engine
