// The variable a labeling writes beside each mark.
#include "chart/ViZLabeling.h"

#include "ViZEdit.h"
#include "ViZNode.h"

void ViZLabeling::setVariable(const ViZSourceVariable& variable) {
  node().SetAttribute("variable", EnsureNodeId(variable.node()));
}
