// The variable whose categories colour a graph element's marks.
#include "chart/ViZColorAesthetic.h"

#include "ViZEdit.h"
#include "ViZNode.h"

void ViZColorAesthetic::setVariable(const ViZSourceVariable& variable) {
  node().SetAttribute("variable", EnsureNodeId(variable.node()));
}
