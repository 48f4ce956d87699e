// The active dictionary. Variable names compare case-insensitively (ASCII letters folded), as
// commands name variables in any case.
#include "dict/VORN_DataSource.h"

namespace {

std::string FoldCase(const std::string& name) {
  std::string folded = name;
  for (char& c : folded)
    if (c >= 'A' && c <= 'Z')
      c = static_cast<char>(c - 'A' + 'a');
  return folded;
}

} // namespace

VORN_DataSource::VORN_DataSource() = default;
VORN_DataSource::~VORN_DataSource() = default;

int VORN_DataSource::AddVariable(const VORN_Variable& variable) {
  if (variable.GetName().empty())
    return -1;
  std::string key = FoldCase(variable.GetName());
  if (fIndexByName.count(key) != 0)
    return -1;
  int index = static_cast<int>(fVariables.size());
  fVariables.push_back(std::make_unique<VORN_Variable>(variable));
  fIndexByName.emplace(std::move(key), index);
  return index;
}

int VORN_DataSource::FindVarIndex(const std::string& name, int /*flags*/) const {
  auto found = fIndexByName.find(FoldCase(name));
  return found == fIndexByName.end() ? -1 : found->second;
}

const VORN_Variable* VORN_DataSource::GetVariable(int index) const {
  if (index < 0 || index >= GetVariableCount())
    return nullptr;
  return fVariables[static_cast<std::size_t>(index)].get();
}

VORN_Variable* VORN_DataSource::GetVariable(int index) {
  if (index < 0 || index >= GetVariableCount())
    return nullptr;
  return fVariables[static_cast<std::size_t>(index)].get();
}
