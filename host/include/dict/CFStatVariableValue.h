// A value of one dictionary variable, set from its text and kept in the variable's case-value
// form (OBS units), so that it can be shown through the variable's format and value labels.
#pragma once

#include "dict/OBS.h"

#include <string>
#include <vector>

class VORN_Variable;

class CFStatVariableValue {
public:
  // A system-missing numeric value.
  CFStatVariableValue();

  // Sets the value from its text for the variable: a number (String2Double; system-missing when
  // the text is not a number) for a numeric variable, the text blank-padded or cut to the width
  // for a string variable. `flags` is reserved and ignored. A null variable makes a numeric value.
  // Returns false when the text did not convert (the value is then system-missing or blank).
  bool SetCompleteValue(const std::string& text, const VORN_Variable* variable, int flags);

  // The value as case units; never null, ObsLength(type) units long.
  const OBS* GetObsValue() const { return fUnits.data(); }
  // The type the value was set for: 0 numeric, else a string width.
  int GetType() const { return fType; }
  // The number of a numeric value; the system-missing value for a string value.
  double GetNumber() const;
  // A string value without its padding; a numeric value written in the variable's print format
  // (F8.2 without a variable), without surrounding blanks.
  std::string GetStringValue() const;

private:
  std::vector<OBS> fUnits;
  int fType = 0;
  const VORN_Variable* fVariable = nullptr;
};
