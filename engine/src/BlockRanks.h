// Ranks within each case of k related fields (a case is a block): what Friedman's test, Kendall's
// coefficient of concordance and their comparisons are made of, and the rank tables the rank
// histograms draw.
#pragma once

#include "statxml/ResultDocumentWriter.h"

#include <cmath>
#include <vector>

namespace engine {

class RelatedCases;

class BlockRanks {
public:
  // The fields of `cases` at `fields` (positions in `cases`), ranked within each case; tied
  // values share their midrank.
  BlockRanks(const RelatedCases& cases, const std::vector<std::size_t>& fields);

  std::size_t FieldCount() const { return fRankSums.size(); }
  double Blocks() const { return fBlocks; }
  double MeanRank(std::size_t j) const { return fBlocks > 0 ? fRankSums[j] / fBlocks : NAN; }
  std::vector<double> MeanRanks() const;
  // Friedman's chi-square with the ties correction; NaN when every case ties all its values.
  double FriedmanStatistic() const;
  // <StructuredTable name="VariableInformationN"> of each field: its index, its mean rank and the
  // count of each rank it takes (tied cases at their midranks, so the counts sum to the cases).
  std::vector<ResultElement> VariableInformation(const std::vector<double>& indexes) const;
  // Kendall's W = chi2_F / (n (k - 1)).
  double KendallsW() const;
  // <StructuredTable name="EffectSize"> with Kendall's W and its percentile bootstrap interval
  // at `level` (a fraction): `resamples` samples of the cases with replacement (a case of weight
  // w drawn as w cases), drawn from `seed`. No interval for more than kBootstrapLimit cases.
  ResultElement KendallsWEffectSize(double level, unsigned long seed, int resamples) const;

  static constexpr double kBootstrapLimit = 20000;

private:
  const RelatedCases& fCases;
  std::vector<double> fRanks;    // case by case, the k fields' ranks
  std::vector<double> fCaseTies; // per case: sum(t^3 - t)
  std::vector<double> fRankSums;
  double fBlocks = 0;
  double fTieTerm = 0; // sum over the cases of their weight times sum(t^3 - t)
};

} // namespace engine
