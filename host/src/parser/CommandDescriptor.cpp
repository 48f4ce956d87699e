// The grammar of one command.
#include "parser/CommandDescriptor.h"

#include <utility>

CommandDescriptor::CommandDescriptor(std::string commandName, std::string procedureTitle)
    : fCommandName(UpperKeyword(commandName)), fProcedureTitle(std::move(procedureTitle)) {}
CommandDescriptor::~CommandDescriptor() = default;
CommandDescriptor::CommandDescriptor(const CommandDescriptor&) = default;
CommandDescriptor& CommandDescriptor::operator=(const CommandDescriptor&) = default;

CommandDescriptor& CommandDescriptor::SubCommand(SubComDescriptor subcommand) {
  fSubCommands.push_back(std::move(subcommand));
  return *this;
}

CommandDescriptor& CommandDescriptor::AtLeastOneOf(std::vector<std::string> names) {
  for (std::string& name : names)
    fAtLeastOneOf.push_back(UpperKeyword(name));
  return *this;
}

const SubComDescriptor* CommandDescriptor::getSubComDesc(const std::string& name) const {
  for (const SubComDescriptor& s : fSubCommands)
    if (SameKeyword(s.GetName(), name))
      return &s;
  return nullptr;
}
