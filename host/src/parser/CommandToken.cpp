// Names of token kinds for error messages.
#include "parser/CommandToken.h"

const char* CommandTokenKindName(CommandToken::Kind kind) {
  switch (kind) {
  case CommandToken::Kind::kWord:
    return "word";
  case CommandToken::Kind::kNumber:
    return "number";
  case CommandToken::Kind::kString:
    return "string";
  case CommandToken::Kind::kSlash:
    return "\"/\"";
  case CommandToken::Kind::kEquals:
    return "\"=\"";
  case CommandToken::Kind::kOpen:
    return "\"(\"";
  case CommandToken::Kind::kClose:
    return "\")\"";
  case CommandToken::Kind::kComma:
    return "\",\"";
  case CommandToken::Kind::kEndCommand:
    return "the end of the command";
  case CommandToken::Kind::kEndOfText:
    return "the end of the text";
  }
  return "token";
}
