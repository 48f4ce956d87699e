// A colour aesthetic of a graph element: its marks coloured by the categories of a variable.
#pragma once

#include "chart/ViZElement.h"
#include "chart/ViZSourceVariable.h"

class ViZColorAesthetic : public ViZElement {
public:
  using ViZElement::ViZElement;

  void setVariable(const ViZSourceVariable& variable);
};
