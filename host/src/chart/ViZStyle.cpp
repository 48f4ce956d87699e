// Style edits: colours, font weight and visibility as attributes of a style element.
#include "chart/ViZStyle.h"

#include "ViZEdit.h"
#include "ViZNode.h"

#include "chart/ChartError.h"

void ViZStyle::setColor(const ChartString& color) {
  node().SetAttribute("color", color.toUTF8());
}

void ViZStyle::setFill(const ChartString& color) {
  node().SetAttribute("fill", color.toUTF8());
}

void ViZStyle::setStroke(const ChartString& color) {
  node().SetAttribute("stroke", color.toUTF8());
}

void ViZStyle::setStrokeWidth(double width) {
  if (!(width >= 0))
    throw ChartError("a stroke width must be a number of pixels, not negative");
  ChartString text;
  text.assignDouble(width, 6);
  node().SetAttribute("strokeWidth", text.toUTF8());
}

void ViZStyle::setDash(const ChartString& dash) {
  node().SetAttribute("dash", dash.toUTF8());
}

void ViZStyle::setFontWeight(int weight) {
  if (weight < kFontNormal || weight > kFontBold)
    throw ChartError("a font weight must be 0 to 2, not " + std::to_string(weight));
  node().SetAttribute("fontWeight", std::to_string(weight));
}

void ViZStyle::setVisible(bool visible) {
  node().SetAttribute("visible", BooleanText(visible));
}
