// Pairwise comparisons. Dunn's statistic is the difference of the two mean ranks in the pooled
// ranking, its standard error sqrt((N (N + 1) / 12 - T / (12 (N - 1))) (1 / n_a + 1 / n_b)).
#include "PairwiseComparisons.h"

#include "AnalysisData.h"
#include "Distributions.h"
#include "GroupedCases.h"
#include "TestWriting.h"

#include <algorithm>
#include <cmath>

namespace engine {

std::vector<std::pair<std::size_t, std::size_t>>
PairwiseComparisons::Pairs(const std::vector<double>& values) {
  std::vector<std::pair<std::size_t, std::size_t>> pairs;
  for (std::size_t a = 0; a < values.size(); ++a)
    for (std::size_t b = a + 1; b < values.size(); ++b)
      pairs.push_back(values[a] <= values[b] ? std::make_pair(a, b) : std::make_pair(b, a));
  return pairs;
}

ResultElement PairwiseComparisons::Dunn(const GroupedCases& cases, const FieldColumn& group) {
  const double n = cases.Total();
  const double base = n * (n + 1) / 12 - cases.Ranked().fTieTerm / (12 * (n - 1));
  const std::vector<double> meanRanks = cases.MeanRanks();
  std::vector<PairwiseRow> rows;
  for (const auto& [a, b] : Pairs(meanRanks)) {
    PairwiseRow row;
    row.fFirst = a;
    row.fSecond = b;
    row.fStatistic = meanRanks[a] - meanRanks[b];
    row.fStandardError = std::sqrt(base * (1 / cases.Size(a) + 1 / cases.Size(b)));
    row.fZ = row.fStatistic / row.fStandardError;
    row.fSig = Distributions::NormalTwoSided(row.fZ);
    rows.push_back(row);
  }
  return Table(cases, group, meanRanks, rows);
}

ResultElement PairwiseComparisons::Table(const GroupedCases& cases, const FieldColumn& group,
                                         const std::vector<double>& values,
                                         const std::vector<PairwiseRow>& rows) {
  const std::size_t k = cases.GroupCount();
  const double comparisons = static_cast<double>(k * (k - 1) / 2);
  std::vector<double> samples;
  for (std::size_t g = 0; g < k; ++g)
    samples.push_back(cases.Position(g));
  ResultElement table = TestWriting::Table("PairwiseResult");
  table.Add(TestWriting::Attribute("fieldIndex", static_cast<double>(group.fDocumentIndex)));
  table.Add(TestWriting::SimpleTable("PairwiseInfo", {"Sample", "MeanRank"},
                                     TestWriting::Positions(k), {samples, values}));
  std::vector<std::vector<double>> content;
  for (const PairwiseRow& row : rows)
    content.push_back({cases.Position(row.fFirst), cases.Position(row.fSecond), row.fStatistic,
                       row.fStandardError, row.fZ, row.fSig,
                       std::isnan(row.fSig) ? row.fSig : std::min(1.0, row.fSig * comparisons)});
  table.Add(TestWriting::SimpleTable(
      "Content", {"Pair"},
      {"Sample1", "Sample2", "TestStatistic", "StdError", "StdTestStatistic", "Sig", "AdjSig"},
      content));
  return table;
}

} // namespace engine
