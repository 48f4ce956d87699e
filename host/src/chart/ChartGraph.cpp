// A graph of a chart: laid out in its box (room for axes, titles and facet headings, panels and
// their pixel scales), then drawn part by part in order: per panel its grid, marks, guides and
// axes, then the titles around the graph. The parts never call back into this file.
#include "ChartGraph.h"

#include "FontMetrics.h"
#include "GraphAxes.h"
#include "GraphGuides.h"
#include "GraphMarks.h"
#include "GraphTitles.h"
#include "ViZNode.h"

#include <algorithm>
#include <cmath>

namespace {

// The least room between a tick label and the chart's edge.
constexpr double kEdgeRoom = 2;

} // namespace

ChartGraph::ChartGraph(ChartCanvas& canvas, const ViZNode& graph)
    : fModel(canvas, graph), fScales(fModel) {}

void ChartGraph::LayOut(const ChartRect& box) {
  GraphModel& graph = fModel;
  const FontMetrics& metrics = FontMetrics::Instance();
  graph.box = box;
  const double titleHeight = FontMetrics::LineHeight(kTitleFont);
  const bool hasX = !graph.network && graph.visible[0];
  const bool hasY = !graph.network && graph.visible[1];
  double left = box.left + 4, right = box.Right() - 4, top = box.top + 4, bottom = box.Bottom() - 4;
  // A title longer than about its side's length takes two lines (the plot is shorter than the
  // box, the more so upright, where tick labels and titles below take room; what still does not
  // fit ends in an ellipsis).
  for (int dim = 0; dim < 2; ++dim) {
    const double room = std::max(30., dim == 0 ? box.width * 0.8 : box.height * 0.6);
    graph.axisTitleLines[dim] = metrics.Width(graph.axisTitle[dim], kTitleFont) > room ? 2 : 1;
  }
  double yLabelWidth = hasY ? std::min(graph.TickLabelWidth(1), box.width * 0.3) : 0;
  double centreGap = 0;
  if (hasY) {
    if (!graph.axisTitle[1].empty())
      left += titleHeight * graph.axisTitleLines[1] + 2;
    if (graph.alternating && graph.centre && graph.columns >= 2)
      centreGap = yLabelWidth + 2 * kTickLength + 10;
    else
      left += yLabelWidth + kTickLength + 6;
    if (!graph.oppositeTitle[1].empty())
      right -= titleHeight + 2;
    if (graph.alternating && !graph.centre && graph.columns >= 2)
      right -= yLabelWidth + kTickLength + 6;
  }
  if (graph.columnFacet != nullptr) {
    double panelLabelLines = 0;
    if (graph.panelLabel != nullptr)
      for (std::size_t row = 0; row < graph.panelLabel->Rows(); ++row) {
        std::string text = graph.panelLabel->Text(row);
        panelLabelLines = std::max(
            panelLabelLines, 1. + static_cast<double>(std::count(text.begin(), text.end(), '\n')));
        if (row > 4 * kMaxFacetCategories)
          break;
      }
    top += FontMetrics::LineHeight(kHeadingFont) +
           panelLabelLines * FontMetrics::LineHeight(kPanelLabelFont) + 2;
    if (!graph.columnFacetLabel.empty())
      top += titleHeight + 5;
  }
  if (graph.rowFacet != nullptr) {
    right -= FontMetrics::LineHeight(kHeadingFont) + 4;
    if (!graph.rowFacetLabel.empty())
      right -= titleHeight + kFacetLabelGap;
  }
  // Column gaps: the inner gap of a back-to-back pair holds the value axis when it is centred.
  std::vector<double>& gaps = graph.columnGaps;
  gaps.assign(graph.columns > 0 ? graph.columns - 1 : 0, graph.gap);
  for (std::size_t i = 0; i < gaps.size(); ++i)
    if (graph.alternating)
      gaps[i] = i % 2 == 0 ? std::max(graph.gap, centreGap) : std::max(graph.gap, 16.) + 8;
  double gapTotal = 0;
  for (double gap : gaps)
    gapTotal += gap;
  double panelWidth = std::max(10., (right - left - gapTotal) / static_cast<double>(graph.columns));
  if (hasX && !graph.categorical[0] && !graph.scale[0].Ticks().empty()) {
    fScales.FitTicks(panelWidth);
    // The labels of the end ticks stand centred on the axis's ends: wide ones keep inside the
    // chart.
    const std::vector<double>& ticks = graph.scale[0].Ticks();
    const double first = kEdgeRoom + metrics.Width(graph.TickText(0, ticks.front()), kTickFont) / 2;
    const double last = kEdgeRoom + metrics.Width(graph.TickText(0, ticks.back()), kTickFont) / 2;
    if (left < first || right > graph.canvas.width - last) {
      left = std::max(left, first);
      right = std::min(right, graph.canvas.width - last);
      panelWidth = std::max(10., (right - left - gapTotal) / static_cast<double>(graph.columns));
    }
  }

  if (hasX) {
    double labelHeight = FontMetrics::LineHeight(kTickFont);
    if (graph.categorical[0]) {
      const ChartVariable& variable = *graph.axisVariable[0];
      std::size_t count = std::max<std::size_t>(1, variable.CategoryCount());
      double bandWidth = panelWidth / static_cast<double>(count);
      graph.bandLines[0].clear();
      graph.bandRotated[0] = false;
      double widest = 0;
      std::size_t lines = 1;
      for (std::size_t i = 0; i < variable.CategoryCount(); ++i) {
        std::string text = variable.CategoryText(i);
        graph.bandLines[0].push_back(metrics.Wrap(text, kTickFont, false, bandWidth - 4, 3));
        for (const std::string& line : graph.bandLines[0].back()) {
          double width = metrics.Width(line, kTickFont);
          widest = std::max(widest, width);
          graph.bandRotated[0] = graph.bandRotated[0] || width > bandWidth - 2;
        }
        lines = std::max(lines, graph.bandLines[0].back().size());
      }
      if (graph.bandRotated[0]) {
        widest = 0;
        for (auto& wrapped : graph.bandLines[0]) {
          std::string joined;
          for (const std::string& line : wrapped)
            joined += (joined.empty() ? "" : " ") + line;
          wrapped = metrics.Wrap(joined, kTickFont, false, box.height * 0.3 / 0.71, 1);
          widest = std::max(widest, metrics.Width(wrapped.front(), kTickFont));
        }
        labelHeight = widest * 0.71 + kTickFont;
      } else {
        labelHeight = static_cast<double>(lines) * FontMetrics::LineHeight(kTickFont);
      }
    }
    graph.bandLabelExtent[0] = labelHeight;
    bottom -= kTickLength + 3 + labelHeight;
    if (!graph.axisTitle[0].empty())
      bottom -= titleHeight * graph.axisTitleLines[0] + 2;
  }
  double rowGap = graph.rowFacet != nullptr ? std::max(graph.gap, 8.) : 0;
  double panelHeight =
      std::max(10., (bottom - top - rowGap * static_cast<double>(graph.rowsOfPanels - 1)) /
                        static_cast<double>(graph.rowsOfPanels));

  graph.plot = {left, top, right - left,
                panelHeight * static_cast<double>(graph.rowsOfPanels) +
                    rowGap * static_cast<double>(graph.rowsOfPanels - 1)};
  for (GraphPanel& panel : graph.panels) {
    std::size_t c = panel.column < 0 ? 0 : static_cast<std::size_t>(panel.column);
    std::size_t r = panel.row < 0 ? 0 : static_cast<std::size_t>(panel.row);
    double x = left;
    for (std::size_t i = 0; i < c; ++i)
      x += panelWidth + gaps[i];
    panel.rect = {x, top + static_cast<double>(r) * (panelHeight + rowGap), panelWidth,
                  panelHeight};
    bool reverse[2];
    for (int dim = 0; dim < 2; ++dim) {
      bool hasMeasure = graph.measure[0] || graph.measure[1];
      reverse[dim] =
          graph.scale[dim].Reversed() != (graph.invert && hasMeasure && !graph.measure[dim]);
      if (graph.alternating && graph.measure[dim] && graph.columns >= 2 && c % 2 == 0)
        reverse[dim] = !reverse[dim];
    }
    panel.x = graph.scale[0];
    panel.y = graph.scale[1];
    panel.x.SetPixels(panel.rect.left, panel.rect.Right(), reverse[0]);
    panel.y.SetPixels(panel.rect.Bottom(), panel.rect.top, reverse[1]);
    std::size_t xCount = graph.categorical[0] ? graph.axisVariable[0]->CategoryCount() : 0;
    std::size_t yCount = graph.categorical[1] ? graph.axisVariable[1]->CategoryCount() : 0;
    panel.xBand.Set(xCount, panel.rect.left, panel.rect.Right(), reverse[0]);
    panel.yBand.Set(yCount, panel.rect.top, panel.rect.Bottom(), reverse[1]);
  }
}

