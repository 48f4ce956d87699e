// A graph of the chart document: a plot region with its axes, elements, guides and locations.
#pragma once

#include "chart/ViZElement.h"
#include "chart/ViZLineGuide.h"
#include "chart/ViZLocation.h"
#include "chart/ViZSchemaElement.h"

#include <cstddef>

class ViZGraph : public ViZElement {
public:
  using ViZElement::ViZElement;

  ViZLineGuide addLineGuide();
  // The graph's location of a part (ViZLocation::Part), made when there is none.
  ViZLocation getLocation(int part);
  // The graph's elements (interval, line, area, point, schema, node, edge, textMark) in document
  // order; an index past the last gives an invalid handle.
  std::size_t getSchemaElementCount() const;
  ViZSchemaElement getSchemaElement(std::size_t index) const;
};
