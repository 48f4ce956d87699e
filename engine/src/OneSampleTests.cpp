// Driver of the /ONESAMPLE tests.
#include "OneSampleTests.h"

#include "TestContext.h"

namespace engine {

void OneSampleTests::Write(const TestContext& context, std::vector<ResultElement>& algorithms) {
  (void)context;
  (void)algorithms;
}

} // namespace engine
