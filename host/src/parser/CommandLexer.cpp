// Splits a command's text into tokens, keeping line and column of each for error messages.
#include "parser/CommandLexer.h"

#include "parser/CommandSyntaxError.h"
#include "text/TextFunctions.h"
#include "text/VORN_SystemMissing.h"

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsLetter(char c) {
  // Bytes of multi-byte UTF-8 characters count as letters so that names may use any script.
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || static_cast<unsigned char>(c) >= 0x80;
}
bool IsWordStart(char c) {
  return IsLetter(c) || c == '@' || c == '#' || c == '$';
}
bool IsWordChar(char c) {
  return IsWordStart(c) || IsDigit(c) || c == '_';
}
bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}

} // namespace

CommandLexer::CommandLexer(const std::string& text) : fText(text) {}

char CommandLexer::Peek(std::size_t ahead) const {
  return fPos + ahead < fText.size() ? fText[fPos + ahead] : '\0';
}

void CommandLexer::Advance() {
  if (fPos >= fText.size())
    return;
  const char c = fText[fPos++];
  if (c == '\n') {
    ++fLine;
    fColumn = 1;
  } else if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
    ++fColumn; // continuation bytes of UTF-8 do not start a new character
  }
}

bool CommandLexer::AtLineStart() const {
  for (std::size_t i = fPos; i > 0; --i) {
    const char c = fText[i - 1];
    if (c == '\n')
      return true;
    if (c != ' ' && c != '\t' && c != '\r')
      return false;
  }
  return true;
}

void CommandLexer::SkipBlanksAndComments() {
  for (;;) {
    while (IsBlank(Peek()))
      Advance();
    if (Peek() == '*' && AtLineStart()) {
      while (fPos < fText.size() && Peek() != '\n')
        Advance();
    } else if (Peek() == '/' && Peek(1) == '*') {
      const int line = fLine;
      const int column = fColumn;
      Advance();
      Advance();
      while (fPos < fText.size() && !(Peek() == '*' && Peek(1) == '/'))
        Advance();
      if (fPos >= fText.size())
        throw CommandSyntaxError(line, column, "/*", "the comment is not closed with */");
      Advance();
      Advance();
    } else {
      return;
    }
  }
}

CommandToken CommandLexer::Start(CommandToken::Kind kind) const {
  CommandToken token;
  token.fKind = kind;
  token.fLine = fLine;
  token.fColumn = fColumn;
  return token;
}

bool CommandLexer::NumberStartsHere() const {
  std::size_t i = 0;
  if (Peek() == '-' || Peek() == '+')
    i = 1;
  return IsDigit(Peek(i)) || (Peek(i) == '.' && IsDigit(Peek(i + 1)));
}

CommandToken CommandLexer::Next() {
  SkipBlanksAndComments();
  const char c = Peek();
  if (fPos >= fText.size())
    return Start(CommandToken::Kind::kEndOfText);
  if (NumberStartsHere())
    return ReadNumber();
  if (IsWordStart(c))
    return ReadWord();
  if (c == '\'' || c == '"')
    return ReadString();

  CommandToken::Kind kind = CommandToken::Kind::kEndOfText;
  switch (c) {
  case '/':
    kind = CommandToken::Kind::kSlash;
    break;
  case '=':
    kind = CommandToken::Kind::kEquals;
    break;
  case '(':
    kind = CommandToken::Kind::kOpen;
    break;
  case ')':
    kind = CommandToken::Kind::kClose;
    break;
  case ',':
    kind = CommandToken::Kind::kComma;
    break;
  case '.':
    kind = CommandToken::Kind::kEndCommand;
    break;
  default: {
    std::string shown(1, c);
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
      shown = "\\x" + std::string(1, "0123456789ABCDEF"[(c >> 4) & 0xF]) +
              std::string(1, "0123456789ABCDEF"[c & 0xF]);
    throw CommandSyntaxError(fLine, fColumn, shown, "this character has no place in a command");
  }
  }
  CommandToken token = Start(kind);
  token.fText = token.fWritten = std::string(1, c);
  Advance();
  return token;
}

CommandToken CommandLexer::ReadWord() {
  CommandToken token = Start(CommandToken::Kind::kWord);
  const std::size_t begin = fPos;
  // A point inside a name belongs to it; a point after it ends the command.
  while (IsWordChar(Peek()) || (Peek() == '.' && IsWordChar(Peek(1))))
    Advance();
  token.fText = token.fWritten = fText.substr(begin, fPos - begin);
  return token;
}

CommandToken CommandLexer::ReadNumber() {
  CommandToken token = Start(CommandToken::Kind::kNumber);
  const std::size_t begin = fPos;
  if (Peek() == '-' || Peek() == '+')
    Advance();
  while (IsDigit(Peek()))
    Advance();
  if (Peek() == '.' && IsDigit(Peek(1))) {
    Advance();
    while (IsDigit(Peek()))
      Advance();
  }
  if ((Peek() == 'e' || Peek() == 'E') &&
      (IsDigit(Peek(1)) || ((Peek(1) == '-' || Peek(1) == '+') && IsDigit(Peek(2))))) {
    Advance();
    Advance();
    while (IsDigit(Peek()))
      Advance();
  }
  // "12abc" is neither a number nor a name.
  while (IsWordChar(Peek()))
    Advance();
  token.fText = token.fWritten = fText.substr(begin, fPos - begin);
  const std::string& text = token.fText;
  const std::size_t digits = text.find_first_not_of("+-0123456789.eE");
  if (digits != std::string::npos)
    throw CommandSyntaxError(token.fLine, token.fColumn, text, "this is not a number");
  const double value = String2Double(text);
  if (value == VORN_SystemMissing())
    throw CommandSyntaxError(token.fLine, token.fColumn, text,
                             "the number is too large (numbers run to about 1.8e308)");
  token.fNumber = value;
  return token;
}

CommandToken CommandLexer::ReadString() {
  CommandToken token = Start(CommandToken::Kind::kString);
  const std::size_t begin = fPos;
  const char quote = Peek();
  Advance();
  for (;;) {
    if (fPos >= fText.size() || Peek() == '\n')
      throw CommandSyntaxError(token.fLine, token.fColumn, fText.substr(begin, fPos - begin),
                               std::string("the string is not closed with ") + quote);
    if (Peek() == quote) {
      if (Peek(1) != quote)
        break;
      Advance(); // a doubled quote stands for one
    }
    token.fText += Peek();
    Advance();
  }
  Advance();
  token.fWritten = fText.substr(begin, fPos - begin);
  return token;
}
