// A line guide's position, style and label. A guide lies along x or along y, never both.
#include "chart/ViZLineGuide.h"

#include "ViZEdit.h"
#include "ViZNode.h"

void ViZLineGuide::setX(const ChartString& value) {
  node().RemoveAttribute("y");
  node().SetAttribute("x", value.toUTF8());
}

void ViZLineGuide::setY(const ChartString& value) {
  node().RemoveAttribute("x");
  node().SetAttribute("y", value.toUTF8());
}

void ViZLineGuide::setStyle(const ViZStyle& style) {
  node().SetAttribute("style", EnsureNodeId(style.node()));
}

ViZLabel ViZLineGuide::getLabel() {
  return ViZLabel(&FirstOrNewChild(node(), "label"));
}
