// The error a command's text is refused with.
#include "parser/CommandSyntaxError.h"

#include <utility>

std::string FormatCommandSyntaxError(int line, int column, const std::string& token,
                                     const std::string& problem, const std::string& suggestion) {
  std::string text = "line " + std::to_string(line) + ", column " + std::to_string(column);
  if (token.empty())
    text += ", at the end of the text";
  else
    text += ", at \"" + token + "\"";
  text += ": " + problem;
  if (!suggestion.empty())
    text += ". Did you mean " + suggestion + "?";
  return text;
}

CommandSyntaxError::CommandSyntaxError(int line, int column, std::string token, std::string problem,
                                       std::string suggestion)
    : std::runtime_error(FormatCommandSyntaxError(line, column, token, problem, suggestion)),
      fLine(line), fColumn(column), fToken(std::move(token)), fProblem(std::move(problem)),
      fSuggestion(std::move(suggestion)) {}

CommandSyntaxError::~CommandSyntaxError() = default;
