// A style of the chart grammar: colours, lines, font and visibility, referred to by id.
#pragma once

#include "chart/ViZElement.h"

class ViZStyle : public ViZElement {
public:
  using ViZElement::ViZElement;

  // Font weights of the grammar.
  enum FontWeight { kFontNormal = 0, kFontLight = 1, kFontBold = 2 };

  // A colour name ("green", "blue", ... mapped to the chart palette) or "#rrggbb": fill and stroke.
  void setColor(const ChartString& color);
  void setFill(const ChartString& color);
  void setStroke(const ChartString& color);
  // The line's width in pixels, and its dash array ("6 3"; empty: solid).
  void setStrokeWidth(double width);
  void setDash(const ChartString& dash);
  void setFontWeight(int weight);
  void setVisible(bool visible);
};
