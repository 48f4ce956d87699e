// A text of a label: its character data; a line feed starts a new line.
#pragma once

#include "chart/ViZElement.h"

class ViZText : public ViZElement {
public:
  using ViZElement::ViZElement;

  void setText(const ChartString& text);
  ChartString getText() const;
};
