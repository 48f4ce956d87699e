// The aesthetic a legend target points at.
#include "chart/ViZLegendTarget.h"

#include "ViZEdit.h"
#include "ViZNode.h"

void ViZLegendTarget::setTarget(const ViZElement& aesthetic) {
  node().SetAttribute("target", EnsureNodeId(aesthetic.node()));
}
