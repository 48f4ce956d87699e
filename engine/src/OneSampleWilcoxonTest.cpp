// The differences from the test value, zeros left out (and counted in a warning), ranked by their
// absolute values at midranks; W+ is the sum of the positive differences' ranks, with mean
// n(n+1)/4 and variance n(n+1)(2n+1)/24 - sum(t^3 - t)/48, normal approximation without a
// continuity correction.
#include "OneSampleWilcoxonTest.h"

#include "Distributions.h"
#include "FieldInformation.h"
#include "FieldSample.h"
#include "Ranks.h"
#include "TestContext.h"
#include "TestWriting.h"

#include <cmath>

namespace engine {

void OneSampleWilcoxonTest::Write(const TestContext& context, double testValue,
                                  const FieldColumn& field,
                                  std::vector<ResultElement>& algorithms) {
  const FieldSample sample(context, field);
  // Weights only for weighted data: every case weighs 1 otherwise, and Midranks takes none.
  const bool weighted = context.fData.Weighted();
  std::vector<double> magnitudes, weights;
  std::vector<bool> positiveSign;
  magnitudes.reserve(sample.Values().size());
  positiveSign.reserve(sample.Values().size());
  if (weighted)
    weights.reserve(sample.Values().size());
  double zeros = 0;
  for (std::size_t i = 0; i < sample.Values().size(); ++i) {
    const double d = sample.Values()[i] - testValue;
    if (d == 0) {
      zeros += sample.Weight(i);
      continue;
    }
    magnitudes.push_back(std::fabs(d));
    positiveSign.push_back(d > 0);
    if (weighted)
      weights.push_back(sample.Weight(i));
  }
  const RankedCases ranked = Ranks::Midranks(magnitudes, weights);
  const double n = ranked.fTotal;
  double positive = 0;
  for (std::size_t i = 0; i < magnitudes.size(); ++i)
    if (positiveSign[i])
      positive += (weighted ? weights[i] : 1.0) * ranked.fRanks[i];
  const bool computable = n > 0;
  double se = NAN, z = NAN, significance = NAN;
  if (computable) {
    se = std::sqrt(n * (n + 1) * (2 * n + 1) / 24 - ranked.fTieTerm / 48);
    z = (positive - n * (n + 1) / 4) / se;
    significance = Distributions::NormalTwoSided(z);
  }

  ResultElement algorithm = TestWriting::Algorithm(
      "OWilcoxonSignedRanks", "One_Sample",
      computable ? TestWriting::Decision(significance, context.Alpha()) : "");
  algorithm.Add(TestWriting::Condition("O_WilcoxonSignedRanks_2",
                                       {static_cast<double>(field.fDocumentIndex), testValue}));
  if (zeros > 0) {
    TestMessage message;
    message.fCode = 222301;
    message.fParameters.push_back(zeros);
    algorithm.Add(TestWriting::Messages({message}));
  }
  ResultElement& result = algorithm.Add(TestWriting::Table("StatisticsResult"));
  result.Add(TestWriting::Attribute("TotalN", sample.Total()));
  result.Add(TestWriting::Attribute("TestStatistic", computable ? positive : NAN));
  result.Add(TestWriting::Attribute("StandardError", se));
  result.Add(TestWriting::Attribute("StandardizedTestStatistic", z));
  result.Add(TestWriting::Attribute("AsymptoticSig2Tailed", significance));
  ResultElement& distribution = algorithm.Add(TestWriting::Table("ContinuousDistribution"));
  distribution.Add(TestWriting::Attribute("HypotheticalMedian", testValue));
  distribution.Add(TestWriting::Attribute("ObservedMedian", sample.Median()));
  if (!sample.Empty())
    distribution.Add(FieldInformation::Histogram(context.fData, field, sample.Cases()));
  algorithms.push_back(std::move(algorithm));
}

} // namespace engine
