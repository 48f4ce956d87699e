// One graph of a chart: its elements resolved against the data, the scales they share, the
// panels of its facets, and its axes. Draws into the chart's canvas inside a box of the frame.
#pragma once

#include "ChartCanvas.h"
#include "ChartDistribution.h"
#include "ChartScale.h"

#include <string>
#include <vector>

struct ViZNode;

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

class ChartGraph {
public:
  ChartGraph(ChartCanvas& canvas, const ViZNode& graph);

  // Lays the graph out in `box` (axes, titles and facet labels included) and draws it.
  void Draw(const ChartRect& box);
  // The area of the panels (without axes), once drawn.
  const ChartRect& PlotArea() const { return fPlot; }

private:
  // Resolution and scales (ChartGraph.cpp).
  void ReadElements();
  void ReadFacets();
  void SettleScales();
  // Settles a dimension's scale from the extent its data gave, with at most `maxTicks` ticks;
  // over exactly [domain[0], domain[1]] when `domain` is given.
  void SettleScale(int dim, int maxTicks, const double* domain = nullptr);
  // Fewer ticks on a continuous x axis when their labels would crowd `length` pixels.
  void FitTicks(double length);
  bool InPanel(const GraphElement& element, std::size_t row, const GraphPanel& panel) const;
  void ComputeBars(const GraphElement& element, const GraphPanel& panel,
                   std::vector<GraphBar>& bars) const;
  double CurveScale(const GraphElement& element, const GraphPanel& panel) const;

  // Layout and axes (ChartGraph.cpp).
  void LayOut(const ChartRect& box);
  double TickLabelWidth(int dim) const;
  std::string TickText(int dim, double value) const;
  void DrawAxes(const GraphPanel& panel, bool first, bool last, bool bottomRow);
  void DrawContinuousAxis(const GraphPanel& panel, int dim, int side);
  void DrawBandAxis(const GraphPanel& panel, int dim, int side);
  void DrawGrid(const GraphPanel& panel);
  void DrawTitlesAndHeadings();

  // Marks (ChartMarks.cpp).
  void DrawPanel(const GraphPanel& panel);
  void DrawIntervals(const GraphElement& element, const GraphPanel& panel);
  void DrawLine(const GraphElement& element, const GraphPanel& panel);
  void DrawCurve(const GraphElement& element, const GraphPanel& panel);
  void DrawPoints(const GraphElement& element, const GraphPanel& panel);
  void DrawSchema(const GraphElement& element, const GraphPanel& panel);
  void DrawNetwork(const GraphElement& nodes, const GraphElement* edges, const GraphPanel& panel);
  void DrawTextMark(const GraphElement& element, const GraphPanel& panel);
  void DrawGuides(const GraphPanel& panel);
  // The pixel positions of the panel's vertical guide lines, left to right: labels keep off them.
  std::vector<double> VerticalGuides(const GraphPanel& panel) const;
  void DrawValueLabel(const GraphElement& element, std::size_t row, double x, double y,
                      const char* anchor);
  double Place(const GraphPanel& panel, int dim, double value, bool band) const;
  std::string FillOf(const GraphElement& element, std::size_t row, int group);

  ChartCanvas& fCanvas;
  const ViZNode& fGraph;
  std::vector<GraphElement> fElements;
  bool fNetwork = false;
  const ChartVariable* fAxisVariable[2] = {nullptr, nullptr};
  bool fCategorical[2] = {false, false};
  bool fVisible[2] = {true, true};
  std::string fAxisTitle[2];
  std::string fOppositeTitle[2];
  bool fMeasure[2] = {false, false}; // the dimension bars grow along
  ChartScale fScale[2];
  // What settling a scale starts from: the data's extent and the axis's demands.
  struct SettleInput {
    ChartScale extent;
    bool includeZero = false;
    double fixedLow = 0, fixedHigh = 0; // NaN when not fixed
    bool reverse = false;
  } fSettle[2];
  const ChartVariable* fColumnFacet = nullptr;
  const ChartVariable* fRowFacet = nullptr;
  std::string fColumnFacetLabel;
  std::string fRowFacetLabel;
  const ChartVariable* fPanelLabel = nullptr;
  bool fAlternating = false;
  bool fCentre = false; // value-axis labels once, in the gap of a back-to-back pair
  bool fInvert = false;
  double fGap = 0;
  std::vector<GraphPanel> fPanels;
  std::vector<double> fColumnGaps; // between column i and i + 1
  std::size_t fColumns = 1;
  std::size_t fRowsOfPanels = 1;
  ChartRect fBox;
  ChartRect fPlot;
  // Categorical tick labels: lines per category, or turned 45 degrees.
  std::vector<std::vector<std::string>> fBandLines[2];
  bool fBandRotated[2] = {false, false};
  double fBandLabelExtent[2] = {0, 0};
};
