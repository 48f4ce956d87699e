// One command as the user wrote it, after the parser has checked it against its grammar.
#pragma once

#include "parser/SubComObj.h"

#include <memory>
#include <string>
#include <vector>

class CommandSpec {
public:
  explicit CommandSpec(std::string commandName);
  ~CommandSpec();
  CommandSpec(const CommandSpec&) = delete;
  CommandSpec& operator=(const CommandSpec&) = delete;

  // Takes ownership of the subcommand.
  SubComObj& AddSubCom(std::unique_ptr<SubComObj> subcommand);

  const std::string& GetCommandName() const { return fCommandName; }
  std::size_t GetSubComCount() const { return fSubComs.size(); }
  // The subcommand at a position, or null when out of range. The command owns it.
  const SubComObj* GetSubCom(std::size_t index) const;

  // The subcommand of that name (any case), or null when the user did not write it.
  const SubComObj* getSubComObj(const std::string& name) const;

private:
  std::string fCommandName;
  std::vector<std::unique_ptr<SubComObj>> fSubComs;
};
