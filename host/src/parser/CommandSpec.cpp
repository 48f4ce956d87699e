// One command as written.
#include "parser/CommandSpec.h"

#include "parser/ParamDescriptor.h"

#include <utility>

CommandSpec::CommandSpec(std::string commandName) : fCommandName(std::move(commandName)) {}

CommandSpec::~CommandSpec() = default;

SubComObj& CommandSpec::AddSubCom(std::unique_ptr<SubComObj> subcommand) {
  fSubComs.push_back(std::move(subcommand));
  return *fSubComs.back();
}

const SubComObj* CommandSpec::GetSubCom(std::size_t index) const {
  return index < fSubComs.size() ? fSubComs[index].get() : nullptr;
}

const SubComObj* CommandSpec::getSubComObj(const std::string& name) const {
  for (const auto& subcommand : fSubComs)
    if (SameKeyword(subcommand->GetName(), name))
      return subcommand.get();
  return nullptr;
}
