// Contract checks of the host and the plug-in. A failed check throws; it never ends the process,
// so a malformed document or a host programming error is reported and the host goes on.
#pragma once

#include <stdexcept>
#include <string>
#include <utility>

// Thrown by CFAssertFailed. what() reads like
// "Assertion failed: nSplits > 0 in ProcessOutputXML (backend/nonpar/NOPRProcCustom)".
class CFAssertionError : public std::logic_error {
public:
  CFAssertionError(std::string expression, std::string function, std::string source);

  const std::string& Expression() const { return fExpression; }
  const std::string& Function() const { return fFunction; }
  const std::string& Source() const { return fSource; }

  // What the failure means for the user, in words ("its pairwise comparison table has 6 columns
  // where 7 are needed"); empty when the check gives none. what() stays the check's own text.
  const std::string& Description() const { return fDescription; }
  void SetDescription(std::string description) { fDescription = std::move(description); }
  // Where in the input the failure lies ("test 2 (Independent-Samples Kruskal-Wallis Test)"), set
  // by a caller that knows while the exception passes through it; empty when none did.
  const std::string& Place() const { return fPlace; }
  void SetPlace(std::string place) { fPlace = std::move(place); }

private:
  std::string fExpression;
  std::string fFunction;
  std::string fSource;
  std::string fDescription;
  std::string fPlace;
};

// Throws CFAssertionError with the three texts.
[[noreturn]] void CFAssertFailed(const char* expression, const char* function, const char* source);
// The same with the failure's meaning in words.
[[noreturn]] void CFAssertFailed(const char* expression, const char* function, const char* source,
                                 std::string description);

// Checks a contract: CF_ASSERT(nSplits > 0, "ProcessOutputXML", "backend/nonpar/NOPRProcCustom").
#define CF_ASSERT(expr, function, source)                                                          \
  do {                                                                                             \
    if (!(expr))                                                                                   \
      CFAssertFailed(#expr, function, source);                                                     \
  } while (false)

// A check whose failure a user can meet with a malformed document: `description` (a std::string
// expression, evaluated only when the check fails) says in words what is wrong.
#define CF_ASSERT_DESCRIBED(expr, function, source, description)                                   \
  do {                                                                                             \
    if (!(expr))                                                                                   \
      CFAssertFailed(#expr, function, source, description);                                        \
  } while (false)
