// A derived variable: the values of another variable, copied or classified.
#pragma once

#include "chart/ViZFormat.h"
#include "chart/ViZSourceVariable.h"

class ViZDerivedVariable : public ViZSourceVariable {
public:
  using ViZSourceVariable::ViZSourceVariable;

  // The id of the variable whose values this one takes.
  void setValue(const ChartString& variableId);
  // The variable's format, made when there is none.
  ViZFormat addFormat();
};
