// The homogeneous subsets of a k-sample test by the stepwise step-down procedure of Campbell and
// Skillings: runs of adjacent groups in a given order, each tested on its own cases by the test's
// own statistic (Kruskal-Wallis, median test, Jonckheere-Terpstra).
#pragma once

#include "statxml/ResultDocumentWriter.h"

#include <cmath>
#include <functional>
#include <vector>

namespace engine {

class GroupedCases;
struct FieldColumn;

// One run's test; NaN for a figure the test has not (a statistic of NaN: the run's cases cannot
// be told apart, and the run is homogeneous).
struct SubsetTest {
  double fStatistic = NAN, fStandardError = NAN, fZ = NAN, fSig = NAN;
};

struct Subset {
  std::size_t fStart = 0, fEnd = 0; // positions in the groups' order
  SubsetTest fTest;
  double fAdjusted = NAN;
  bool fTested = false; // a group in no homogeneous subset stands alone, untested
};

class StepwiseSubsets {
public:
  // The test of a run of groups: `run` holds their cases, its groups in the order's sequence.
  using Tester = std::function<SubsetTest(const GroupedCases& run)>;

  // The subsets found at level `alpha` among the groups in `order` (indexes of cases' groups),
  // by start.
  static std::vector<Subset> Find(const GroupedCases& cases, double alpha,
                                  const std::vector<std::size_t>& order, const Tester& test);
  // The "StepwiseResult" table: the groups in `order`, each shown with its `values` entry (by
  // group index).
  static ResultElement Write(const GroupedCases& cases, const FieldColumn& group, double alpha,
                             const std::vector<std::size_t>& order,
                             const std::vector<double>& values, const Tester& test);
  // The groups' indexes in ascending order of `values`, ties in the groups' order.
  static std::vector<std::size_t> Ascending(const std::vector<double>& values);
};

} // namespace engine
