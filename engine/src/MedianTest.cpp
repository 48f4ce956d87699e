// Median test. Cases equal to the median count below it; the chi-square has no continuity
// correction, k - 1 degrees of freedom.
#include "MedianTest.h"

#include "Distributions.h"
#include "GroupRecords.h"
#include "GroupedCases.h"
#include "TestContext.h"
#include "TestWriting.h"

namespace engine {

std::optional<ResultElement> MedianTest::Write(const TestContext& context,
                                               const GroupedCases& cases, const FieldColumn& test,
                                               const FieldColumn& group,
                                               std::optional<double> value) {
  const std::size_t k = cases.GroupCount();
  const double median = value ? *value : WeightedMedian(cases.Sorted());
  std::vector<double> above(k, 0.0), below(k, 0.0);
  for (std::size_t c = 0; c < cases.CaseCount(); ++c)
    (cases.Value(c) > median ? above : below)[cases.Group(c)] += cases.Weight(c);
  double totalAbove = 0, totalBelow = 0;
  for (std::size_t g = 0; g < k; ++g) {
    totalAbove += above[g];
    totalBelow += below[g];
  }
  if (totalAbove == 0 || totalBelow == 0)
    return std::nullopt;
  const double n = cases.Total();
  double chi = 0;
  for (std::size_t g = 0; g < k; ++g) {
    const double expectAbove = totalAbove * cases.Size(g) / n;
    const double expectBelow = totalBelow * cases.Size(g) / n;
    chi += (above[g] - expectAbove) * (above[g] - expectAbove) / expectAbove +
           (below[g] - expectBelow) * (below[g] - expectBelow) / expectBelow;
  }
  const double df = static_cast<double>(k) - 1;
  const double sig = Distributions::ChiSquareUpper(chi, df);
  ResultElement algorithm = TestWriting::Algorithm("IMedian", "Independent_Samples",
                                                   TestWriting::Decision(sig, context.Alpha()));
  algorithm.Add(GroupRecords::Condition("Median", test, group));
  ResultElement& results = algorithm.Add(TestWriting::Table("StatisticsResult"));
  results.Add(TestWriting::Attribute("TotalN", n));
  results.Add(TestWriting::Attribute("Median", median));
  results.Add(TestWriting::Attribute("TestStatistic", chi));
  results.Add(TestWriting::Attribute("DegreeOfFreedom", df));
  results.Add(TestWriting::Attribute("AsymptoticSig2Tailed", sig));
  algorithm.Add(GroupRecords::BoxPlotInfo(cases, group, [&](std::size_t g) {
    return std::vector<std::pair<std::string, double>>{{"GTMedian", above[g]},
                                                       {"STMedian", below[g]}};
  }));
  return algorithm;
}

} // namespace engine
