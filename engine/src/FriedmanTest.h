// Friedman's two-way analysis of variance by ranks of k related fields.
#pragma once

#include "NptestsRequest.h"
#include "statxml/ResultDocumentWriter.h"

namespace engine {

class BlockRanks;
class RelatedCases;
struct TestContext;

class FriedmanTest {
public:
  // `cases` holds at least two fields.
  static ResultElement Write(const TestContext& context, const RelatedCases& cases,
                             Compare compare);

  // Friedman's chi-square and its significance (chi-square, k - 1 degrees of freedom).
  static double Significance(const BlockRanks& ranks);
  // The comparison record of Friedman's and Kendall's tests, none for Compare::kNone: pairs of
  // mean ranks with the standard error sqrt(k(k + 1)/(6n)), or the homogeneous subsets, each
  // subset tested by Friedman's test on its own fields ranked anew.
  // Bootstrap samples of Kendall's W, the effect size of Friedman's and Kendall's tests.
  static constexpr int kResamples = 2000;

  static void AddComparisons(const TestContext& context, const RelatedCases& cases,
                             const BlockRanks& ranks, Compare compare, ResultElement& algorithm);
};

} // namespace engine
