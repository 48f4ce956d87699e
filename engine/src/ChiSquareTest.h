// The one-sample chi-square test: do a categorical field's categories occur with equal, or with
// the given, probabilities?
#pragma once

#include "statxml/ResultDocumentWriter.h"

#include <vector>

namespace engine {

struct ChiSquareRequest;
struct FieldColumn;
struct TestContext;

class ChiSquareTest {
public:
  static void Write(const TestContext& context, const ChiSquareRequest& request,
                    const FieldColumn& field, std::vector<ResultElement>& algorithms);
};

} // namespace engine
