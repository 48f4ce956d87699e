// A line guide: a line across a graph at a value of x or y, with an optional label.
#pragma once

#include "chart/ViZElement.h"
#include "chart/ViZLabel.h"
#include "chart/ViZStyle.h"

class ViZLineGuide : public ViZElement {
public:
  using ViZElement::ViZElement;

  // The value as text: a number, or a date or duration the grammar reads.
  void setX(const ChartString& value);
  void setY(const ChartString& value);
  void setStyle(const ViZStyle& style);
  // The guide's label, made when there is none.
  ViZLabel getLabel();
};
