// A graph's guides, locations and elements.
#include "chart/ViZGraph.h"

#include "ViZEdit.h"
#include "ViZNode.h"

#include <algorithm>
#include <string_view>

namespace {

bool IsGraphElement(const std::string& name) {
  static constexpr std::string_view kElements[] = {"interval", "line", "area", "point",
                                                   "schema",   "node", "edge", "textMark"};
  return std::find(std::begin(kElements), std::end(kElements), name) != std::end(kElements);
}

} // namespace

ViZLineGuide ViZGraph::addLineGuide() {
  return ViZLineGuide(&node().AddChild("lineGuide"));
}

ViZLocation ViZGraph::getLocation(int part) {
  const char* partName = ViZLocationPartName(part);
  ViZNode& graph = node();
  for (ViZNode* location : graph.Children("location")) {
    const std::string* existing = location->Attribute("part");
    if (existing != nullptr && *existing == partName)
      return ViZLocation(location);
  }
  // Locations lead the graph's children, as templates write them.
  std::size_t at = 0;
  while (at < graph.children.size() && graph.children[at]->name == "location")
    ++at;
  ViZNode& location = graph.InsertChild(at, "location");
  location.SetAttribute("part", partName);
  location.SetAttribute("method", "fixed");
  return ViZLocation(&location);
}

std::size_t ViZGraph::getSchemaElementCount() const {
  const ViZNode& graph = node();
  return static_cast<std::size_t>(
      std::count_if(graph.children.begin(), graph.children.end(),
                    [](const auto& child) { return IsGraphElement(child->name); }));
}

ViZSchemaElement ViZGraph::getSchemaElement(std::size_t index) const {
  for (const auto& child : node().children) {
    if (!IsGraphElement(child->name))
      continue;
    if (index == 0)
      return ViZSchemaElement(child.get());
    --index;
  }
  return ViZSchemaElement();
}
