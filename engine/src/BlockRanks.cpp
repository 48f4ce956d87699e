// Within-case ranks. Friedman's statistic with ties (Conover, Practical Nonparametric Statistics,
// 3rd ed., section 5.8; the form of R's friedman.test):
// 12 sum_j (R_j - n k (k + 1)/2)^2 / (n k (k + 1) - sum(t^3 - t)/(k - 1)).
#include "BlockRanks.h"

#include "RandomStream.h"
#include "RelatedCases.h"
#include "TestWriting.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace engine {

BlockRanks::BlockRanks(const RelatedCases& cases, const std::vector<std::size_t>& fields)
    : fCases(cases), fRankSums(fields.size(), 0.0) {
  const std::size_t k = fields.size();
  std::vector<double> row(k), ranks(k);
  fRanks.reserve(cases.CaseCount() * k);
  fCaseTies.reserve(cases.CaseCount());
  for (std::size_t i = 0; i < cases.CaseCount(); ++i) {
    for (std::size_t j = 0; j < k; ++j)
      row[j] = cases.Value(fields[j], i);
    // k is small: count the values below and equal to each value.
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
    fCaseTies.push_back(ties);
    fRanks.insert(fRanks.end(), ranks.begin(), ranks.end());
  }
}

std::vector<double> BlockRanks::MeanRanks() const {
  std::vector<double> means;
  for (std::size_t j = 0; j < FieldCount(); ++j)
    means.push_back(MeanRank(j));
  return means;
}

namespace {

double Friedman(const std::vector<double>& rankSums, double n, double tieTerm) {
  const double k = static_cast<double>(rankSums.size());
  double squares = 0;
  for (double sum : rankSums)
    squares += (sum - n * (k + 1) / 2) * (sum - n * (k + 1) / 2);
  const double denominator = n * k * (k + 1) - tieTerm / (k - 1);
  return denominator > 0 ? 12 * squares / denominator : NAN;
}

} // namespace

double BlockRanks::FriedmanStatistic() const {
  return Friedman(fRankSums, fBlocks, fTieTerm);
}

double BlockRanks::KendallsW() const {
  return FriedmanStatistic() / (fBlocks * (static_cast<double>(FieldCount()) - 1));
}

ResultElement BlockRanks::KendallsWEffectSize(double level, unsigned long seed,
                                              int resamples) const {
  const double w = KendallsW();
  std::vector<double> ws; // one per resample
  if (fBlocks > 0 && fBlocks <= kBootstrapLimit) {
    // Drawing one of the n cases written out: the case whose cumulative weight passes the draw.
    std::vector<double> cumulative;
    double total = 0;
    for (std::size_t i = 0; i < fCaseTies.size(); ++i)
      cumulative.push_back(total += fCases.Weight(i));
    RandomStream random(seed);
    const double k = static_cast<double>(FieldCount());
    std::vector<double> sums(FieldCount());
    for (int r = 0; r < resamples; ++r) {
      std::fill(sums.begin(), sums.end(), 0.0);
      double ties = 0;
      for (double draw = 0; draw < fBlocks; ++draw) {
        const double at = static_cast<double>(random.Below(static_cast<std::uint64_t>(fBlocks)));
        const std::size_t i = static_cast<std::size_t>(
            std::upper_bound(cumulative.begin(), cumulative.end(), at) - cumulative.begin());
        for (std::size_t j = 0; j < sums.size(); ++j)
          sums[j] += fRanks[i * sums.size() + j];
        ties += fCaseTies[i];
      }
      const double statistic = Friedman(sums, fBlocks, ties);
      // A sample of cases tied throughout has no statistic and no agreement to measure.
      ws.push_back(std::isnan(statistic) ? 0 : statistic / (fBlocks * (k - 1)));
    }
  }
  return TestWriting::BootstrapEffectSize("KendallsW", w, std::move(ws), level, resamples);
}

std::vector<ResultElement>
BlockRanks::VariableInformation(const std::vector<double>& indexes) const {
  std::vector<ResultElement> tables;
  for (std::size_t j = 0; j < FieldCount(); ++j) {
    std::map<double, double> counts;
    for (std::size_t i = 0; i < fCaseTies.size(); ++i)
      counts[fRanks[i * FieldCount() + j]] += fCases.Weight(i);
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
