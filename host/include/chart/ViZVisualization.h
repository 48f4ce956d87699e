// The root of a chart document's element tree, for the edits views make after the document is made.
#pragma once

#include "chart/ViZDerivedVariable.h"
#include "chart/ViZElement.h"
#include "chart/ViZExtension.h"
#include "chart/ViZGraph.h"
#include "chart/ViZLabelFrame.h"
#include "chart/ViZLegend.h"
#include "chart/ViZSourceVariable.h"
#include "chart/ViZStyle.h"

#include <cstddef>
#include <vector>

class ViZVisualization : public ViZElement {
public:
  using ViZElement::ViZElement;

  std::size_t getGraphCount() const;
  // An index past the last gives an invalid handle.
  ViZGraph getGraph(std::size_t index) const;

  ViZStyle addStyle();
  ViZLabelFrame addLabelFrame();
  // Source and derived variables, in document order.
  std::vector<ViZSourceVariable> getSourceVariables() const;
  ViZDerivedVariable addDerivedVariable();
  std::vector<ViZLegend> getLegends() const;
  ViZLegend addLegend();
  // The first extension, made when there is none.
  ViZExtension getExtension();
  ViZExtension addExtension();
};