void ChartGraph::DrawPanel(const GraphPanel& panel) {
  GraphModel& graph = fModel;
  SvgWriter& svg = graph.canvas.Svg();
  std::string clip = graph.canvas.NewId("clip");
  svg.Definitions() += "<clipPath id=\"" + SvgWriter::Escape(clip) + "\"><rect x=\"" +
                       SvgWriter::Number(panel.rect.left - 1) + "\" y=\"" +
                       SvgWriter::Number(panel.rect.top - 1) + "\" width=\"" +
                       SvgWriter::Number(panel.rect.width + 2) + "\" height=\"" +
                       SvgWriter::Number(panel.rect.height + 2) + "\"/></clipPath>\n";
  const GraphElement* edges = nullptr;
  for (const GraphElement& element : graph.elements)
    if (element.kind == "edge" && edges == nullptr)
      edges = &element;
  svg.Start("g").Attr("clip-path", "url(#" + clip + ")").EndStart();
  for (const GraphElement& element : graph.elements) {
    if (element.kind == "interval")
      DrawBars(graph, element, panel);
    else if ((element.kind == "line" || element.kind == "area") && element.statistic != nullptr)
      DrawCurve(graph, element, panel);
    else if (element.kind == "line" || element.kind == "area")
      DrawLines(graph, element, panel);
    else if (element.kind == "point")
      DrawPoints(graph, element, panel);
    else if (element.kind == "schema")
      DrawBoxPlots(graph, element, panel);
  }
  svg.Close("g");
  for (const GraphElement& element : graph.elements) {
    if (element.kind == "node")
      DrawNetwork(graph, element, edges, panel);
    else if (element.kind == "textMark")
      DrawCellTexts(graph, element, panel);
  }
  DrawGuides(graph, panel);
}

