// Signed-rank test of two related fields. Zero differences are left out before ranking
// (Wilcoxon's own treatment); tied absolute differences share their midrank, and the variance
// loses sum(t^3 - t)/48 (Conover, Practical Nonparametric Statistics, 3rd ed., section 5.7).
#include "RelatedWilcoxonTest.h"

#include "Distributions.h"
#include "PairedDifferences.h"
#include "Ranks.h"
#include "SignedRankDistribution.h"
#include "TestContext.h"
#include "TestWriting.h"

#include <cmath>

namespace engine {

ResultElement RelatedWilcoxonTest::Write(const TestContext& context,
                                         const PairedDifferences& pairs) {
  std::vector<double> absolute, weights, signs;
  absolute.reserve(pairs.fDifferences.size());
  weights.reserve(pairs.fDifferences.size());
  signs.reserve(pairs.fDifferences.size());
  for (std::size_t i = 0; i < pairs.fDifferences.size(); ++i) {
    const double d = pairs.fDifferences[i];
    if (d == 0)
      continue;
    absolute.push_back(std::fabs(d));
    weights.push_back(pairs.fWeights[i]);
    signs.push_back(d > 0 ? 1 : -1);
  }
  const RankedCases ranked = Ranks::Midranks(absolute, weights);
  const double n = ranked.fTotal;
  double positive = 0;
  for (std::size_t i = 0; i < absolute.size(); ++i)
    if (signs[i] > 0)
      positive += weights[i] * ranked.fRanks[i];
  const double mean = n * (n + 1) / 4;
  const double se = std::sqrt(n * (n + 1) * (2 * n + 1) / 24 - ranked.fTieTerm / 48);
  const double z = se > 0 ? (positive - mean) / se : NAN;
  const double asymptotic = se > 0 ? Distributions::NormalTwoSided(z) : NAN;
  const bool exact = n <= kExactLimit;
  const double exactSig =
      exact ? SignedRankDistribution(ranked.fRanks, weights).TwoSided(positive) : NAN;
  const double shown = exact ? exactSig : asymptotic;

  ResultElement algorithm = TestWriting::Algorithm("RWilcoxonSignedRanks", "Related_Samples",
                                                   TestWriting::Decision(shown, context.Alpha()));
  algorithm.Add(
      TestWriting::Condition("R_WilcoxonSignedRanks_2", {pairs.fFirstIndex, pairs.fSecondIndex}));
  std::vector<TestMessage> messages;
  if (pairs.fTies > 0)
    messages.push_back({222301, "warning", {pairs.fTies}, ""});
  if (!exact)
    messages.push_back({222303, "helpMessage", {kExactLimit}, ""});
  if (!messages.empty())
    algorithm.Add(TestWriting::Messages(messages));
  ResultElement& results = algorithm.Add(TestWriting::Table("StatisticsResult"));
  results.Add(TestWriting::Attribute("TotalN", pairs.fTotal));
  results.Add(TestWriting::Attribute("TestStatistic", positive));
  results.Add(TestWriting::Attribute("StandardError", se));
  results.Add(TestWriting::Attribute("StandardizedTestStatistic", z));
  results.Add(TestWriting::Attribute("AsymptoticSig2Tailed", asymptotic));
  // Last, so that the summary (which shows a test's last significance) shows it.
  if (exact)
    results.Add(TestWriting::Attribute("ExactSig2Tailed", exactSig));
  algorithm.Add(pairs.DistributionTable());
  return algorithm;
}

} // namespace engine
