// The base of the ViZ* handles, and the tree edits they share.
#include "chart/ViZElement.h"

#include "ViZEdit.h"
#include "ViZNode.h"

#include "chart/ChartError.h"

std::string EnsureNodeId(ViZNode& node) {
  const std::string* id = node.Attribute("id");
  if (id != nullptr && !id->empty())
    return *id;
  ViZNode& root = node.Root();
  for (unsigned long n = 1;; ++n) {
    std::string candidate = node.name + std::to_string(n);
    if (root.FindById(candidate) == nullptr) {
      node.SetAttribute("id", candidate);
      return candidate;
    }
  }
}

ViZNode& FirstOrNewChild(ViZNode& node, std::string_view childName) {
  ViZNode* child = node.FirstChild(childName);
  return child != nullptr ? *child : node.AddChild(std::string(childName));
}

const char* BooleanText(bool value) {
  return value ? "true" : "false";
}

std::string NumberText(double value) {
  return ChartString().assignDouble(value, 0).toUTF8();
}

std::string JoinedTexts(const ViZNode& holder) {
  std::string joined;
  bool first = true;
  for (const ViZNode* text : holder.Children("text")) {
    if (!first)
      joined += '\n';
    joined += text->text;
    first = false;
  }
  return joined;
}

std::string ViZElement::getElementName() const {
  return node().name;
}

ChartString ViZElement::getId() const {
  return ChartString(node().AttributeOr("id", "").c_str());
}

void ViZElement::setId(const ChartString& id) {
  node().SetAttribute("id", id.toUTF8());
}

ViZNode& ViZElement::node() const {
  if (fNode == nullptr)
    throw ChartError("a chart element was used that the chart does not have");
  return *fNode;
}

std::string ViZElement::ensureId() const {
  return EnsureNodeId(node());
}