bool ChartGraph::TextOnly(const GraphPanel& panel) const {
  bool texts = false;
  std::vector<GraphBar> bars;
  for (const GraphElement& element : fModel.elements) {
    if (element.kind == "textMark") {
      texts = true;
    } else if (element.kind == "interval") {
      fModel.ComputeBars(element, panel, bars);
      if (!bars.empty())
        return false;
    } else {
      return false;
    }
  }
  return texts;
}

void ChartGraph::Draw(const ChartRect& box) {
  LayOut(box);
  GraphModel& graph = fModel;
  SvgWriter& svg = graph.canvas.Svg();
  svg.Start("g").Attr("class", "graph");
  if (const std::string* id = graph.node.Attribute("id"))
    svg.Attr("data-graph", *id);
  svg.EndStart();
  for (const GraphPanel& panel : graph.panels) {
    svg.Start("g").Attr("class", "panel").EndStart();
    const bool textOnly = TextOnly(panel);
    if (!textOnly)
      DrawGrid(graph, panel);
    DrawPanel(panel);
    std::size_t row = panel.row < 0 ? 0 : static_cast<std::size_t>(panel.row);
    // Value labels stay in the first column: the panels share their scale, so a row whose first
    // panel is text alone reads it from the rows below, and labels moved into the gap of the next
    // panel would run into the texts beside them.
    const bool first = panel.column <= 0;
    if (!textOnly)
      DrawAxes(graph, panel, first, row + 1 == graph.rowsOfPanels);
    svg.Close("g");
  }
  DrawGraphTitles(graph);
  svg.Close("g");
}
