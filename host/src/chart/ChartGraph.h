// One graph of a chart: its elements resolved against the data (GraphModel), the scales they share
// (GraphScales), laid out in a box of the frame and drawn into the chart's canvas.
#pragma once

#include "GraphModel.h"
#include "GraphScales.h"

struct ViZNode;

class ChartGraph {
public:
  ChartGraph(ChartCanvas& canvas, const ViZNode& graph);

  // Lays the graph out in `box` (axes, titles and facet labels included) and draws it.
  void Draw(const ChartRect& box);
  // The area of the panels (without axes), once drawn.
  const ChartRect& PlotArea() const { return fModel.plot; }

private:
  void LayOut(const ChartRect& box);
  // The marks of the panel's elements in their order, clipped to the panel, then the networks
  // and cell texts over them, then the guides over everything.
  void DrawPanel(const GraphPanel& panel);
  // A panel that holds texts and no bars (a crosstab's diagonal cell): its axes and grid would
  // measure nothing, so it gets none.
  bool TextOnly(const GraphPanel& panel) const;

  GraphModel fModel;
  GraphScales fScales;
};
