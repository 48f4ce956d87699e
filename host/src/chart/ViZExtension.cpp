// An extension's legend order, and what it tells about the chart's subtitle.
#include "chart/ViZExtension.h"

#include "ViZEdit.h"
#include "ViZNode.h"

#include "chart/ChartError.h"

bool ViZExtension::hasSubtitle() const {
  const ViZNode* subtitle = node().Root().FirstChild("subtitle");
  return subtitle != nullptr &&
         JoinedTexts(*subtitle).find_first_not_of(" \t\r\n") != std::string::npos;
}

void ViZExtension::setLegend(int index, const ViZLegend& legend) {
  if (index < 0)
    throw ChartError("a legend position cannot be negative (" + std::to_string(index) + ")");
  const std::string id = EnsureNodeId(legend.node());
  ViZNode& extension = node();
  std::vector<ViZNode*> refs = extension.Children("legendRef");
  // Positions past the last are taken by the next free one: the order is what matters.
  ViZNode& ref = static_cast<std::size_t>(index) < refs.size()
                     ? *refs[static_cast<std::size_t>(index)]
                     : extension.AddChild("legendRef");
  ref.SetAttribute("legend", id);
}
