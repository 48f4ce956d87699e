// The related-samples sign test: is a positive difference as likely as a negative one?
#pragma once

#include "statxml/ResultDocumentWriter.h"

namespace engine {

struct PairedDifferences;
struct TestContext;

class SignTest {
public:
  // The exact two-sided binomial significance of the number of positive differences among the
  // non-zero ones; a tail of the binomial distribution costs no more for many cases than for few,
  // so it is exact at every sample size.
  static ResultElement Write(const TestContext& context, const PairedDifferences& pairs);
  // Twice the smaller binomial(n, 1/2) tail at k, at most 1 (what a two-sided exact binomial test
  // of p = 1/2 gives, the distribution being symmetric); 1 when n is 0.
  static double ExactTwoSided(double k, double n);
};

} // namespace engine
