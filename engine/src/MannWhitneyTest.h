// The Mann-Whitney U test of two independent samples, with the exact significance of the rank sum
// (given the ties) for small samples.
#pragma once

#include "statxml/ResultDocumentWriter.h"

#include <vector>

namespace engine {

class GroupedCases;
struct FieldColumn;
struct TestContext;

class MannWhitneyTest {
public:
  // The record of the test on exactly two groups.
  static ResultElement Write(const TestContext& context, const GroupedCases& cases,
                             const FieldColumn& test, const FieldColumn& group);
  // Two-sided exact significance P(|W - E W| >= |w - E W|) of the second group's rank sum `w`
  // over every equally likely split of the pooled midranks `ranks` (one entry per case unit),
  // `n2` of them in the second group. Counted by the shift algorithm over doubled ranks.
  static double ExactSignificance(const std::vector<double>& ranks, int n2, double w);
  // Samples larger than this get no exact significance.
  static constexpr double kExactLimit = 50;
};

} // namespace engine
