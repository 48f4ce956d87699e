// One token of a command's text, with the place where it starts so that errors can point at it.
#pragma once

#include <string>

struct CommandToken {
  enum class Kind {
    kWord,   // keyword or variable name: letters, digits and _ . @ # $, not starting with a digit
    kNumber, // 12, -2, .5, 1e3
    kString, // 'text' or "text"; fText holds the contents with doubled quotes undone
    kSlash,  // "/" introducing a subcommand
    kEquals, // "="
    kOpen,   // "("
    kClose,  // ")"
    kComma,  // "," (separates items like a blank)
    kEndCommand, // "." ending the command
    kEndOfText
  };

  Kind fKind = Kind::kEndOfText;
  std::string fText;    // as written, except strings (their contents)
  std::string fWritten; // exactly as written, quotes included; what error messages show
  double fNumber = 0.0; // the value of a number
  int fLine = 1;        // 1-based
  int fColumn = 1;      // 1-based, counted in characters
};

// "word", "number", "string", "\"/\"", ... for messages such as "expected a number, found a word".
const char* CommandTokenKindName(CommandToken::Kind kind);
