// McNemar's change test of two related category fields: do as many cases change from success to
// failure as from failure to success?
#pragma once

#include "statxml/ResultDocumentWriter.h"

namespace engine {

class RelatedCases;
struct TestContext;

class McNemarTest {
public:
  // `cases` has the two fields. The success is the first category of the first field, or the
  // categories the command lists; every other category is a failure.
  static ResultElement Write(const TestContext& context, const RelatedCases& cases);
};

} // namespace engine
