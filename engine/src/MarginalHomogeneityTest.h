// The marginal homogeneity test of two related ordered category fields: do the two fields have
// the same distribution?
#pragma once

#include "statxml/ResultDocumentWriter.h"

namespace engine {

class RelatedCases;
struct TestContext;

class MarginalHomogeneityTest {
public:
  // `cases` has the two fields.
  static ResultElement Write(const TestContext& context, const RelatedCases& cases);
};

} // namespace engine
