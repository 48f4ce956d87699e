// The multiple comparisons of a k-sample related test (Friedman, Kendall, Cochran): every pair of
// fields, Bonferroni-adjusted, or the homogeneous subsets of a step-down procedure, written as
// the <StructuredTable name="PairwiseResult"> or "StepwiseResult" the comparison tables and the
// network chart read.
#pragma once

#include "statxml/ResultDocumentWriter.h"

#include <functional>
#include <string>
#include <vector>

namespace engine {

// The test of a subset of the fields: its statistic and significance.
struct SubsetTest {
  double fStatistic = 0;
  double fSignificance = 0;
};

class RelatedComparisons {
public:
  // Each pair ordered so that the field with the smaller value comes first; statistic = its value
  // minus the other's, z = statistic / `se`, two-sided normal significance, Bonferroni-adjusted
  // over the k(k-1)/2 pairs. `indexes` are the fields' indexes in the document, `values` what is
  // compared, `shown` what the information table shows of each (`shownName`: "MeanRank",
  // "Successes"), in the same order as `values`.
  static ResultElement Pairwise(const std::vector<double>& indexes,
                                const std::vector<double>& values, const std::vector<double>& shown,
                                const std::string& shownName, double se);
  // Homogeneous subsets: `test` is run on fields given by their positions in `indexes`.
  static ResultElement
  Stepwise(const std::vector<double>& indexes, const std::vector<double>& values,
           const std::string& valueName,
           const std::function<SubsetTest(const std::vector<std::size_t>&)>& test, double alpha);
};

} // namespace engine
