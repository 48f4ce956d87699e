// Bars (interval elements): side by side, stacked or dodged, along a band of categories or over a
// continuous axis, with their value labels.
#include "GraphMarks.h"
#include "MarkHelpers.h"

#include <algorithm>
#include <cmath>

namespace {

// The description of a panel's bars: a histogram's range and its highest bar; the values of a
// few categories' bars.
template <typename Name>
void Describe(GraphModel& graph, const GraphElement& element, const GraphPanel& panel,
              const std::vector<GraphBar>& bars, bool band, int positionDim, const Name& barName) {
  // Histograms are described panel by panel; a grid of category panels (a crosstab) by its
  // footnote, not bar by bar.
  if (bars.empty() || graph.panels.size() > (band ? 2 : 12))
    return;
  ChartCanvas& canvas = graph.canvas;
  // A panel of a pair is named by its heading.
  std::string heading;
  if (graph.columnFacet != nullptr && panel.column >= 0)
    heading = graph.columnFacet->CategoryText(static_cast<std::size_t>(panel.column)) + ": ";
  else if (graph.rowFacet != nullptr && panel.row >= 0)
    heading = graph.rowFacet->CategoryText(static_cast<std::size_t>(panel.row)) + ": ";
  const int measureDim = 1 - positionDim;
  if (!band) {
    const GraphBar* highest = &bars.front();
    double low = HUGE_VAL, high = -HUGE_VAL;
    for (const GraphBar& bar : bars) {
      low = std::min(low, bar.position - bar.half);
      high = std::max(high, bar.position + bar.half);
      if (bar.v1 > highest->v1)
        highest = &bar;
    }
    // The highest bar's span, without its colour group: a stack stands for the whole bin.
    GraphBar bin = *highest;
    bin.group = -1;
    canvas.Describe(heading + canvas.Word("Values from") + " " +
                    ValueText(graph, positionDim, low) + " " + canvas.Word("to") + " " +
                    ValueText(graph, positionDim, high) + "; " + canvas.Word("the highest bar") +
                    ", " + barName(bin) + ", " + canvas.Word("holds") + " " +
                    ValueText(graph, measureDim, highest->v1) + ".");
    return;
  }
  if (bars.size() > 24 || element.x == nullptr)
    return;
  std::string text;
  for (const GraphBar& bar : bars)
    text += (text.empty() ? "" : ", ") + barName(bar) + " " +
            ValueText(graph, measureDim, bar.v1 - bar.v0);
  canvas.Describe(heading + text + ".");
}

} // namespace

void DrawBars(GraphModel& graph, const GraphElement& element, const GraphPanel& panel) {
  SvgWriter& svg = graph.canvas.Svg();
  std::vector<GraphBar> bars;
  graph.ComputeBars(element, panel, bars);
  const int positionDim = element.horizontal ? 1 : 0;
  const bool band = graph.categorical[positionDim];
  const BandScale& bandScale = positionDim == 0 ? panel.xBand : panel.yBand;
  const ChartScale& positionScale = positionDim == 0 ? panel.x : panel.y;
  const ChartScale& measureScale = positionDim == 0 ? panel.y : panel.x;
  const ChartVariable* grouping = element.color ? element.color : element.pattern;
  // Bars told apart by the variable that already places them need no room of their own.
  const ChartVariable* position = element.horizontal ? element.y : element.x;
  const double groups = element.dodge && grouping && grouping != position
                            ? std::max<double>(1, static_cast<double>(grouping->CategoryCount()))
                            : 1;
  const std::string stroke = element.style.StrokeOr("#FFFFFF");
  const double strokeWidth = element.style.strokeWidth >= 0 ? element.style.strokeWidth : 0.5;
  svg.Start("g").Attr("class", "interval").Attr("stroke", stroke).Attr("stroke-width", strokeWidth);
  if (element.style.opacity < 1)
    svg.Attr("fill-opacity", element.style.opacity);
  svg.EndStart();
  const int measureDim = 1 - positionDim;
  // What a bar stands for: its category (and colour group), or the span of its bin.
  const auto barName = [&](const GraphBar& bar) {
    std::string name = band ? (position != nullptr && bar.position >= 0
                                   ? position->CategoryText(static_cast<std::size_t>(bar.position))
                                   : std::string())
                            : ValueText(graph, positionDim, bar.position - bar.half) + " " +
                                  graph.canvas.Word("to") + " " +
                                  ValueText(graph, positionDim, bar.position + bar.half);
    if (grouping != nullptr && grouping != position && bar.group >= 0 && element.color != nullptr)
      name += ", " + grouping->CategoryText(static_cast<std::size_t>(bar.group));
    return name;
  };
  for (const GraphBar& bar : bars) {
    double p0, p1;
    if (band) {
      double width = 0.7 * std::fabs(bandScale.Band());
      double center = bandScale.Center(static_cast<std::size_t>(bar.position));
      if (groups > 1) {
        int group = element.color ? bar.group : bar.patternGroup;
        double sub = width / groups;
        center += -width / 2 + (std::max(0, group) + 0.5) * sub;
        width = sub;
      }
      p0 = center - width / 2;
      p1 = center + width / 2;
    } else {
      p0 = positionScale.Map(bar.position - bar.half);
      p1 = positionScale.Map(bar.position + bar.half);
    }
    double m0 = measureScale.Map(bar.v0), m1 = measureScale.Map(bar.v1);
    if (!Finite(p0, p1, m0, m1) || std::fabs(m1 - m0) < 0.01)
      continue;
    double x = positionDim == 0 ? std::min(p0, p1) : std::min(m0, m1);
    double y = positionDim == 0 ? std::min(m0, m1) : std::min(p0, p1);
    double w = positionDim == 0 ? std::fabs(p1 - p0) : std::fabs(m1 - m0);
    double h = positionDim == 0 ? std::fabs(m1 - m0) : std::fabs(p1 - p0);
    graph.canvas.AddMarkBox({x, y, w, h});
    svg.Start("rect")
        .Attr("class", "bar")
        .Attr("x", x)
        .Attr("y", y)
        .Attr("width", w)
        .Attr("height", h)
        .Attr("fill", FillOf(graph.canvas, element, bar.row, bar.group));
    std::string tooltip = graph.canvas.Tooltip(*element.node, "", bar.row);
    // Without a popup a bar still tells its values.
    if (tooltip.empty())
      tooltip = barName(bar) + ": " + ValueText(graph, measureDim, bar.v1 - bar.v0);
    svg.EndStart();
    svg.Title(tooltip);
    svg.Close("rect");
    if (positionDim == 0)
      DrawValueLabel(graph.canvas, element, bar.row, (p0 + p1) / 2, std::min(m0, m1) - 3, "middle");
    else
      DrawValueLabel(graph.canvas, element, bar.row, std::max(m0, m1) + 3, (p0 + p1) / 2 + 3.5,
                     "start");
  }
  svg.Close("g");
  Describe(graph, element, panel, bars, band, positionDim, barName);
}
