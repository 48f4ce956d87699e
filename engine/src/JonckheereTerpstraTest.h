// The Jonckheere-Terpstra test for ordered alternatives among k independent samples, with its
// pairwise Mann-Whitney comparisons.
#pragma once

#include "NptestsRequest.h"
#include "statxml/ResultDocumentWriter.h"

namespace engine {

class GroupedCases;
struct FieldColumn;
struct TestContext;

class JonckheereTerpstraTest {
public:
  // `descending`: the groups' order is the reverse of the categories' order. Homogeneous subsets
  // are runs of adjacent groups in that order, each tested one-sided by its own J.
  static ResultElement Write(const TestContext& context, const GroupedCases& cases,
                             const FieldColumn& test, const FieldColumn& group, bool descending,
                             Compare compare);
  struct Result {
    double fJ = 0, fStandardError = 0, fZ = 0;
  };
  // J, its tie-corrected standard error and z over the groups of `cases` in their order (or the
  // reverse).
  static Result Compute(const GroupedCases& cases, bool descending);
  // Pairs (a, b) with the value of b above the value of a, ties counting one half, and the
  // ties term of the pooled pair.
  static double PairCount(const GroupedCases& cases, std::size_t a, std::size_t b,
                          double* tieTerm = nullptr);
};

} // namespace engine
