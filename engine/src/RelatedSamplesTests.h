// Runs the /RELATED tests the command asks for on one split group and writes their records.
#pragma once

#include "statxml/ResultDocumentWriter.h"

#include <vector>

namespace engine {

struct TestContext;

class RelatedSamplesTests {
public:
  // Appends one Algorithm element per test, in a fixed order (docs/engine.md).
  static void Write(const TestContext& context, std::vector<ResultElement>& algorithms);
};

} // namespace engine
