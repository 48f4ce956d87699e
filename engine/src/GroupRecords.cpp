// Box plots and group histograms. Quartiles take the (n+1)p rule; whiskers end at the most extreme
// values within 1.5 interquartile ranges of the quartiles (Tukey); the values beyond are outliers.
#include "GroupRecords.h"

#include "AnalysisData.h"
#include "GroupedCases.h"
#include "TestWriting.h"

#include <algorithm>
#include <cmath>

namespace engine {
namespace {

void AddBox(ResultElement& table, const GroupedCases& cases, std::size_t g) {
  const auto& sorted = cases.Sorted(static_cast<long>(g));
  const double n = cases.Size(g);
  const double q1 = WeightedOrderStatistic(sorted, 0.25 * (n + 1));
  const double median = WeightedOrderStatistic(sorted, 0.5 * (n + 1));
  const double q3 = WeightedOrderStatistic(sorted, 0.75 * (n + 1));
  const double lowFence = q1 - 1.5 * (q3 - q1), highFence = q3 + 1.5 * (q3 - q1);
  double lower = q1, upper = q3;
  std::vector<double> outlierValues, outlierCases;
  for (std::size_t c = 0; c < cases.CaseCount(); ++c) {
    if (cases.Group(c) != g)
      continue;
    const double value = cases.Value(c);
    if (value < lowFence || value > highFence) {
      outlierValues.push_back(value);
      outlierCases.push_back(cases.CaseNumber(c));
    } else {
      lower = std::min(lower, value);
      upper = std::max(upper, value);
    }
  }
  table.Add(TestWriting::SimpleTable("Box", {"Box"}, {"Lower", "Q1", "Median", "Q3", "Upper"},
                                     {{lower, q1, median, q3, upper}}));
  if (!outlierValues.empty())
    table.Add(TestWriting::SimpleTable("Outliers", {"Value", "Case"},
                                       TestWriting::Positions(outlierValues.size()),
                                       {outlierValues, outlierCases}));
}

} // namespace

ResultElement GroupRecords::BoxPlotInfo(
    const GroupedCases& cases, const FieldColumn& group,
    const std::function<std::vector<std::pair<std::string, double>>(std::size_t)>& extra) {
  ResultElement info = TestWriting::Table("BoxPlotInfo");
  info.Add(TestWriting::Attribute("GroupFieldIndex", static_cast<double>(group.fDocumentIndex)));
  info.Add(TestWriting::Attribute("GroupCount", static_cast<double>(cases.GroupCount())));
  info.Add(TestWriting::Attribute("GrandMedian", WeightedMedian(cases.Sorted())));
  const std::vector<double> meanRanks = cases.MeanRanks();
  for (std::size_t g = 0; g < cases.GroupCount(); ++g) {
    ResultElement& table = info.Add(TestWriting::Table("Group" + std::to_string(g + 1)));
    table.Add(TestWriting::Attribute("GroupIndex", cases.Position(g)));
    table.Add(TestWriting::Attribute("N", cases.Size(g)));
    table.Add(TestWriting::Attribute("MeanOfRank", meanRanks[g]));
    if (extra)
      for (const auto& [name, value] : extra(g))
        table.Add(TestWriting::Attribute(name, value));
    AddBox(table, cases, g);
  }
  return info;
}

std::vector<ResultElement> GroupRecords::GroupTables(const GroupedCases& cases) {
  // Sturges' number of equal bins over the pooled range.
  const auto& pooled = cases.Sorted();
  const double low = pooled.front().first, high = pooled.back().first;
  const int bins = static_cast<int>(std::ceil(std::log2(cases.Total()))) + 1;
  const double width = high > low ? (high - low) / bins : 1.0;
  const double start = high > low ? low : low - 0.5;
  std::vector<double> centers(static_cast<std::size_t>(bins));
  for (int b = 0; b < bins; ++b)
    centers[static_cast<std::size_t>(b)] = start + (b + 0.5) * width;
  const std::vector<double> meanRanks = cases.MeanRanks();
  std::vector<ResultElement> tables;
  for (std::size_t g = 0; g < cases.GroupCount(); ++g) {
    std::vector<double> counts(static_cast<std::size_t>(bins), 0.0);
    for (std::size_t c = 0; c < cases.CaseCount(); ++c) {
      if (cases.Group(c) != g)
        continue;
      // Half-open bins, the last one closed.
      const double at = std::floor((cases.Value(c) - start) / width);
      const auto bin = static_cast<std::size_t>(std::clamp(at, 0.0, bins - 1.0));
      counts[bin] += cases.Weight(c);
    }
    ResultElement table = TestWriting::Table("Group" + std::to_string(g + 1));
    table.Add(TestWriting::Attribute("GroupIndex", cases.Position(g)));
    table.Add(TestWriting::Attribute("N", cases.Size(g)));
    table.Add(TestWriting::Attribute("MeanOfRank", meanRanks[g]));
    table.Add(TestWriting::SimpleTable("Bins", {"Count", "Value"},
                                       TestWriting::Positions(counts.size()), {counts, centers}));
    tables.push_back(std::move(table));
  }
  return tables;
}

ResultElement GroupRecords::Condition(const std::string& name, const FieldColumn& test,
                                      const FieldColumn& group) {
  const std::string key = name == "HodgesLehman" ? "AllDistinctValuesUsed_I_HodgesLehman_2"
                                                 : "DefaultAllDistinctValuesUsed_I_" + name + "_2";
  return TestWriting::Condition(
      key, {static_cast<double>(test.fDocumentIndex), static_cast<double>(group.fDocumentIndex)});
}

} // namespace engine
