// Within-case ranks. Friedman's statistic with ties (Conover, Practical Nonparametric Statistics,
// 3rd ed., section 5.8; the form of R's friedman.test):
// 12 sum_j (R_j - n k (k + 1)/2)^2 / (n k (k + 1) - sum(t^3 - t)/(k - 1)).
#include "BlockRanks.h"

#include "RelatedCases.h"
#include "TestWriting.h"

#include <cmath>
#include <map>

namespace engine {

BlockRanks::BlockRanks(const RelatedCases& cases, const std::vector<std::size_t>& fields)
    : fCases(cases), fRankSums(fields.size(), 0.0) {
  const std::size_t k = fields.size();
  std::vector<double> row(k);
  for (std::size_t i = 0; i < cases.CaseCount(); ++i) {
    for (std::size_t j = 0; j < k; ++j)
      row[j] = cases.Value(fields[j], i);
    // k is small: count the values below and equal to each value.
    std::vector<double> ranks(k);
    double ties = 0;
    for (std::size_t j = 0; j < k; ++j) {
      double below = 0, equal = 0;
      for (std::size_t m = 0; m < k; ++m) {
        below += row[m] < row[j];
        equal += row[m] == row[j];
      }
      ranks[j] = below + (equal + 1) / 2;
      ties += (equal * equal - 1); // summed over the t members: t (t^2 - 1) = t^3 - t
    }
    const double w = cases.Weight(i);
    for (std::size_t j = 0; j < k; ++j)
      fRankSums[j] += w * ranks[j];
    fBlocks += w;
    fTieTerm += w * ties;
    fRanks.push_back(std::move(ranks));
  }
}

std::vector<double> BlockRanks::MeanRanks() const {
  std::vector<double> means;
  for (std::size_t j = 0; j < FieldCount(); ++j)
    means.push_back(MeanRank(j));
  return means;
}

double BlockRanks::FriedmanStatistic() const {
  const double k = static_cast<double>(FieldCount()), n = fBlocks;
  double squares = 0;
  for (double sum : fRankSums)
    squares += (sum - n * (k + 1) / 2) * (sum - n * (k + 1) / 2);
  const double denominator = n * k * (k + 1) - fTieTerm / (k - 1);
  return denominator > 0 ? 12 * squares / denominator : NAN;
}

std::vector<ResultElement>
BlockRanks::VariableInformation(const std::vector<double>& indexes) const {
  std::vector<ResultElement> tables;
  for (std::size_t j = 0; j < FieldCount(); ++j) {
    std::map<double, double> counts;
    for (std::size_t i = 0; i < fRanks.size(); ++i)
      counts[fRanks[i][j]] += fCases.Weight(i);
    std::vector<double> count, rank;
    for (const auto& [r, n] : counts) {
      rank.push_back(r);
      count.push_back(n);
    }
    ResultElement table = TestWriting::Table("VariableInformation" + std::to_string(j + 1));
    table.Add(TestWriting::Attribute("GroupIndex", indexes[j]));
    table.Add(TestWriting::Attribute("MeanOfRank", MeanRank(j)));
    std::vector<std::string> names;
    for (std::size_t c = 0; c < rank.size(); ++c)
      names.push_back(std::to_string(c + 1));
    table.Add(TestWriting::SimpleTable("Ranks", {"Count", "Rank"}, names, {count, rank}));
    tables.push_back(std::move(table));
  }
  return tables;
}

} // namespace engine
