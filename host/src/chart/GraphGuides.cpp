// Line guides: vertical and horizontal lines at data values over every mark, with their labels
// placed in the room between the guides.
#include "GraphGuides.h"

#include "FontMetrics.h"
#include "MarkHelpers.h"
#include "ViZNode.h"

#include <algorithm>
#include <cmath>
#include <string_view>

void DrawGuides(GraphModel& graph, const GraphPanel& panel) {
  SvgWriter& svg = graph.canvas.Svg();
  const FontMetrics& metrics = FontMetrics::Instance();
  const ChartRect& r = panel.rect;
  const std::vector<double> guides = graph.VerticalGuides(panel);
  // The marks under the guides: a label along a horizontal guide keeps off them.
  const std::vector<ChartRect> marks = graph.canvas.MarkBoxes();
  for (const ViZNode* guide : graph.node.Children("lineGuide")) {
    ChartStyle style = graph.canvas.StyleOf(*guide);
    if (!style.visible)
      continue;
    double x = AttributeNumber(*guide, "x", true), y = AttributeNumber(*guide, "y", true);
    bool vertical = std::isfinite(x);
    if (vertical ? graph.categorical[0] : (!std::isfinite(y) || graph.categorical[1]))
      continue;
    double at = vertical ? panel.x.Map(x) : panel.y.Map(y);
    if (!std::isfinite(at))
      continue;
    std::string color = style.StrokeOr("#333333");
    graph.canvas.AddMarkBox(vertical ? Span(at - 1, r.top, at + 1, r.Bottom())
                                     : Span(r.left, at - 1, r.Right(), at + 1));
    // Over bars a guide is easily taken for a bar's edge: it is drawn above every mark, wider
    // than the edges; a solid one on a hairline of white each side that sets it off from the
    // fill. A wider casing reads as a gap between bars, and under a dashed guide it would show
    // through the dashes' gaps as a white line: the dashes already tell that guide from an edge.
    const double width = style.strokeWidth >= 0 ? style.strokeWidth : 2;
    for (const char* part : {"guide-casing", "guide"}) {
      const bool casing = part[5] == '-';
      if (casing && !style.dash.empty())
        continue;
      svg.Start("line").Attr("class", part);
      if (vertical)
        svg.Attr("x1", at).Attr("x2", at).Attr("y1", r.top).Attr("y2", r.Bottom());
      else
        svg.Attr("x1", r.left).Attr("x2", r.Right()).Attr("y1", at).Attr("y2", at);
      svg.Attr("stroke", casing ? std::string("#FFFFFF") : color)
          .Attr("stroke-width", casing ? width + 1 : width);
      if (casing)
        svg.Attr("stroke-opacity", 0.85);
      else if (!style.dash.empty())
        svg.Attr("stroke-dasharray", style.dash);
      svg.EndEmpty();
    }
    std::string label = LabelText(*guide);
    if (label.empty())
      continue;
    graph.canvas.Describe(label + ".");
    const double size = style.FontSizeOr(11);
    const auto widestOf = [&](const std::vector<std::string>& lines) {
      double widest = 0;
      for (const std::string& line : lines)
        widest = std::max(widest, metrics.Width(line, size));
      return widest;
    };
    std::vector<std::string> lines = metrics.Wrap(label, size, false, r.width * 0.6, 3);
    double widest = widestOf(lines);
    double tx = vertical ? at + 4 : r.Right() - 4;
    const char* anchor = vertical ? "start" : "end";
    if (vertical) {
      // In the room between this guide and its neighbours (or the panel's sides), right first,
      // wrapped to that room, so that no other guide runs through the label.
      double leftRoom = r.left, rightRoom = r.Right();
      for (double g : guides)
        if (g < at - 1)
          leftRoom = std::max(leftRoom, g);
        else if (g > at + 1)
          rightRoom = std::min(rightRoom, g);
      bool placed = false;
      for (const bool right : {true, false}) {
        const double room = (right ? rightRoom - at : at - leftRoom) - 8;
        if (room < size * 2)
          continue;
        std::vector<std::string> fitted = metrics.Wrap(label, size, false, room, 3);
        const double fittedWidth = widestOf(fitted);
        const bool whole = fitted.empty() || fitted.back().size() < 3 ||
                           fitted.back().compare(fitted.back().size() - 3, 3, "\u2026") != 0;
        if (fittedWidth > room || !whole)
          continue;
        lines = std::move(fitted);
        widest = fittedWidth;
        tx = right ? at + 4 : at - 4;
        anchor = right ? "start" : "end";
        placed = true;
        break;
      }
      if (!placed && tx + widest > r.Right()) {
        tx = at - 4;
        anchor = "end";
      }
    }
    double ty =
        vertical ? r.top + size + 2
                 : at - 4 - (static_cast<double>(lines.size()) - 1) * FontMetrics::LineHeight(size);
    if (!vertical) {
      // Along the line, above or below it, on one line or two, where it covers the least of the
      // marks (none, wherever there is room): the right end first, then the left end, then the
      // gaps between.
      const auto covered = [&](double left, double top, double width, double height) {
        const ChartRect box = {left - 2, top - 2, width + 4, height + 4};
        if (box.left < r.left || box.Right() > r.Right() || box.top < r.top ||
            box.Bottom() > r.Bottom())
          return HUGE_VAL;
        double area = 0;
        for (const ChartRect& m : marks)
          area += std::max(0., std::min(m.Right(), box.Right()) - std::max(m.left, box.left)) *
                  std::max(0., std::min(m.Bottom(), box.Bottom()) - std::max(m.top, box.top));
        return area;
      };
      std::vector<std::vector<std::string>> shapes = {lines};
      if (lines.size() == 1) {
        std::vector<std::string> two = metrics.Wrap(label, size, false, widest * 0.65, 2);
        // Only when the two lines hold it all (no ellipsis at the end).
        const std::string_view ellipsis = "\u2026";
        if (two.size() == 2 && (two.back().size() < ellipsis.size() ||
                                two.back().compare(two.back().size() - ellipsis.size(),
                                                   ellipsis.size(), ellipsis) != 0))
          shapes.push_back(std::move(two));
      }
      double best = HUGE_VAL;
      for (const std::vector<std::string>& shape : shapes) {
        const double shapeWidth = widestOf(shape);
        const double shapeHeight =
            FontMetrics::LineHeight(size) * static_cast<double>(shape.size());
        std::vector<double> lefts = {r.Right() - 4 - shapeWidth, r.left + 4};
        for (double left = r.Right() - 4 - shapeWidth - 8; left > r.left + 4; left -= 8)
          lefts.push_back(left);
        for (const double left : lefts) {
          for (const double top : {at - 3 - shapeHeight, at + 3}) {
            const double area = covered(left, top, shapeWidth, shapeHeight);
            if (!(area < best))
              continue;
            best = area;
            lines = shape;
            widest = shapeWidth;
            tx = left;
            anchor = "start";
            ty = top + size * 0.9;
          }
          if (best == 0)
            break;
        }
        if (best == 0)
          break;
      }
    }
    graph.canvas.AddMarkBox({std::string(anchor) == "end" ? tx - widest : tx, ty - size * 0.8,
                             widest,
                             FontMetrics::LineHeight(size) * static_cast<double>(lines.size())});
    svg.Start("text")
        .Attr("class", "guide-label")
        .Attr("x", tx)
        .Attr("y", ty)
        .Attr("text-anchor", anchor)
        .Attr("font-size", size)
        .Attr("fill", color)
        .Attr("stroke", "#FFFFFF")
        .Attr("stroke-width", 3)
        .Attr("paint-order", "stroke")
        .EndStart();
    for (std::size_t i = 0; i < lines.size(); ++i) {
      svg.Start("tspan")
          .Attr("x", tx)
          .Attr("dy", i == 0 ? 0. : FontMetrics::LineHeight(size))
          .EndStart();
      svg.Text(lines[i]);
      svg.Close("tspan");
    }
    svg.Close("text");
  }
}
