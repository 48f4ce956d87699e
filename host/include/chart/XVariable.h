// A variable of a chart document as the views set it up: the dictionary variable it shows, its
// label, number format and relabellings. A light handle on the variable's element; it writes into
// the document's element tree, which is all the drawing reads.
#pragma once

#include "chart/ChartString.h"

union OBS;
class VORN_Variable;
struct ViZNode;

class XVariable {
public:
  // A handle on no variable: every operation does nothing (a template without the variable
  // simply does not show what would have been set on it).
  XVariable() = default;
  explicit XVariable(ViZNode* node) : fNode(node) {}

  bool exists() const { return fNode != nullptr; }

  // Attaches the dictionary variable: its name, whether it is a string, and its preferred label as
  // the variable's label.
  void setVORNVariable(const VORN_Variable& variable);
  // Shows the variable's numbers in the dictionary variable's print format (dates as dates).
  void setFormatBasedOnVORNVariable(const VORN_Variable& variable);
  void setLabel(const ChartString& label);
  void setCategorical(bool categorical);
  // A text written before every number the variable shows; null removes it.
  void SetFormatPrefix(const char16_t* prefix);
  // Numbers with `decimals` decimals, thousands separators when `grouping`, and the texts before
  // and after them (null: none).
  void SetNumberFormat(unsigned long decimals, bool grouping, const char16_t* prefix,
                       const char16_t* suffix);

  // The value shown under `key` (its text, or its number when both read as numbers) takes `label`.
  void addRelabel(const ChartString& key, const ChartString& label);
  // The same with the label being an observed value: its text for a string variable attached by
  // setVORNVariable, else its number.
  void addRelabel(const ChartString& key, const OBS& value);
  // The value whose key is the integer `index` takes `label`.
  void addRelabel(int index, const ChartString& label);

private:
  ViZNode* fNode = nullptr;
};
