// Runs the /INDEPENDENT tests the command asks for on one split group and writes their records.
#pragma once

#include "statxml/ResultDocumentWriter.h"

#include <vector>

namespace engine {

struct TestContext;

class IndependentSamplesTests {
public:
  // Appends one Algorithm element per test and field (and the companions: intervals, simulated
  // significances) in the order the command names them.
  static void Write(const TestContext& context, std::vector<ResultElement>& algorithms);
};

} // namespace engine
