// The error a command's text is refused with: where it is, the token found there, what is wrong
// and, for a misspelt keyword, the nearest keyword.
#pragma once

#include <stdexcept>
#include <string>

class CommandSyntaxError : public std::runtime_error {
public:
  // `token` is the offending token as written ("" at the end of the text); `suggestion` is a
  // keyword to propose, or "".
  CommandSyntaxError(int line, int column, std::string token, std::string problem,
                     std::string suggestion = std::string());
  ~CommandSyntaxError() override;

  int Line() const { return fLine; }
  int Column() const { return fColumn; }
  const std::string& Token() const { return fToken; }
  const std::string& Problem() const { return fProblem; }
  const std::string& Suggestion() const { return fSuggestion; }

private:
  int fLine;
  int fColumn;
  std::string fToken;
  std::string fProblem;
  std::string fSuggestion;
};

// The full text what() returns:
// `line 2, column 14, at "CHISQUAR": CHISQUAR is not a keyword of ONESAMPLE. Did you mean
// CHISQUARE?`
std::string FormatCommandSyntaxError(int line, int column, const std::string& token,
                                     const std::string& problem, const std::string& suggestion);
