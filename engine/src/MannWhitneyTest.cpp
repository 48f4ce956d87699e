// Mann-Whitney U. U counts the pairs in which the second group's value is the larger (ties one
// half): U = W - n2(n2+1)/2, W the second group's rank sum; its variance carries the ties term.
#include "MannWhitneyTest.h"

#include "Distributions.h"
#include "GroupRecords.h"
#include "GroupedCases.h"
#include "TestContext.h"
#include "TestWriting.h"

#include <cmath>

namespace engine {

double MannWhitneyTest::ExactSignificance(const std::vector<double>& ranks, int n2, double w) {
  // counts[j][s]: ways to pick j of the units seen so far with doubled rank sum s. Counts stay
  // below C(50, 25) < 2^53, exact in doubles.
  long maximum = 0;
  for (double r : ranks)
    maximum += std::lround(2 * r);
  const auto width = static_cast<std::size_t>(maximum + 1);
  std::vector<std::vector<double>> counts(static_cast<std::size_t>(n2) + 1,
                                          std::vector<double>(width, 0.0));
  counts[0][0] = 1;
  int seen = 0;
  for (double r : ranks) {
    const auto step = static_cast<std::size_t>(std::lround(2 * r));
    ++seen;
    for (int j = std::min(seen, n2); j >= 1; --j) {
      std::vector<double>& row = counts[static_cast<std::size_t>(j)];
      const std::vector<double>& below = counts[static_cast<std::size_t>(j - 1)];
      for (std::size_t s = width; s-- > step;)
        row[s] += below[s - step];
    }
  }
  const std::vector<double>& last = counts[static_cast<std::size_t>(n2)];
  double total = 0, extreme = 0;
  const double mean = static_cast<double>(maximum) * n2 / static_cast<double>(ranks.size());
  const double observed = std::fabs(2 * w - mean);
  for (std::size_t s = 0; s < width; ++s) {
    total += last[s];
    if (std::fabs(static_cast<double>(s) - mean) >= observed - 1e-7)
      extreme += last[s];
  }
  return extreme / total;
}

ResultElement MannWhitneyTest::Write(const TestContext& context, const GroupedCases& cases,
                                     const FieldColumn& test, const FieldColumn& group) {
  const double n1 = cases.Size(0), n2 = cases.Size(1), n = n1 + n2;
  const RankedCases& ranked = cases.Ranked();
  double w = 0;
  for (std::size_t c = 0; c < cases.CaseCount(); ++c)
    if (cases.Group(c) == 1)
      w += cases.Weight(c) * ranked.fRanks[c];
  const double u = w - n2 * (n2 + 1) / 2;
  const double se = std::sqrt(n1 * n2 / 12 * ((n + 1) - ranked.fTieTerm / (n * (n - 1))));
  const double z = (u - n1 * n2 / 2) / se;
  const double asymptotic = Distributions::NormalTwoSided(z);
  double sig = asymptotic;

  ResultElement results = TestWriting::Table("StatisticsResult");
  results.Add(TestWriting::Attribute("TotalN", n));
  results.Add(TestWriting::Attribute("TestStatistic", u));
  results.Add(TestWriting::Attribute("WilcoxonW", w));
  results.Add(TestWriting::Attribute("StandardError", se));
  results.Add(TestWriting::Attribute("StandardizedTestStatistic", z));
  results.Add(TestWriting::Attribute("AsymptoticSig2Tailed", asymptotic));
  std::vector<TestMessage> messages;
  if (n <= kExactLimit) {
    std::vector<double> units;
    for (std::size_t c = 0; c < cases.CaseCount(); ++c)
      units.insert(units.end(), static_cast<std::size_t>(cases.Weight(c)), ranked.fRanks[c]);
    sig = ExactSignificance(units, static_cast<int>(n2), w);
    // The summary shows the last significance: the exact one when there is one.
    results.Add(TestWriting::Attribute("ExactSig2Tailed", sig));
  } else {
    messages.push_back({222303, "helpMessage", {kExactLimit}, ""});
  }
  ResultElement algorithm = TestWriting::Algorithm("IMannWhitneyU", "Independent_Samples",
                                                   TestWriting::Decision(sig, context.Alpha()));
  algorithm.Add(GroupRecords::Condition("MannWhitneyU", test, group));
  if (!messages.empty())
    algorithm.Add(TestWriting::Messages(messages));
  algorithm.Add(std::move(results));
  for (ResultElement& table : GroupRecords::GroupTables(cases))
    algorithm.Add(std::move(table));
  return algorithm;
}

} // namespace engine
