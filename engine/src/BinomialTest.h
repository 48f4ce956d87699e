// The one-sample binomial test: does the share of successes (a category, a list of categories,
// or the values at or below a cut point) equal the test value? With its success-rate intervals.
#pragma once

#include "statxml/ResultDocumentWriter.h"

#include <utility>
#include <vector>

namespace engine {

struct BinomialRequest;
struct FieldColumn;
struct TestContext;

class BinomialTest {
public:
  // Appends the test to `tests` and, when the command asks for any interval, the interval
  // record to `intervals`.
  static void Write(const TestContext& context, const BinomialRequest& request,
                    const FieldColumn& field, std::vector<ResultElement>& tests,
                    std::vector<ResultElement>& intervals);

  // Two-sided exact significance of x successes in n trials: the probability of every outcome
  // no more likely than x (with a relative tolerance of 1e-7 for outcomes equally likely).
  static double ExactSignificance(double x, double n, double p);
  // The Clopper-Pearson interval of x successes in n trials at `level` (0 and 1 at the ends).
  static std::pair<double, double> ClopperPearson(double x, double n, double level);
  // The likelihood-ratio interval: the p where 2 (l(x/n) - l(p)) reaches the chi-square(1)
  // quantile of `level`.
  static std::pair<double, double> LikelihoodInterval(double x, double n, double level);
};

} // namespace engine
