// Contract checks of the host and the plug-in. A failed check throws; it never ends the process,
// so a malformed document or a host programming error is reported and the host goes on.
#pragma once

#include <stdexcept>
#include <string>

// Thrown by CFAssertFailed. what() reads like
// "Assertion failed: nSplits > 0 in ProcessOutputXML (backend/nonpar/NOPRProcCustom)".
class CFAssertionError : public std::logic_error {
public:
  CFAssertionError(std::string expression, std::string function, std::string source);

  const std::string& Expression() const { return fExpression; }
  const std::string& Function() const { return fFunction; }
  const std::string& Source() const { return fSource; }

private:
  std::string fExpression;
  std::string fFunction;
  std::string fSource;
};

// Throws CFAssertionError with the three texts.
[[noreturn]] void CFAssertFailed(const char* expression, const char* function, const char* source);

// Checks a contract: CF_ASSERT(nSplits > 0, "ProcessOutputXML", "backend/nonpar/NOPRProcCustom").
#define CF_ASSERT(expr, function, source)                                                          \
  do {                                                                                             \
    if (!(expr))                                                                                   \
      CFAssertFailed(#expr, function, source);                                                     \
  } while (false)
