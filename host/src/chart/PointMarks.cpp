// Points (point elements) at their two positions, with their value labels.
#include "GraphMarks.h"
#include "MarkHelpers.h"

#include <cmath>

namespace {

constexpr std::size_t kMaxPointMarks = 20000;

} // namespace

void DrawPoints(GraphModel& graph, const GraphElement& element, const GraphPanel& panel) {
  if (element.x == nullptr || element.y == nullptr)
    return;
  SvgWriter& svg = graph.canvas.Svg();
  std::size_t drawn = 0;
  for (std::size_t row = 0; row < element.rows && drawn < kMaxPointMarks; ++row) {
    if (!graph.InPanel(element, row, panel))
      continue;
    double px = NAN, py = NAN;
    for (int dim = 0; dim < 2; ++dim) {
      const ChartVariable* variable = dim == 0 ? element.x : element.y;
      double& place = dim == 0 ? px : py;
      if (graph.categorical[dim]) {
        int category = variable->Category(row);
        if (category >= 0)
          place = graph.Place(panel, dim, category, true);
      } else if (std::optional<double> value = variable->Number(row)) {
        place = graph.Place(panel, dim, *value, false);
      }
    }
    if (!Finite(px, py))
      continue;
    ++drawn;
    graph.canvas.AddMarkBox({px - 3.5, py - 3.5, 7, 7});
    int group = element.color ? element.color->Category(row) : -1;
    svg.Start("circle")
        .Attr("class", "point")
        .Attr("cx", px)
        .Attr("cy", py)
        .Attr("r", 3.5)
        .Attr("fill", FillOf(graph.canvas, element, row, group))
        .Attr("stroke", element.style.StrokeOr("#FFFFFF"))
        .Attr("stroke-width", 0.75);
    std::string tooltip = graph.canvas.Tooltip(*element.node, "", row);
    // Without a popup a point still tells its values.
    if (tooltip.empty())
      tooltip = element.x->Text(row) + ", " + element.y->Text(row);
    svg.EndStart();
    svg.Title(tooltip);
    svg.Close("circle");
    DrawValueLabel(graph.canvas, element, row, px + 6, py + 3.5, "start");
  }
}
