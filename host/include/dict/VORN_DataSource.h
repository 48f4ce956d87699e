// The active data dictionary: the variables in dictionary order, found by name or index, and
// the case-weight variable.
#pragma once

#include "dict/VORN_Variable.h"

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class VORN_DataSource {
public:
  VORN_DataSource();
  virtual ~VORN_DataSource();
  VORN_DataSource(const VORN_DataSource&) = delete;
  VORN_DataSource& operator=(const VORN_DataSource&) = delete;

  // Appends a variable and returns its index; returns -1 and adds nothing when a variable of
  // that name (compared case-insensitively) is already there or the name is empty.
  int AddVariable(const VORN_Variable& variable);

  // Index of the variable of that name, compared case-insensitively as variable names are;
  // -1 when there is none. `flags` is reserved and ignored.
  int FindVarIndex(const std::string& name, int flags) const;
  // The variable at an index, or null when the index is out of range. The data source owns it.
  const VORN_Variable* GetVariable(int index) const;
  VORN_Variable* GetVariable(int index);
  int GetVariableCount() const { return static_cast<int>(fVariables.size()); }

  // Index of the case-weight variable, -1 when the data are not weighted.
  int GetWeightVarIndex() const { return fWeightVarIndex; }
  void SetWeightVarIndex(int index) { fWeightVarIndex = index; }

private:
  std::vector<std::unique_ptr<VORN_Variable>> fVariables;
  std::unordered_map<std::string, int> fIndexByName; // keys folded to lower case
  int fWeightVarIndex = -1;
};
