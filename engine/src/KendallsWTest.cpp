// Kendall's W = chi2_F / (n (k - 1)), chi2_F Friedman's statistic with the ties correction
// (Siegel and Castellan, Nonparametric Statistics, 2nd ed., section 9.4, eq. 9.16), tested by
// Friedman's chi-square.
#include "KendallsWTest.h"

#include "BlockRanks.h"
#include "FriedmanTest.h"
#include "RelatedCases.h"
#include "TestContext.h"
#include "TestWriting.h"

#include <numeric>

namespace engine {

ResultElement KendallsWTest::Write(const TestContext& context, const RelatedCases& cases,
                                   Compare compare) {
  std::vector<std::size_t> all(cases.FieldCount());
  std::iota(all.begin(), all.end(), std::size_t{0});
  const BlockRanks ranks(cases, all);
  const double statistic = ranks.FriedmanStatistic(), sig = FriedmanTest::Significance(ranks);
  const double k = static_cast<double>(all.size());
  const double w = ranks.KendallsW();
  const std::vector<double> indexes = cases.DocumentIndexes();

  ResultElement algorithm = TestWriting::Algorithm("RKendallsCoefficient", "Related_Samples",
                                                   TestWriting::Decision(sig, context.Alpha()));
  algorithm.Add(TestWriting::Condition("R_KendallsCoefficient_1", {indexes}));
  ResultElement& results = algorithm.Add(TestWriting::Table("StatisticsResult"));
  results.Add(TestWriting::Attribute("TotalN", ranks.Blocks()));
  results.Add(TestWriting::Attribute("KendallsW", w));
  results.Add(TestWriting::Attribute("TestStatistic", statistic));
  results.Add(TestWriting::Attribute("DegreeOfFreedom", k - 1));
  results.Add(TestWriting::Attribute("AsymptoticSig2Tailed", sig));
  algorithm.Add(ranks.KendallsWEffectSize(context.ConfidenceLevel(), context.fSeed,
                                          FriedmanTest::kResamples));
  for (ResultElement& table : ranks.VariableInformation(indexes))
    algorithm.Add(std::move(table));
  FriedmanTest::AddComparisons(context, cases, ranks, compare, algorithm);
  return algorithm;
}

} // namespace engine
