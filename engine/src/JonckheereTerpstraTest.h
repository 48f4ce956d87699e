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
  // `descending`: the groups' order is the reverse of the categories' order. Comparisons are
  // pairwise only (no homogeneous subsets).
  static ResultElement Write(const TestContext& context, const GroupedCases& cases,
                             const FieldColumn& test, const FieldColumn& group, bool descending,
                             Compare compare);
  // Pairs (a, b) with the value of b above the value of a, ties counting one half, and the
  // ties term of the pooled pair.
  static double PairCount(const GroupedCases& cases, std::size_t a, std::size_t b,
                          double* tieTerm = nullptr);
};

} // namespace engine
