// What views add to a graph element: labelings and colour aesthetics.
#include "chart/ViZSchemaElement.h"

#include "ViZNode.h"

ViZLabeling ViZSchemaElement::addLabeling() {
  return ViZLabeling(&node().AddChild("labeling"));
}

ViZColorAesthetic ViZSchemaElement::addColorAesthetic() {
  return ViZColorAesthetic(&node().AddChild("color"));
}
