// A label frame's locations, label and style.
#include "chart/ViZLabelFrame.h"

#include "ViZEdit.h"
#include "ViZNode.h"

ViZLocation ViZLabelFrame::addLocation() {
  return ViZLocation(&node().AddChild("location"));
}

ViZLabel ViZLabelFrame::getLabel() {
  return ViZLabel(&FirstOrNewChild(node(), "label"));
}

void ViZLabelFrame::setStyle(const ViZStyle& style) {
  node().SetAttribute("style", EnsureNodeId(style.node()));
}
