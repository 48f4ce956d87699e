// A legend: the categories of its targets' aesthetics with their swatches, under a label.
#pragma once

#include "chart/ViZElement.h"
#include "chart/ViZLabel.h"
#include "chart/ViZLegendTarget.h"

class ViZLegend : public ViZElement {
public:
  using ViZElement::ViZElement;

  ViZLegendTarget addLegendTarget();
  // A new label; the legend shows its first label as its title.
  ViZLabel addLabel();
};
