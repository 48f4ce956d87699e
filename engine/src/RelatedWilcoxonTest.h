// The Wilcoxon signed-rank test of two related fields: are the differences symmetric about 0?
#pragma once

#include "statxml/ResultDocumentWriter.h"

namespace engine {

struct PairedDifferences;
struct TestContext;

class RelatedWilcoxonTest {
public:
  // The sum of the positive ranks of the non-zero differences, its normal approximation with the
  // ties correction, and for at most kExactLimit non-zero differences the exact significance of
  // the signed-rank distribution given the ties.
  static ResultElement Write(const TestContext& context, const PairedDifferences& pairs);

  static constexpr double kExactLimit = 50;
};

} // namespace engine
