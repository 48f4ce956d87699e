// The external graph of a chart document: the chart's texts, its variables by name and its frame.
// Owned by its XDocument.
#pragma once

#include "chart/ChartString.h"
#include "chart/XVariable.h"

struct ViZNode;

class XGraph {
public:
  explicit XGraph(ViZNode& root) : fRoot(root) {}

  // The chart's title, subtitle and third text (drawn under the graph). Null or empty removes it.
  void setTitle(const char16_t* text);
  void setSubtitle(const char16_t* text);
  void setThirdText(const char16_t* text);

  // The source or derived variable with the id `name`; a handle on no variable when the chart has
  // none of that name. `reserved` must be 0.
  XVariable getVariable(const ChartString& name, int reserved = 0);

  // The outer frame in frame units (1.0 = 320 pixels); the default is 2.0 wide, 1.5 high. Values
  // outside 0.25 to 10 are brought into that range.
  void setOuterFrameWidth(double width);
  void setOuterFrameHeight(double height);

private:
  ViZNode& fRoot;
};
