// Sign test of two related fields.
#include "SignTest.h"

#include "Distributions.h"
#include "PairedDifferences.h"
#include "TestContext.h"
#include "TestWriting.h"

#include <algorithm>

namespace engine {

double SignTest::ExactTwoSided(double k, double n) {
  if (n <= 0)
    return 1;
  const double tail =
      std::min(Distributions::BinomialCdf(k, n, 0.5), Distributions::BinomialUpper(k, n, 0.5));
  return std::min(1.0, 2 * tail);
}

ResultElement SignTest::Write(const TestContext& context, const PairedDifferences& pairs) {
  const double sig = ExactTwoSided(pairs.fPositive, pairs.fPositive + pairs.fNegative);
  ResultElement algorithm = TestWriting::Algorithm("RSign", "Related_Samples",
                                                   TestWriting::Decision(sig, context.Alpha()));
  algorithm.Add(TestWriting::Condition("R_Sign_2", {pairs.fFirstIndex, pairs.fSecondIndex}));
  ResultElement& results = algorithm.Add(TestWriting::Table("StatisticsResult"));
  results.Add(TestWriting::Attribute("TotalN", pairs.fTotal));
  results.Add(TestWriting::Attribute("TestStatistic", pairs.fPositive));
  results.Add(TestWriting::Attribute("ExactSig2Tailed", sig));
  algorithm.Add(pairs.DistributionTable());
  return algorithm;
}

} // namespace engine
