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
  // <StructuredTable name="EffectSize"> with the rank epsilon squared H / (N - 1) and its
  // percentile bootstrap interval at `level` (a fraction): `resamples` samples drawn within each
  // group with replacement (a case of weight w drawn as w cases) from `seed`. No interval above
  // kBootstrapLimit cases.
  static ResultElement EffectSize(const GroupedCases& cases, double level, unsigned long seed,
                                  int resamples);

  static constexpr int kResamples = 2000;
  static constexpr double kBootstrapLimit = 20000;
};

} // namespace engine
