// The titles around a graph: its axis titles (and one on the opposite side), and, for a faceted
// graph, the headings of its panels and the titles of its facets.
#include "GraphTitles.h"

#include "FontMetrics.h"

#include <algorithm>

namespace {

// Shares of the font size above and below the baseline that glyphs reach.
constexpr double kAscent = 0.8;
constexpr double kDescent = 0.22;

} // namespace

void DrawGraphTitles(GraphModel& graph) {
  SvgWriter& svg = graph.canvas.Svg();
  const FontMetrics& metrics = FontMetrics::Instance();
  auto title = [&](const std::string& text, double x, double y, bool vertical, const char* cls,
                   double size, bool bold, double room, int maxLines = 1) {
    if (text.empty())
      return;
    std::vector<std::string> lines =
        metrics.Wrap(text, size, bold, std::max(30., room), static_cast<std::size_t>(maxLines));
    svg.Start("text")
        .Attr("class", cls)
        .Attr("x", x)
        .Attr("y", y)
        .Attr("text-anchor", "middle")
        .Attr("font-size", size)
        .Attr("fill", kInk);
    if (bold)
      svg.Attr("font-weight", "bold");
    if (vertical)
      svg.Attr("transform",
               "rotate(-90 " + SvgWriter::Number(x) + " " + SvgWriter::Number(y) + ")");
    svg.EndStart();
    if (lines.size() <= 1) {
      svg.Text(lines.empty() ? std::string() : lines.front());
    } else {
      // The lines go outward from the plot: down below an x axis, left of a y axis (the first
      // line outermost once turned).
      for (std::size_t i = 0; i < lines.size(); ++i) {
        svg.Start("tspan")
            .Attr("x", x)
            .Attr("dy", i == 0 ? (vertical ? -FontMetrics::LineHeight(size) *
                                                 static_cast<double>(lines.size() - 1)
                                           : 0.)
                               : FontMetrics::LineHeight(size))
            .EndStart();
        svg.Text(lines[i]);
        svg.Close("tspan");
      }
    }
    svg.Close("text");
  };
  const double plotMiddleX = graph.plot.left + graph.plot.width / 2;
  const double plotMiddleY = graph.plot.top + graph.plot.height / 2;
  if (!graph.network && graph.visible[0])
    title(graph.axisTitle[0], plotMiddleX,
          graph.plot.Bottom() + kTickLength + 3 + graph.bandLabelExtent[0] + kTitleFont, false,
          "axis-title", kTitleFont, false, graph.plot.width, graph.axisTitleLines[0]);
  if (!graph.network && graph.visible[1]) {
    title(graph.axisTitle[1],
          graph.box.left + 4 + kTitleFont +
              FontMetrics::LineHeight(kTitleFont) * (graph.axisTitleLines[1] - 1),
          plotMiddleY, true, "axis-title", kTitleFont, false, graph.plot.height,
          graph.axisTitleLines[1]);
    if (!graph.oppositeTitle[1].empty()) {
      double x = graph.box.Right() - 6;
      svg.Start("text")
          .Attr("class", "axis-title")
          .Attr("x", x)
          .Attr("y", plotMiddleY)
          .Attr("text-anchor", "middle")
          .Attr("font-size", kTitleFont)
          .Attr("fill", kInk)
          .Attr("transform",
                "rotate(90 " + SvgWriter::Number(x) + " " + SvgWriter::Number(plotMiddleY) + ")")
          .EndStart();
      svg.Text(graph.oppositeTitle[1]);
      svg.Close("text");
    }
  }
  // Headings of the panels: the column categories above, the row categories at the right.
  double headingTop = graph.plot.top - 2;
  if (graph.columnFacet != nullptr) {
    for (const GraphPanel& panel : graph.panels) {
      if (panel.row > 0)
        continue;
      double x = panel.rect.left + panel.rect.width / 2;
      std::vector<std::string> labelLines;
      if (graph.panelLabel != nullptr) {
        for (std::size_t row = 0; row < graph.panelLabel->Rows(); ++row) {
          if (graph.columnFacet->Category(row) != panel.column)
            continue;
          std::string text = graph.panelLabel->Text(row);
          labelLines = metrics.Wrap(text, kPanelLabelFont, false, panel.rect.width, 4);
          break;
        }
      }
      double y = graph.plot.top - 2 -
                 static_cast<double>(labelLines.size()) * FontMetrics::LineHeight(kPanelLabelFont);
      // A heading may reach into the gap beside its panel (the panels of a large grid are
      // narrower than their headings).
      const std::size_t column = panel.column < 0 ? 0 : static_cast<std::size_t>(panel.column);
      const std::vector<double>& gaps = graph.columnGaps;
      const double gap = column < gaps.size()                     ? gaps[column]
                         : column > 0 && column - 1 < gaps.size() ? gaps[column - 1]
                                                                  : 0;
      std::vector<std::string> heading =
          metrics.Wrap(graph.columnFacet->CategoryText(column), kHeadingFont, true,
                       panel.rect.width + std::max(0., gap - 4), 1);
      svg.Start("text")
          .Attr("class", "panel-label")
          .Attr("x", x)
          .Attr("y", y - 3)
          .Attr("text-anchor", "middle")
          .Attr("font-size", kHeadingFont)
          .Attr("font-weight", "bold")
          .Attr("fill", kInk)
          .EndStart();
      svg.Text(heading.empty() ? std::string() : heading.front());
      svg.Close("text");
      for (std::size_t l = 0; l < labelLines.size(); ++l) {
        svg.Start("text")
            .Attr("class", "panel-label")
            .Attr("x", x)
            .Attr("y",
                  y + static_cast<double>(l + 1) * FontMetrics::LineHeight(kPanelLabelFont) - 3)
            .Attr("text-anchor", "middle")
            .Attr("font-size", kPanelLabelFont)
            .Attr("fill", kInk)
            .EndStart();
        svg.Text(labelLines[l]);
        svg.Close("text");
      }
      headingTop = std::min(headingTop, y - FontMetrics::LineHeight(kHeadingFont));
    }
    title(graph.columnFacetLabel, plotMiddleX, headingTop - 5, false, "facet-label", kTitleFont,
          true, graph.plot.width);
  }
  if (graph.rowFacet != nullptr) {
    // Row headings read downwards: turned a quarter clockwise, their glyphs rise to the right of
    // the baseline and descend to its left.
    double x = graph.plot.Right() + 6 + kHeadingFont * kDescent;
    for (const GraphPanel& panel : graph.panels) {
      if (panel.column > 0)
        continue;
      double y = panel.rect.top + panel.rect.height / 2;
      svg.Start("text")
          .Attr("class", "panel-label")
          .Attr("x", x)
          .Attr("y", y)
          .Attr("text-anchor", "middle")
          .Attr("font-size", kHeadingFont)
          .Attr("font-weight", "bold")
          .Attr("fill", kInk)
          .Attr("transform", "rotate(90 " + SvgWriter::Number(x) + " " + SvgWriter::Number(y) + ")")
          .EndStart();
      std::vector<std::string> heading =
          metrics.Wrap(graph.rowFacet->CategoryText(static_cast<std::size_t>(panel.row)),
                       kHeadingFont, true, panel.rect.height + std::max(graph.gap, 8.) - 4, 1);
      svg.Text(heading.empty() ? std::string() : heading.front());
      svg.Close("text");
    }
    if (!graph.rowFacetLabel.empty()) {
      double fx = x + kHeadingFont * kAscent + kFacetLabelGap + kTitleFont * kDescent;
      svg.Start("text")
          .Attr("class", "facet-label")
          .Attr("x", fx)
          .Attr("y", plotMiddleY)
          .Attr("text-anchor", "middle")
          .Attr("font-size", kTitleFont)
          .Attr("font-weight", "bold")
          .Attr("fill", kInk)
          .Attr("transform",
                "rotate(90 " + SvgWriter::Number(fx) + " " + SvgWriter::Number(plotMiddleY) + ")")
          .EndStart();
      std::vector<std::string> lines =
          metrics.Wrap(graph.rowFacetLabel, kTitleFont, true, std::max(30., graph.plot.height), 1);
      svg.Text(lines.empty() ? std::string() : lines.front());
      svg.Close("text");
    }
  }
}
