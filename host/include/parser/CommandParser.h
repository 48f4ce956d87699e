// Reads a command's text against its grammar into a CommandSpec. The text is one command: its
// name, then subcommands each introduced by "/" (optional before the first), each a list of
// parameters; it ends with "." or at the end of the text. Keywords and variable names are
// compared without regard to case. Anything the grammar does not allow is refused with the line,
// the column and the token where reading stopped, and a misspelt keyword gets a suggestion.
#pragma once

#include "parser/CommandDescriptor.h"
#include "parser/CommandSpec.h"

#include <cstddef>
#include <memory>
#include <string>

class ParserMessageLog;
class VORN_DataSource;

class CommandParser {
public:
  // Parameters nested deeper than this are refused, so hostile text cannot exhaust the stack.
  static constexpr int kMaxDepth = 32;
  // Texts longer than this are refused before reading.
  static constexpr std::size_t kMaxTextLength = 1 << 20;

  // Both are borrowed and must outlive the parser. Without a data source, variable names are
  // kept as written (TO and ALL included) for a later check; with one, they are checked and
  // expanded into the dictionary's spelling and order.
  CommandParser(const CommandDescriptor& grammar, const VORN_DataSource* dataSource);

  // The command, or throws CommandSyntaxError saying what is wrong and where.
  std::unique_ptr<CommandSpec> Parse(const std::string& text) const;
  // The command, or null with the error added to `log` (which may be null). Never throws for bad
  // text.
  std::unique_ptr<CommandSpec> Parse(const std::string& text, ParserMessageLog* log) const;

private:
  const CommandDescriptor& fGrammar;
  const VORN_DataSource* fDataSource;
};
