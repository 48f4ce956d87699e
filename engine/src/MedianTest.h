// The median test of k independent samples: the cases above and at-or-below the pooled median (or
// a value the command gives) in each group, and the Pearson chi-square of that 2 x k table; its
// pairwise comparisons and homogeneous subsets repeat the test on the groups compared.
#pragma once

#include "NptestsRequest.h"
#include "statxml/ResultDocumentWriter.h"

#include <optional>

namespace engine {

class GroupedCases;
struct FieldColumn;
struct TestContext;

class MedianTest {
public:
  // None when every case falls on one side (the table has an empty row: no statistic).
  static std::optional<ResultElement> Write(const TestContext& context, const GroupedCases& cases,
                                            const FieldColumn& test, const FieldColumn& group,
                                            std::optional<double> value, Compare compare);
  // The chi-square of the groups of `cases` about their pooled median (or `value`); NaN when
  // every case falls on one side.
  static double Statistic(const GroupedCases& cases, std::optional<double> value);
};

} // namespace engine
