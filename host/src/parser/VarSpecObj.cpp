// Variables of one parameter, checked against the data.
#include "parser/VarSpecObj.h"

#include "dict/VORN_DataSource.h"
#include "parser/CommandDescriptor.h"
#include "parser/ParserMessageLog.h"
#include "parser/VarListExpander.h"

#include <algorithm>
#include <utility>

VarSpecObj::VarSpecObj(std::string paramName, std::string subComName,
                       const CommandDescriptor* descriptor, VORN_DataSource* dataSource,
                       bool numericOnly)
    : fParamName(std::move(paramName)), fSubComName(std::move(subComName)), fDescriptor(descriptor),
      fDataSource(dataSource), fNumericOnly(numericOnly) {}

VarSpecObj::~VarSpecObj() = default;

void VarSpecObj::Report(const std::string& text) const {
  if (!fReport || fDescriptor == nullptr || fDescriptor->GetMessageLog() == nullptr)
    return;
  fDescriptor->GetMessageLog()->AddError(fDescriptor->getCommandName(),
                                         fSubComName + " " + fParamName + ": " + text);
}

bool VarSpecObj::IsUsable(int index, std::string& problem) const {
  const VORN_Variable* variable = fDataSource->GetVariable(index);
  if (variable == nullptr) {
    problem = "no such variable";
    return false;
  }
  if (fNumericOnly && variable->IsString()) {
    problem = "the string variable " + variable->GetName() + " cannot be used here";
    return false;
  }
  return true;
}

bool VarSpecObj::ValidateVariables(const std::vector<std::string>& names, int repeatOption) {
  fValid.clear();
  if (names.empty())
    return false;
  if (fDataSource == nullptr) {
    Report("there are no data to find the variables in");
    return false;
  }
  const VarListExpander::Result expanded = VarListExpander::Expand(names, *fDataSource);
  bool ok = expanded.fOk;
  if (!ok)
    Report(expanded.fProblem);
  for (int index : expanded.fIndexes) {
    std::string problem;
    if (!IsUsable(index, problem)) {
      if (ok)
        Report(problem);
      ok = false;
      continue;
    }
    const bool repeated = std::find(fValid.begin(), fValid.end(), index) != fValid.end();
    if (repeated && repeatOption == kRepeatDropped)
      continue;
    if (repeated && repeatOption == kRepeatIsError) {
      if (ok)
        Report("the variable " + fDataSource->GetVariable(index)->GetName() + " is named twice");
      ok = false;
      continue;
    }
    fValid.push_back(index);
  }
  return ok && !fValid.empty();
}

int VarSpecObj::ValidateVariable(const std::string& name) {
  if (fDataSource == nullptr) {
    Report("there are no data to find the variable " + name + " in");
    return -1;
  }
  const int index = fDataSource->FindVarIndex(name, 0);
  if (index < 0) {
    Report("there is no variable " + name + " in the data");
    return -1;
  }
  std::string problem;
  if (!IsUsable(index, problem)) {
    Report(problem);
    return -1;
  }
  if (std::find(fValid.begin(), fValid.end(), index) == fValid.end())
    fValid.push_back(index);
  return index;
}

bool VarSpecObj::CheckCommonVars(const VarSpecObj& other) {
  for (int index : fValid) {
    if (std::find(other.fValid.begin(), other.fValid.end(), index) == other.fValid.end())
      continue;
    const VORN_Variable* variable =
        fDataSource != nullptr ? fDataSource->GetVariable(index) : nullptr;
    const std::string name = variable != nullptr ? variable->GetName() : std::to_string(index);
    Report("the variable " + name + " cannot be both in " + fParamName + " and in " +
           other.fParamName);
    return false;
  }
  return true;
}
