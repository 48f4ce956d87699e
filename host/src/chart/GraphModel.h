// One graph of a chart resolved against its data: its elements, axes, facets and panels, the
// scales they share and, once laid out, where everything goes. Built and laid out by ChartGraph;
// every part of the graph's drawing (axes, marks, guides, titles) reads it.
#pragma once

#include "ChartCanvas.h"
#include "ChartDistribution.h"
#include "ChartScale.h"

#include <string>
#include <vector>

struct ViZNode;

// Sizes and limits the parts of a graph's drawing share.
inline constexpr double kTickFont = 11;
inline constexpr double kTitleFont = 12;
inline constexpr double kHeadingFont = 11;
inline constexpr double kPanelLabelFont = 10;
inline constexpr double kTickLength = 4;
inline constexpr const char* kInk = "#333333";
inline constexpr std::size_t kMaxFacetCategories = 12;
inline constexpr std::size_t kMaxBandLabels = 60;
// The room between the row headings and the row facet's title beyond them.
inline constexpr double kFacetLabelGap = 8;

// An element of a graph with what the drawing reads from it.
struct GraphElement {
  const ViZNode* node = nullptr;
  std::string kind; // interval, line, area, point, schema, edge, node, textMark
  ChartStyle style;
  const ChartVariable* x = nullptr;
  const ChartVariable* y = nullptr;
  const ChartVariable* color = nullptr;
  const ChartVariable* pattern = nullptr;
  const ChartVariable* dash = nullptr;
  const ChartVariable* labeling = nullptr;
  const ChartVariable* value = nullptr; // node, textMark
  const ChartVariable* from = nullptr;  // edge
  const ChartVariable* to = nullptr;
  const ViZNode* labelingNode = nullptr;
  std::vector<std::string> palette;
  bool horizontal = false;
  bool binned = false;
  bool stack = false;
  bool dodge = false;
  std::string summary;  // sum, mean, count, or empty
  double binWidth = 1;  // the gap between bin centres (binStatistic), or of positions
  std::string source;   // the data source of its variables
  std::size_t rows = 0; // rows of that source
  ChartDistribution distribution;
  const ViZNode* statistic = nullptr; // its distributionStatistic
};

// A panel of a faceted graph (the only one without facets) and its scales in pixels.
struct GraphPanel {
  int column = -1; // category of the column facet, or -1
  int row = -1;
  ChartRect rect;
  ChartScale x;
  ChartScale y;
  BandScale xBand;
  BandScale yBand;
};

// A bar in data units: its position (a number, or a category index on a band) and its measure
// from v0 to v1.
struct GraphBar {
  double position = 0;
  double half = 0; // half its width in data units (continuous positions)
  double v0 = 0;
  double v1 = 0;
  int group = -1; // colour category
  int patternGroup = -1;
  std::size_t row = 0; // its first row: tooltips and labels
};

struct GraphModel {
  // Reads the graph's elements, axes and facets; the scales are still empty.
  GraphModel(ChartCanvas& canvas, const ViZNode& graph);

  bool InPanel(const GraphElement& element, std::size_t row, const GraphPanel& panel) const;
  // The bars of an interval element in a panel: summarised and stacked as the element asks.
  void ComputeBars(const GraphElement& element, const GraphPanel& panel,
                   std::vector<GraphBar>& bars) const;
  // What a distribution curve's density is multiplied by to stand over the panel's histogram.
  double CurveScale(const GraphElement& element, const GraphPanel& panel) const;
  // The pixel place of a value (a category index on a band) along a dimension of a panel.
  double Place(const GraphPanel& panel, int dim, double value, bool band) const;
  // The pixel positions of the panel's vertical guide lines, left to right: labels keep off them.
  std::vector<double> VerticalGuides(const GraphPanel& panel) const;
  // The label of a tick of a continuous axis, and the widest label of a dimension's ticks or
  // categories.
  std::string TickText(int dim, double value) const;
  double TickLabelWidth(int dim) const;

  ChartCanvas& canvas;
  const ViZNode& node;
  std::vector<GraphElement> elements;
  bool network = false;
  const ChartVariable* axisVariable[2] = {nullptr, nullptr};
  bool categorical[2] = {false, false};
  bool visible[2] = {true, true};
  std::string axisTitle[2];
  // The lines an axis title takes (1 or 2): a title too long for its side wraps once rather than
  // losing its end, which a printed figure cannot show in a tooltip.
  int axisTitleLines[2] = {1, 1};
  std::string oppositeTitle[2];
  bool measure[2] = {false, false}; // the dimension bars grow along
  ChartScale scale[2];
  const ChartVariable* columnFacet = nullptr;
  const ChartVariable* rowFacet = nullptr;
  std::string columnFacetLabel;
  std::string rowFacetLabel;
  const ChartVariable* panelLabel = nullptr;
  bool alternating = false;
  bool centre = false; // value-axis labels once, in the gap of a back-to-back pair
  bool invert = false;
  double gap = 0;
  std::vector<GraphPanel> panels;
  std::size_t columns = 1;
  std::size_t rowsOfPanels = 1;

  // Set by the layout.
  std::vector<double> columnGaps; // between column i and i + 1
  ChartRect box;
  ChartRect plot;
  // Categorical tick labels: lines per category, or turned 45 degrees.
  std::vector<std::vector<std::string>> bandLines[2];
  bool bandRotated[2] = {false, false};
  double bandLabelExtent[2] = {0, 0};

private:
  void ReadElements();
  void ReadFacets();
};
