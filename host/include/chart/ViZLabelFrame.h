// A label frame: a box of text placed by its locations.
#pragma once

#include "chart/ViZElement.h"
#include "chart/ViZLabel.h"
#include "chart/ViZLocation.h"
#include "chart/ViZStyle.h"

class ViZLabelFrame : public ViZElement {
public:
  using ViZElement::ViZElement;

  ViZLocation addLocation();
  // The frame's label, made when there is none.
  ViZLabel getLabel();
  void setStyle(const ViZStyle& style);
};
