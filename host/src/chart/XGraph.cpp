// The chart's texts, variables and frame size, written into the visualization element.
#include "chart/XGraph.h"

#include "ViZEdit.h"
#include "ViZNode.h"

#include "proc/CFAssert.h"

#include <algorithm>
#include <cmath>

namespace {

// Titles stand before the graphs, in the order title, subtitle, footnote, as templates write
// them; a text replaces whatever texts the element had.
void SetChartText(ViZNode& root, const char* element, const char16_t* text) {
  ViZNode* holder = root.FirstChild(element);
  if (text == nullptr || *text == 0) {
    if (holder != nullptr) {
      auto& children = root.children;
      children.erase(std::find_if(children.begin(), children.end(),
                                  [&](const auto& child) { return child.get() == holder; }));
    }
    return;
  }
  if (holder == nullptr) {
    std::size_t at = 0;
    while (at < root.children.size() && root.children[at]->name != "graph")
      ++at;
    holder = &root.InsertChild(at, element);
  }
  holder->children.erase(std::remove_if(holder->children.begin(), holder->children.end(),
                                        [](const auto& child) { return child->name == "text"; }),
                         holder->children.end());
  holder->AddChild("text").text = ChartString(text).toUTF8();
}

void SetFrameSize(ViZNode& root, const char* attribute, double size) {
  if (std::isnan(size))
    return;
  root.SetAttribute(attribute, NumberText(std::clamp(size, 0.25, 10.0)));
}

} // namespace

void XGraph::setTitle(const char16_t* text) {
  SetChartText(fRoot, "title", text);
}

void XGraph::setSubtitle(const char16_t* text) {
  SetChartText(fRoot, "subtitle", text);
}

void XGraph::setThirdText(const char16_t* text) {
  SetChartText(fRoot, "footnote", text);
}

XVariable XGraph::getVariable(const ChartString& name, int reserved) {
  CF_ASSERT(reserved == 0, "getVariable", "host/src/chart/XGraph");
  const std::string id = name.toUTF8();
  for (const auto& child : fRoot.children) {
    if (child->name != "sourceVariable" && child->name != "derivedVariable")
      continue;
    const std::string* own = child->Attribute("id");
    if (own != nullptr && *own == id)
      return XVariable(child.get());
  }
  return XVariable();
}

void XGraph::setOuterFrameWidth(double width) {
  SetFrameSize(fRoot, "frameWidth", width);
}

void XGraph::setOuterFrameHeight(double height) {
  SetFrameSize(fRoot, "frameHeight", height);
}
