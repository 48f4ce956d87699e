// The edits views make on the whole chart: graphs, styles, frames, variables, legends, extensions.
#include "chart/ViZVisualization.h"

#include "ViZEdit.h"
#include "ViZNode.h"

std::size_t ViZVisualization::getGraphCount() const {
  return node().Children("graph").size();
}

ViZGraph ViZVisualization::getGraph(std::size_t index) const {
  const std::vector<ViZNode*> graphs = node().Children("graph");
  return index < graphs.size() ? ViZGraph(graphs[index]) : ViZGraph();
}

ViZStyle ViZVisualization::addStyle() {
  return ViZStyle(&node().AddChild("style"));
}

ViZLabelFrame ViZVisualization::addLabelFrame() {
  return ViZLabelFrame(&node().AddChild("labelFrame"));
}

std::vector<ViZSourceVariable> ViZVisualization::getSourceVariables() const {
  std::vector<ViZSourceVariable> variables;
  for (const auto& child : node().children)
    if (child->name == "sourceVariable" || child->name == "derivedVariable")
      variables.emplace_back(child.get());
  return variables;
}

ViZDerivedVariable ViZVisualization::addDerivedVariable() {
  return ViZDerivedVariable(&node().AddChild("derivedVariable"));
}

std::vector<ViZLegend> ViZVisualization::getLegends() const {
  std::vector<ViZLegend> legends;
  for (ViZNode* legend : node().Children("legend"))
    legends.emplace_back(legend);
  return legends;
}

ViZLegend ViZVisualization::addLegend() {
  return ViZLegend(&node().AddChild("legend"));
}

ViZExtension ViZVisualization::getExtension() {
  return ViZExtension(&FirstOrNewChild(node(), "extension"));
}

ViZExtension ViZVisualization::addExtension() {
  return ViZExtension(&node().AddChild("extension"));
}
