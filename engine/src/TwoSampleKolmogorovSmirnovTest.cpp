// Two-sample Kolmogorov-Smirnov. The differences are F1 - F2 at every distinct value: "Positive"
// is the largest (or 0), "Negative" the smallest (or 0), "Absolute" the larger in size.
#include "TwoSampleKolmogorovSmirnovTest.h"

#include "GroupRecords.h"
#include "GroupedCases.h"
#include "TestContext.h"
#include "TestWriting.h"

#include <algorithm>
#include <cmath>

namespace engine {

double TwoSampleKolmogorovSmirnovTest::KolmogorovUpper(double z) {
  // The two series of the distribution, each where it converges fast (as R's pkolmogorov1x).
  if (z <= 0)
    return 1;
  const double pi = 3.14159265358979323846;
  if (z < 1) {
    const double w = std::log(z);
    const double q = -pi * pi / (8 * z * z);
    double sum = 0;
    for (int k = 1; k < 40; k += 2)
      sum += std::exp(k * k * q - w);
    return 1 - std::sqrt(2 * pi) * sum;
  }
  double sum = 0, sign = 1;
  for (int k = 1; k <= 100; ++k, sign = -sign)
    sum += sign * std::exp(-2.0 * k * k * z * z);
  return 2 * sum;
}

ResultElement TwoSampleKolmogorovSmirnovTest::Write(const TestContext& context,
                                                    const GroupedCases& cases,
                                                    const FieldColumn& test,
                                                    const FieldColumn& group) {
  const double n1 = cases.Size(0), n2 = cases.Size(1);
  std::vector<std::pair<double, std::pair<double, double>>> steps; // value, (w1, w2)
  for (std::size_t c = 0; c < cases.CaseCount(); ++c)
    steps.push_back({cases.Value(c),
                     {cases.Group(c) == 0 ? cases.Weight(c) : 0.0,
                      cases.Group(c) == 1 ? cases.Weight(c) : 0.0}});
  std::sort(steps.begin(), steps.end());
  double f1 = 0, f2 = 0, positive = 0, negative = 0;
  for (std::size_t i = 0; i < steps.size(); ++i) {
    f1 += steps[i].second.first;
    f2 += steps[i].second.second;
    if (i + 1 < steps.size() && steps[i + 1].first == steps[i].first)
      continue;
    const double difference = f1 / n1 - f2 / n2;
    positive = std::max(positive, difference);
    negative = std::min(negative, difference);
  }
  const double d = std::max(positive, -negative);
  const double z = d * std::sqrt(n1 * n2 / (n1 + n2));
  const double sig = KolmogorovUpper(z);

  ResultElement algorithm = TestWriting::Algorithm("IKolmogorovSmirnov", "Independent_Samples",
                                                   TestWriting::Decision(sig, context.Alpha()));
  algorithm.Add(GroupRecords::Condition("KolmogorovSmirnov", test, group));
  ResultElement& results = algorithm.Add(TestWriting::Table("StatisticsResult"));
  results.Add(TestWriting::Attribute("TotalN", n1 + n2));
  ResultElement& extremes = results.Add(TestWriting::Table("MostExtremeDifferences"));
  extremes.Add(TestWriting::Attribute("Absolute", d));
  extremes.Add(TestWriting::Attribute("Positive", positive));
  extremes.Add(TestWriting::Attribute("Negative", negative));
  results.Add(TestWriting::Attribute("TestStatistic", z));
  results.Add(TestWriting::Attribute("AsymptoticSig2Tailed", sig));
  for (ResultElement& table : GroupRecords::GroupTables(cases))
    algorithm.Add(std::move(table));
  return algorithm;
}

} // namespace engine
