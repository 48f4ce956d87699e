// The host's assertion function: contract failures become exceptions carrying their texts.
#include "proc/CFAssert.h"

#include <utility>

CFAssertionError::CFAssertionError(std::string expression, std::string function, std::string source)
    : std::logic_error("Assertion failed: " + expression + " in " + function + " (" + source + ")"),
      fExpression(std::move(expression)), fFunction(std::move(function)),
      fSource(std::move(source)) {}

void CFAssertFailed(const char* expression, const char* function, const char* source) {
  throw CFAssertionError(expression ? expression : "", function ? function : "",
                         source ? source : "");
}

void CFAssertFailed(const char* expression, const char* function, const char* source,
                    std::string description) {
  CFAssertionError error(expression ? expression : "", function ? function : "",
                         source ? source : "");
  error.SetDescription(std::move(description));
  throw error;
}
