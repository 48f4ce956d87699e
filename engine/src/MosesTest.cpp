// Moses's span. The significance counts, over every split of the ranks, those whose trimmed
// control span is at most the observed one: sum over i = 0 .. s - m + 2h of
// C(i + m - 2h - 2, i) C(n + 2h + 1 - i, n - i) / C(m + n, m).
#include "MosesTest.h"

#include "GroupRecords.h"
#include "GroupedCases.h"
#include "TestContext.h"
#include "TestWriting.h"

#include <algorithm>
#include <cmath>

namespace engine {
namespace {

// log C(a, b), for b in 0..a.
double LogChoose(double a, double b) {
  return std::lgamma(a + 1) - std::lgamma(b + 1) - std::lgamma(a - b + 1);
}

} // namespace

double MosesTest::SpanSignificance(double span, double m, double n, double h) {
  double total = 0;
  const double denominator = LogChoose(m + n, m);
  for (double i = 0; i <= span - m + 2 * h && i <= n; ++i)
    total += std::exp(LogChoose(i + m - 2 * h - 2, i) + LogChoose(n + 2 * h + 1 - i, n - i) -
                      denominator);
  return std::min(1.0, total);
}

ResultElement MosesTest::Write(const TestContext& context, const GroupedCases& cases,
                               const FieldColumn& test, const FieldColumn& group,
                               std::optional<int> trim) {
  const double m = cases.Size(0), n = cases.Size(1);
  std::vector<std::pair<double, double>> control; // rank, weight
  for (std::size_t c = 0; c < cases.CaseCount(); ++c)
    if (cases.Group(c) == 0)
      control.emplace_back(cases.Ranked().fRanks[c], cases.Weight(c));
  std::sort(control.begin(), control.end());
  // A span needs two control cases left after trimming.
  double h = trim ? *trim : std::max(1.0, std::floor(0.05 * m));
  h = std::max(0.0, std::min(h, std::floor((m - 2) / 2)));
  auto spanOf = [&](double cut) {
    return std::floor(WeightedOrderStatistic(control, m - cut) -
                      WeightedOrderStatistic(control, cut + 1) + 1 + 1e-9);
  };
  const double span = spanOf(0), trimmed = spanOf(h);
  const double sigSpan = SpanSignificance(span, m, n, 0);
  const double sigTrimmed = SpanSignificance(trimmed, m, n, h);

  ResultElement algorithm = TestWriting::Algorithm(
      "IMoses", "Independent_Samples", TestWriting::Decision(sigTrimmed, context.Alpha()));
  algorithm.Add(GroupRecords::Condition("Moses", test, group));
  ResultElement& results = algorithm.Add(TestWriting::Table("StatisticsResult"));
  results.Add(TestWriting::Attribute("TotalN", m + n));
  ResultElement& observed = results.Add(TestWriting::Table("ObservedControlGroup"));
  observed.Add(TestWriting::Attribute("TestStatistic", span));
  observed.Add(TestWriting::Attribute("ExactSig1Tailed", sigSpan));
  ResultElement& cut = results.Add(TestWriting::Table("TrimmedControlGroup"));
  cut.Add(TestWriting::Attribute("TestStatistic", trimmed));
  cut.Add(TestWriting::Attribute("ExactSig1Tailed", sigTrimmed));
  results.Add(TestWriting::Table("OutliersTrimmedFromEachEnd"))
      .Add(TestWriting::Attribute("TestStatistic", h));
  algorithm.Add(GroupRecords::BoxPlotInfo(cases, group));
  return algorithm;
}

} // namespace engine
