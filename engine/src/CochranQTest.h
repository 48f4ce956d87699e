// Cochran's Q test of k related dichotomous fields: is the success equally likely in each?
#pragma once

#include "NptestsRequest.h"
#include "statxml/ResultDocumentWriter.h"

#include <vector>

namespace engine {

class RelatedCases;
struct TestContext;

class CochranQTest {
public:
  // `cases` holds at least two fields. The success is the first category of the first field, or
  // the categories the command lists; every other category is a failure.
  static ResultElement Write(const TestContext& context, const RelatedCases& cases);
};

} // namespace engine
