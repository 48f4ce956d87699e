// Bars (interval elements): side by side, stacked or dodged, along a band of categories or over a
// continuous axis, with their value labels.
#include "GraphMarks.h"
#include "MarkHelpers.h"

#include <algorithm>
#include <cmath>

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
    if (tooltip.empty()) {
      svg.EndEmpty();
    } else {
      svg.EndStart();
      svg.Title(tooltip);
      svg.Close("rect");
    }
    if (positionDim == 0)
      DrawValueLabel(graph.canvas, element, bar.row, (p0 + p1) / 2, std::min(m0, m1) - 3, "middle");
    else
      DrawValueLabel(graph.canvas, element, bar.row, std::max(m0, m1) + 3, (p0 + p1) / 2 + 3.5,
                     "start");
  }
  svg.Close("g");
}
