// The Hodges-Lehmann estimate of the median difference of two related fields: the median of the
// Walsh averages (d_i + d_j)/2, i <= j, and its confidence interval.
#pragma once

#include "statxml/ResultDocumentWriter.h"

#include <vector>

namespace engine {

struct PairedDifferences;
struct TestContext;

class HodgesLehmannPairsTest {
public:
  static ResultElement Write(const TestContext& context, const PairedDifferences& pairs);

  // The k-th smallest (from 1) of the Walsh averages of weighted values (a case of weight w
  // standing for w cases), found without listing the averages: bisection over the doubles, each
  // step counting the averages at or below a bound in one pass over the sorted values.
  static double WalshAverage(const std::vector<double>& values, const std::vector<double>& weights,
                             double k);
};

} // namespace engine
