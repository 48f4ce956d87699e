// Splits a command's text into tokens. Comments are dropped: a line whose first non-blank
// character is "*" is a comment to its end, and "/* ... */" is a comment anywhere (not nested).
#pragma once

#include "parser/CommandToken.h"

#include <cstddef>
#include <string>

class CommandLexer {
public:
  // The text is borrowed and must outlive the lexer.
  explicit CommandLexer(const std::string& text);

  // The next token; kEndOfText from then on. Throws CommandSyntaxError for an unterminated string
  // or comment, a character that has no place in a command, or a number out of range.
  CommandToken Next();

private:
  void SkipBlanksAndComments();
  bool AtLineStart() const;
  char Peek(std::size_t ahead = 0) const;
  void Advance();
  bool NumberStartsHere() const;
  CommandToken ReadWord();
  CommandToken ReadNumber();
  CommandToken ReadString();
  CommandToken Start(CommandToken::Kind kind) const;

  const std::string& fText;
  std::size_t fPos = 0;
  int fLine = 1;
  int fColumn = 1;
};
