// An element of a graph: bars, lines, areas, points, boxes, nodes, edges or texts.
#pragma once

#include "chart/ViZColorAesthetic.h"
#include "chart/ViZElement.h"
#include "chart/ViZLabeling.h"

class ViZSchemaElement : public ViZElement {
public:
  using ViZElement::ViZElement;

  ViZLabeling addLabeling();
  ViZColorAesthetic addColorAesthetic();
};
