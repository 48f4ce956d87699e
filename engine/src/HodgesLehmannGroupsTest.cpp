// Median of the n1 n2 differences; the interval runs from the C-th to the (n1 n2 - C + 1)-th
// smallest difference, C = n1 n2 / 2 - z sqrt(n1 n2 (n + 1) / 12) rounded to the nearest integer
// (at least 1). A case of weight w counts w times, so a pair counts w1 w2 differences. The
// differences are never written out: order statistics come from counting, so memory stays linear.
#include "HodgesLehmannGroupsTest.h"

#include "Distributions.h"
#include "GroupRecords.h"
#include "GroupedCases.h"
#include "TestContext.h"
#include "TestWriting.h"

#include <algorithm>
#include <cmath>

namespace engine {

namespace {

using Cases = std::vector<std::pair<double, double>>; // value, weight; sorted

// Summed weight of the pairs whose difference y - x is at most d: one walk over both samples.
double CountAtMost(const Cases& first, const Cases& second, double d) {
  double count = 0, below = 0;
  std::size_t j = 0;
  for (const auto& [x, wx] : first) {
    while (j < second.size() && second[j].first - x <= d)
      below += second[j++].second;
    count += wx * below;
  }
  return count;
}

// The largest difference y - x that is at most d, by the same walk and the same test of y - x as
// CountAtMost (testing y <= x + d instead would round differently).
double LargestAtMost(const Cases& first, const Cases& second, double d) {
  double best = -HUGE_VAL;
  std::size_t j = 0;
  for (const auto& entry : first) {
    const double x = entry.first;
    while (j < second.size() && second[j].first - x <= d)
      ++j;
    if (j > 0)
      best = std::max(best, second[j - 1].first - x);
  }
  return best;
}

// The k-th smallest of the n1 n2 differences (k whole, 1-based) without writing them out:
// bisection on the value down to one distinct difference, then that difference itself.
double KthDifference(const Cases& first, const Cases& second, double k) {
  double lo = second.front().first - first.back().first;
  double hi = second.back().first - first.front().first;
  if (CountAtMost(first, second, lo) >= k)
    return lo;
  // Invariant: fewer than k differences are at most lo, at least k at most hi.
  for (int i = 0; i < 4000; ++i) {
    const double mid = lo + (hi - lo) / 2;
    if (mid <= lo || mid >= hi)
      break;
    (CountAtMost(first, second, mid) >= k ? hi : lo) = mid;
  }
  return LargestAtMost(first, second, hi);
}

// The value at position k (fractional: between the neighbours), as WeightedOrderStatistic.
double DifferenceAt(const Cases& first, const Cases& second, double k, double total) {
  const double low = std::clamp(std::floor(k), 1.0, total);
  const double a = KthDifference(first, second, low);
  const double fraction = k - std::floor(k);
  if (fraction == 0 || low >= total)
    return a;
  return a + fraction * (KthDifference(first, second, low + 1) - a);
}

} // namespace

ResultElement HodgesLehmannGroupsTest::Write(const TestContext& context, const GroupedCases& cases,
                                             const FieldColumn& test, const FieldColumn& group) {
  const Cases &first = cases.Sorted(0), &second = cases.Sorted(1);
  const double n1 = cases.Size(0), n2 = cases.Size(1), pairs = n1 * n2;
  const double z = Distributions::NormalQuantile(0.5 + context.ConfidenceLevel() / 2);
  const double c = std::max(1.0, std::round(pairs / 2 - z * std::sqrt(pairs * (n1 + n2 + 1) / 12)));

  ResultElement algorithm =
      TestWriting::Algorithm("IHodgesLehmannEstimateGroups", "Independent_Samples", "");
  algorithm.Add(GroupRecords::Condition("HodgesLehman", test, group));
  ResultElement& results = algorithm.Add(TestWriting::Table("StatisticsResult"));
  results.Add(
      TestWriting::Attribute("Estimate", DifferenceAt(first, second, (pairs + 1) / 2, pairs)));
  ResultElement& interval = results.Add(TestWriting::Table("Asymptotic"));
  interval.Add(TestWriting::Attribute("ConfidenceIntervalLowerBound",
                                      DifferenceAt(first, second, c, pairs)));
  interval.Add(TestWriting::Attribute("ConfidenceIntervalUpperBound",
                                      DifferenceAt(first, second, pairs - c + 1, pairs)));
  return algorithm;
}

} // namespace engine
