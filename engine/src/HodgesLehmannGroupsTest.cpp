// Median of the n1 n2 differences; the interval runs from the C-th to the (n1 n2 - C + 1)-th
// smallest difference, C = n1 n2 / 2 - z sqrt(n1 n2 (n + 1) / 12) rounded to the nearest integer
// (at least 1). A case of weight w counts w times, so a pair counts w1 w2 differences.
#include "HodgesLehmannGroupsTest.h"

#include "Distributions.h"
#include "GroupRecords.h"
#include "GroupedCases.h"
#include "TestContext.h"
#include "TestWriting.h"

#include <algorithm>
#include <cmath>

namespace engine {

ResultElement HodgesLehmannGroupsTest::Write(const TestContext& context, const GroupedCases& cases,
                                             const FieldColumn& test, const FieldColumn& group) {
  const auto first = cases.Sorted(0), second = cases.Sorted(1);
  std::vector<std::pair<double, double>> differences;
  differences.reserve(first.size() * second.size());
  for (const auto& [x, wx] : first)
    for (const auto& [y, wy] : second)
      differences.emplace_back(y - x, wx * wy);
  std::sort(differences.begin(), differences.end());
  const double n1 = cases.Size(0), n2 = cases.Size(1), pairs = n1 * n2;
  const double z = Distributions::NormalQuantile(0.5 + context.ConfidenceLevel() / 2);
  const double c = std::max(1.0, std::round(pairs / 2 - z * std::sqrt(pairs * (n1 + n2 + 1) / 12)));

  ResultElement algorithm =
      TestWriting::Algorithm("IHodgesLehmannEstimateGroups", "Independent_Samples", "");
  algorithm.Add(GroupRecords::Condition("HodgesLehman", test, group));
  ResultElement& results = algorithm.Add(TestWriting::Table("StatisticsResult"));
  results.Add(TestWriting::Attribute("Estimate", WeightedMedian(differences)));
  ResultElement& interval = results.Add(TestWriting::Table("Asymptotic"));
  interval.Add(TestWriting::Attribute("ConfidenceIntervalLowerBound",
                                      WeightedOrderStatistic(differences, c)));
  interval.Add(TestWriting::Attribute("ConfidenceIntervalUpperBound",
                                      WeightedOrderStatistic(differences, pairs - c + 1)));
  return algorithm;
}

} // namespace engine
