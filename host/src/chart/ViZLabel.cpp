// A label's texts and style.
#include "chart/ViZLabel.h"

#include "ViZEdit.h"
#include "ViZNode.h"

ViZText ViZLabel::addText() {
  return ViZText(&node().AddChild("text"));
}

ViZText ViZLabel::getText() {
  return ViZText(&FirstOrNewChild(node(), "text"));
}

void ViZLabel::setStyle(const ViZStyle& style) {
  node().SetAttribute("style", EnsureNodeId(style.node()));
}
