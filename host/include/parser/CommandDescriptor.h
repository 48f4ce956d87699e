// The grammar of one command: its name, the procedure's title and its subcommands. It also
// carries the host's message log, so that whoever reads a command with it can report to the user.
#pragma once

#include "parser/SubComDescriptor.h"

#include <string>
#include <vector>

class ParserMessageLog;

class CommandDescriptor {
public:
  CommandDescriptor(std::string commandName, std::string procedureTitle);
  ~CommandDescriptor();
  CommandDescriptor(const CommandDescriptor&);
  CommandDescriptor& operator=(const CommandDescriptor&);

  CommandDescriptor& SubCommand(SubComDescriptor subcommand);
  // At least one of these subcommands must be given.
  CommandDescriptor& AtLeastOneOf(std::vector<std::string> names);

  const std::string& getCommandName() const { return fCommandName; }
  const std::string& getProcedureTitle() const { return fProcedureTitle; }
  const std::vector<SubComDescriptor>& GetSubCommands() const { return fSubCommands; }
  const std::vector<std::string>& GetAtLeastOneOf() const { return fAtLeastOneOf; }

  // The subcommand of that name (any case), or null. The descriptor owns it.
  const SubComDescriptor* getSubComDesc(const std::string& name) const;

  // Where messages about this command go: borrowed, may be null (messages are then dropped).
  // Readers that hold the descriptor as const still write to the log.
  void SetMessageLog(ParserMessageLog* log) { fLog = log; }
  ParserMessageLog* GetMessageLog() const { return fLog; }

private:
  std::string fCommandName;
  std::string fProcedureTitle;
  std::vector<SubComDescriptor> fSubCommands;
  std::vector<std::string> fAtLeastOneOf;
  ParserMessageLog* fLog = nullptr;
};
