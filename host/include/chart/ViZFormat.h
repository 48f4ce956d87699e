// The format of a variable: number decimals, prefix and suffix, and relabellings of its values.
#pragma once

#include "chart/ViZElement.h"

class ViZFormat : public ViZElement {
public:
  using ViZElement::ViZElement;

  // The value whose text is `key` (or whose number equals it) is shown as `label`.
  void addRelabel(const ChartString& key, const ChartString& label);
  // The category at `index` (from 0) of the variable's category order is shown as `label`.
  void addRelabelAt(int index, const ChartString& label);
  void setPrefix(const ChartString& prefix);
  void setSuffix(const ChartString& suffix);
  void setDecimals(int decimals);
  void setGrouping(bool grouping);
};
