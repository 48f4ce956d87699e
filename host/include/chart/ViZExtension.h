// An extension of a chart: what views add beyond the graph (the order of legends), and whether the
// chart carries a subtitle.
#pragma once

#include "chart/ViZElement.h"
#include "chart/ViZLegend.h"

class ViZExtension : public ViZElement {
public:
  using ViZElement::ViZElement;

  // True when the chart has a non-empty subtitle.
  bool hasSubtitle() const;
  // Makes `legend` the extension's legend number `index` (from 0), placing it before the legends
  // the extension does not name.
  void setLegend(int index, const ViZLegend& legend);
};
