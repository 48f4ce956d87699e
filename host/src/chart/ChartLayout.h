// Places graphs and label frames in the chart frame by their locations (fixed, size to content,
// same as, attached to a target), and draws label frames.
#pragma once

#include "ChartCanvas.h"

#include <map>
#include <string>

struct ViZNode;

class ChartLayout {
public:
  // `frame` is the chart's size; `boxes` holds the boxes of graphs and frames placed so far, by
  // id, for locations that name a target.
  explicit ChartLayout(const ChartRect& frame) : fFrame(frame) {}

  // The box of a graph: its locations over `available` (a side no location fixes stays where
  // `available` has it).
  ChartRect PlaceGraph(const ViZNode& graph, const ChartRect& available);
  // Draws every label frame of the document; `plot` is the first graph's plot area, where a
  // frame without locations goes (its top right corner).
  void DrawLabelFrames(ChartCanvas& canvas, const ChartRect& plot);

  void Remember(const ViZNode& node, const ChartRect& box);

private:
  ChartRect Place(const ViZNode& node, const ChartRect& fallback, double contentWidth,
                  double contentHeight, bool stretch) const;

  ChartRect fFrame;
  std::map<std::string, ChartRect> fBoxes;
};
