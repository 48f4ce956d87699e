// The one-sample Wilcoxon signed-rank test: is the median of a continuous field the test value?
#pragma once

#include "statxml/ResultDocumentWriter.h"

#include <vector>

namespace engine {

struct FieldColumn;
struct TestContext;

class OneSampleWilcoxonTest {
public:
  static void Write(const TestContext& context, double testValue, const FieldColumn& field,
                    std::vector<ResultElement>& algorithms);
};

} // namespace engine
