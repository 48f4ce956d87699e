// Median test. Cases equal to the median count below it; the chi-square has no continuity
// correction, k - 1 degrees of freedom. A pair or a run of groups compared is tested about its
// own pooled median (or the command's value), pairs Bonferroni-adjusted, runs as the stepwise
// procedure adjusts them.
#include "MedianTest.h"

#include "Distributions.h"
#include "GroupRecords.h"
#include "GroupedCases.h"
#include "PairwiseComparisons.h"
#include "StepwiseSubsets.h"
#include "TestContext.h"
#include "TestWriting.h"

#include <cmath>

namespace engine {

namespace {

struct Table {
  double fMedian = 0;
  std::vector<double> fAbove, fBelow;
  double fTotalAbove = 0, fTotalBelow = 0;
};

Table Count(const GroupedCases& cases, std::optional<double> value) {
  const std::size_t k = cases.GroupCount();
  Table t;
  t.fMedian = value ? *value : WeightedMedian(cases.Sorted());
  t.fAbove.assign(k, 0.0);
  t.fBelow.assign(k, 0.0);
  for (std::size_t c = 0; c < cases.CaseCount(); ++c)
    (cases.Value(c) > t.fMedian ? t.fAbove : t.fBelow)[cases.Group(c)] += cases.Weight(c);
  for (std::size_t g = 0; g < k; ++g) {
    t.fTotalAbove += t.fAbove[g];
    t.fTotalBelow += t.fBelow[g];
  }
  return t;
}

double ChiSquare(const GroupedCases& cases, const Table& t) {
  if (t.fTotalAbove == 0 || t.fTotalBelow == 0)
    return std::nan("");
  const double n = cases.Total();
  double chi = 0;
  for (std::size_t g = 0; g < cases.GroupCount(); ++g) {
    const double expectAbove = t.fTotalAbove * cases.Size(g) / n;
    const double expectBelow = t.fTotalBelow * cases.Size(g) / n;
    chi += (t.fAbove[g] - expectAbove) * (t.fAbove[g] - expectAbove) / expectAbove +
           (t.fBelow[g] - expectBelow) * (t.fBelow[g] - expectBelow) / expectBelow;
  }
  return chi;
}

double Significance(const GroupedCases& cases, double chi) {
  return std::isnan(chi)
             ? chi
             : Distributions::ChiSquareUpper(chi, static_cast<double>(cases.GroupCount()) - 1);
}

} // namespace

double MedianTest::Statistic(const GroupedCases& cases, std::optional<double> value) {
  return ChiSquare(cases, Count(cases, value));
}

std::optional<ResultElement> MedianTest::Write(const TestContext& context,
                                               const GroupedCases& cases, const FieldColumn& test,
                                               const FieldColumn& group,
                                               std::optional<double> value, Compare compare) {
  const Table table = Count(cases, value);
  const double chi = ChiSquare(cases, table);
  if (std::isnan(chi))
    return std::nullopt;
  const double n = cases.Total();
  const double df = static_cast<double>(cases.GroupCount()) - 1;
  const double sig = Significance(cases, chi);
  ResultElement algorithm = TestWriting::Algorithm("IMedian", "Independent_Samples",
                                                   TestWriting::Decision(sig, context.Alpha()));
  algorithm.Add(GroupRecords::Condition("Median", test, group));
  ResultElement& results = algorithm.Add(TestWriting::Table("StatisticsResult"));
  results.Add(TestWriting::Attribute("TotalN", n));
  results.Add(TestWriting::Attribute("Median", table.fMedian));
  results.Add(TestWriting::Attribute("TestStatistic", chi));
  results.Add(TestWriting::Attribute("DegreeOfFreedom", df));
  results.Add(TestWriting::Attribute("AsymptoticSig2Tailed", sig));
  algorithm.Add(GroupRecords::BoxPlotInfo(cases, group, [&](std::size_t g) {
    return std::vector<std::pair<std::string, double>>{{"GTMedian", table.fAbove[g]},
                                                       {"STMedian", table.fBelow[g]}};
  }));
  if (compare == Compare::kNone)
    return algorithm;
  // The groups are shown, ordered and paired by their own medians.
  std::vector<double> medians;
  for (std::size_t g = 0; g < cases.GroupCount(); ++g)
    medians.push_back(WeightedMedian(cases.Sorted(static_cast<long>(g))));
  if (compare == Compare::kPairwise) {
    std::vector<PairwiseRow> rows;
    for (const auto& [a, b] : PairwiseComparisons::Pairs(medians)) {
      const GroupedCases pair = cases.Subset({a, b});
      PairwiseRow row;
      row.fFirst = a;
      row.fSecond = b;
      row.fStatistic = Statistic(pair, value);
      row.fStandardError = row.fZ = std::nan("");
      row.fSig = Significance(pair, row.fStatistic);
      rows.push_back(row);
    }
    algorithm.Add(PairwiseComparisons::Table(cases, group, medians, rows));
  } else {
    algorithm.Add(StepwiseSubsets::Write(cases, group, context.Alpha(),
                                         StepwiseSubsets::Ascending(medians), medians,
                                         [&](const GroupedCases& run) {
                                           SubsetTest t;
                                           t.fStatistic = Statistic(run, value);
                                           t.fSig = Significance(run, t.fStatistic);
                                           return t;
                                         }));
  }
  return algorithm;
}

} // namespace engine
