// The messages of reading a command.
#include "parser/ParserMessageLog.h"

#include <utility>

ParserMessageLog::ParserMessageLog() = default;
ParserMessageLog::~ParserMessageLog() = default;

void ParserMessageLog::Add(ParserMessageEntry entry) {
  fEntries.push_back(std::move(entry));
}

void ParserMessageLog::AddWarning(const std::string& command, const std::string& text) {
  Add({ParserMessageEntry::Level::kWarning, command, text});
}

void ParserMessageLog::AddError(const std::string& command, const std::string& text) {
  Add({ParserMessageEntry::Level::kError, command, text});
}

bool ParserMessageLog::HasErrors() const {
  for (const ParserMessageEntry& entry : fEntries)
    if (entry.fLevel == ParserMessageEntry::Level::kError)
      return true;
  return false;
}

std::string ParserMessageLog::Format(const ParserMessageEntry& entry) {
  std::string level;
  switch (entry.fLevel) {
  case ParserMessageEntry::Level::kWarning:
    level = "warning";
    break;
  case ParserMessageEntry::Level::kError:
    level = "error";
    break;
  }
  return (entry.fCommand.empty() ? level : entry.fCommand + " " + level) + ": " + entry.fText;
}
