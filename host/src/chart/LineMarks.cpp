// Lines and areas through the data, one per colour group.
#include "GraphMarks.h"
#include "MarkHelpers.h"

#include <algorithm>
#include <cmath>

void DrawLines(GraphModel& graph, const GraphElement& element, const GraphPanel& panel) {
  if (element.x == nullptr || element.y == nullptr)
    return;
  SvgWriter& svg = graph.canvas.Svg();
  std::size_t groups = element.color ? std::max<std::size_t>(1, element.color->CategoryCount()) : 1;
  std::vector<std::pair<double, double>> points;
  const bool area = element.kind == "area";
  for (std::size_t group = 0; group < groups; ++group) {
    points.clear();
    std::size_t firstRow = 0;
    for (std::size_t row = 0; row < element.rows; ++row) {
      if (!graph.InPanel(element, row, panel))
        continue;
      if (element.color && element.color->Category(row) != static_cast<int>(group))
        continue;
      std::optional<double> x = graph.categorical[0]
                                    ? std::optional<double>(element.x->Category(row))
                                    : element.x->Number(row);
      std::optional<double> y = element.y->Number(row);
      if (!x || !y || (*x < 0 && graph.categorical[0]))
        continue;
      if (points.empty())
        firstRow = row;
      points.emplace_back(*x, *y);
    }
    if (points.empty())
      continue;
    std::sort(points.begin(), points.end());
    std::string path;
    double lastX = NAN, lastY = NAN;
    for (const auto& [x, y] : points) {
      double px = graph.Place(panel, 0, x, graph.categorical[0]), py = panel.y.Map(y);
      if (Finite(px, py)) {
        AppendPoint(path, px, py);
        graph.canvas.AddMarkBox(Finite(lastX, lastY) ? Span(lastX, lastY, px, py)
                                                     : Span(px, py, px, py));
        lastX = px, lastY = py;
      }
    }
    if (path.empty())
      continue;
    std::string color = element.color
                            ? element.palette[group % element.palette.size()]
                            : element.style.StrokeOr(element.style.FillOr(ChartPalette()[0]));
    if (area) {
      double base = std::clamp(panel.y.Map(0), panel.rect.top, panel.rect.Bottom());
      path += "L" +
              SvgWriter::Number(graph.Place(panel, 0, points.back().first, graph.categorical[0])) +
              "," + SvgWriter::Number(base) + "L" +
              SvgWriter::Number(graph.Place(panel, 0, points.front().first, graph.categorical[0])) +
              "," + SvgWriter::Number(base) + "Z";
    }
    svg.Start("path")
        .Attr("class", area ? "curve area" : "curve")
        .Attr("d", path)
        .Attr("fill", area ? color : "none")
        .Attr("stroke", color)
        .Attr("stroke-width", element.style.strokeWidth >= 0 ? element.style.strokeWidth : 1.5);
    if (area)
      svg.Attr("fill-opacity", element.style.opacity < 1 ? element.style.opacity : 0.5);
    std::string dash = element.dash ? DashOf(group) : element.style.dash;
    if (!dash.empty())
      svg.Attr("stroke-dasharray", dash);
    std::string tooltip = graph.canvas.Tooltip(*element.node, "", firstRow);
    svg.EndStart();
    svg.Title(tooltip);
    svg.Close("path");
  }
}
