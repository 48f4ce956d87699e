// A legend target: the aesthetic whose categories a legend lists.
#pragma once

#include "chart/ViZElement.h"

class ViZLegendTarget : public ViZElement {
public:
  using ViZElement::ViZElement;

  // A colour, pattern or dash aesthetic (given an id when it has none).
  void setTarget(const ViZElement& aesthetic);
};
