// A legend's targets and label.
#include "chart/ViZLegend.h"

#include "ViZNode.h"

ViZLegendTarget ViZLegend::addLegendTarget() {
  return ViZLegendTarget(&node().AddChild("legendTarget"));
}

ViZLabel ViZLegend::addLabel() {
  return ViZLabel(&node().AddChild("label"));
}
