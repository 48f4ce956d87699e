// A label: one or more texts (shown one under the other) with an optional style.
#pragma once

#include "chart/ViZElement.h"
#include "chart/ViZStyle.h"
#include "chart/ViZText.h"

class ViZLabel : public ViZElement {
public:
  using ViZElement::ViZElement;

  ViZText addText();
  // The label's first text, made when there is none.
  ViZText getText();
  void setStyle(const ViZStyle& style);
};
