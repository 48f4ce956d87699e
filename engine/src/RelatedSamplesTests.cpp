// Driver of the /RELATED tests.
#include "RelatedSamplesTests.h"

#include "TestContext.h"

namespace engine {

void RelatedSamplesTests::Write(const TestContext& context,
                                std::vector<ResultElement>& algorithms) {
  (void)context;
  (void)algorithms;
}

} // namespace engine
