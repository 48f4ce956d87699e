// A labeling of a graph element: the value of a variable written beside each mark.
#pragma once

#include "chart/ViZElement.h"
#include "chart/ViZSourceVariable.h"

class ViZLabeling : public ViZElement {
public:
  using ViZElement::ViZElement;

  void setVariable(const ViZSourceVariable& variable);
};
