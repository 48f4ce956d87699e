// A location: where one part (a side or a size) of a graph or label frame stands in the chart
// frame.
#pragma once

#include "chart/ViZElement.h"

class ViZLocation : public ViZElement {
public:
  using ViZElement::ViZElement;

  // The parts and methods of the grammar, numbered as the chart views pass them.
  enum Part { kLeft = 0, kRight = 1, kTop = 2, kBottom = 3, kHeight = 4, kWidth = 5 };
  enum Method { kFixed = 0, kSizeToContent = 1, kSame = 2, kAttach = 3 };

  // Throw ChartError for a number outside the enumeration.
  void setPart(int part);
  void setMethod(int method);
  // A percentage of the frame ("80%") or a number of pixels.
  void setValue(const ChartString& value);
  // The graph or label frame this location is relative to (given an id when it has none).
  void setTarget(const ViZElement& target);
  void setSpecifiedByUser(bool specified);
};
