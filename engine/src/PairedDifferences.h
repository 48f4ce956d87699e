// The paired differences (second field minus first) that the sign test, the signed-rank test and
// the Hodges-Lehmann estimate of two related fields start from, and the record of their
// distribution that the difference charts draw.
#pragma once

#include "statxml/ResultDocumentWriter.h"

#include <vector>

namespace engine {

class RelatedCases;

struct PairedDifferences {
  // The first two fields of `cases`, which must have two.
  explicit PairedDifferences(const RelatedCases& cases);

  std::vector<double> fDifferences;
  std::vector<double> fWeights;
  double fFirstIndex = -1, fSecondIndex = -1; // in the document's dictionary
  double fTotal = 0;
  double fNegative = 0, fTies = 0, fPositive = 0; // summed weights

  // <StructuredTable name="ContinuousDistribution">: the three counts and the histogram of the
  // differences.
  ResultElement DistributionTable() const;
};

} // namespace engine
