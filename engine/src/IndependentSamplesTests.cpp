// Driver of the /INDEPENDENT tests.
#include "IndependentSamplesTests.h"

#include "TestContext.h"

namespace engine {

void IndependentSamplesTests::Write(const TestContext& context,
                                    std::vector<ResultElement>& algorithms) {
  (void)context;
  (void)algorithms;
}

} // namespace engine
