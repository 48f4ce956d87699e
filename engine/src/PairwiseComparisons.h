// The pairwise comparisons table of a k-sample test: every pair of groups, the group with the
// smaller mean rank (or median) first, its statistic, standard error, z, significance and the
// Bonferroni adjustment for k (k - 1) / 2 comparisons.
#pragma once

#include "statxml/ResultDocumentWriter.h"

#include <vector>

namespace engine {

class GroupedCases;
struct FieldColumn;

struct PairwiseRow {
  std::size_t fFirst = 0, fSecond = 0; // groups of the cases
  double fStatistic = 0, fStandardError = 0, fZ = 0, fSig = 0;
};

class PairwiseComparisons {
public:
  // The pairs of groups in the table's order, each with the smaller value first.
  static std::vector<std::pair<std::size_t, std::size_t>> Pairs(const std::vector<double>& values);
  // Dunn's comparisons of mean ranks, the pooled ranks' variance corrected for ties; two-sided.
  static ResultElement Dunn(const GroupedCases& cases, const FieldColumn& group);
  // The "PairwiseResult" table of `rows`, each group shown with its `values` entry (mean rank,
  // median).
  static ResultElement Table(const GroupedCases& cases, const FieldColumn& group,
                             const std::vector<double>& values,
                             const std::vector<PairwiseRow>& rows);
};

} // namespace engine
