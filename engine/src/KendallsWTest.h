// Kendall's coefficient of concordance W of k related fields: how far do the cases rank the
// fields alike?
#pragma once

#include "NptestsRequest.h"
#include "statxml/ResultDocumentWriter.h"

namespace engine {

class RelatedCases;
struct TestContext;

class KendallsWTest {
public:
  // `cases` holds at least two fields.
  static ResultElement Write(const TestContext& context, const RelatedCases& cases,
                             Compare compare);
};

} // namespace engine
