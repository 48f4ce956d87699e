// Where a source variable's values come from.
#include "chart/ViZSourceVariable.h"

#include "ViZNode.h"

std::string ViZSourceVariable::getSourceName() const {
  return node().AttributeOr("source", "");
}

std::string ViZSourceVariable::getColumnName() const {
  return node().AttributeOr("variable", "");
}
