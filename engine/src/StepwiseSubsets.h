// The homogeneous subsets of a k-sample test by the stepwise step-down procedure of Campbell and
// Skillings, each subset tested with the Kruskal-Wallis test on its own ranks.
#pragma once

#include "statxml/ResultDocumentWriter.h"

#include <vector>

namespace engine {

class GroupedCases;
struct FieldColumn;

struct Subset {
  std::size_t fStart = 0, fEnd = 0; // positions in the groups ordered by mean rank
  double fStatistic = 0, fSig = 0, fAdjusted = 0;
  bool fTested = false; // a group in no homogeneous subset stands alone, untested
};

class StepwiseSubsets {
public:
  // The groups' order by mean rank and the subsets found at level `alpha`, by start.
  static std::vector<Subset> Find(const GroupedCases& cases, double alpha,
                                  std::vector<std::size_t>& order);
  // The "StepwiseResult" table.
  static ResultElement Write(const GroupedCases& cases, const FieldColumn& group, double alpha);
};

} // namespace engine
