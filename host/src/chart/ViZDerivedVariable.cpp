// A derived variable's origin and format.
#include "chart/ViZDerivedVariable.h"

#include "ViZEdit.h"
#include "ViZNode.h"

void ViZDerivedVariable::setValue(const ChartString& variableId) {
  node().SetAttribute("value", variableId.toUTF8());
}

ViZFormat ViZDerivedVariable::addFormat() {
  return ViZFormat(&FirstOrNewChild(node(), "format"));
}
