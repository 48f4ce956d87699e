// The Kruskal-Wallis test of k independent samples, with Dunn's pairwise comparisons or the
// homogeneous subsets when asked.
#pragma once

#include "NptestsRequest.h"
#include "statxml/ResultDocumentWriter.h"

namespace engine {

class GroupedCases;
struct FieldColumn;
struct TestContext;

class KruskalWallisTest {
public:
  static ResultElement Write(const TestContext& context, const GroupedCases& cases,
                             const FieldColumn& test, const FieldColumn& group, Compare compare);
  // H corrected for ties, on every group of `cases`.
  static double Statistic(const GroupedCases& cases);
};

} // namespace engine
