// Moses's test of extreme reaction: the span of the control group's (the first group's) ranks in
// the pooled ranking, whole and trimmed, with its exact one-tailed significance.
#pragma once

#include "statxml/ResultDocumentWriter.h"

#include <optional>

namespace engine {

class GroupedCases;
struct FieldColumn;
struct TestContext;

class MosesTest {
public:
  // `trim`: cases trimmed from each end of the control group; none means 5% of it (at least 1).
  static ResultElement Write(const TestContext& context, const GroupedCases& cases,
                             const FieldColumn& test, const FieldColumn& group,
                             std::optional<int> trim);
  // P(span <= s) for m control and n experimental cases with h trimmed from each end.
  static double SpanSignificance(double span, double m, double n, double h);
};

} // namespace engine
