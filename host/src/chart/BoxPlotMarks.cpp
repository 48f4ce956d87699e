// Box plots (schema elements): Tukey's hinges and whiskers from the data of each category, the
// median, and outliers and extremes with their case labels.
#include "GraphMarks.h"
#include "MarkHelpers.h"

#include <algorithm>
#include <cmath>

namespace {

// The median of sorted values [begin, end).
double MedianOf(const std::vector<std::pair<double, std::size_t>>& values, std::size_t begin,
                std::size_t end) {
  std::size_t count = end - begin;
  std::size_t middle = begin + count / 2;
  return count % 2 == 1 ? values[middle].first
                        : 0.5 * (values[middle - 1].first + values[middle].first);
}

} // namespace

void DrawBoxPlots(GraphModel& graph, const GraphElement& element, const GraphPanel& panel) {
  if (element.y == nullptr || graph.categorical[1])
    return;
  SvgWriter& svg = graph.canvas.Svg();
  const bool band = element.x != nullptr && graph.categorical[0];
  const std::size_t groups = band ? element.x->CategoryCount() : 1;
  std::vector<std::vector<std::pair<double, std::size_t>>> values(groups);
  for (std::size_t row = 0; row < element.rows; ++row) {
    if (!graph.InPanel(element, row, panel))
      continue;
    int group = band ? element.x->Category(row) : 0;
    std::optional<double> value = element.y->Number(row);
    if (group >= 0 && value)
      values[static_cast<std::size_t>(group)].emplace_back(*value, row);
  }
  std::string medians; // "North 2,800 (2,200 to 5,000), ..." for the description
  const std::string stroke = element.style.StrokeOr("#1F3B57");
  const double strokeWidth = element.style.strokeWidth >= 0 ? element.style.strokeWidth : 1;
  for (std::size_t group = 0; group < groups; ++group) {
    auto& sorted = values[group];
    if (sorted.empty())
      continue;
    std::sort(sorted.begin(), sorted.end());
    const std::size_t n = sorted.size();
    const std::size_t firstRow = sorted.front().second;
    double median = MedianOf(sorted, 0, n);
    // Tukey's hinges: each half takes the median when the count is odd.
    double lower = MedianOf(sorted, 0, (n + 1) / 2);
    double upper = MedianOf(sorted, n / 2, n);
    double step = upper - lower;
    double whiskerLow = lower, whiskerHigh = upper;
    for (const auto& [value, row] : sorted)
      if (value >= lower - 1.5 * step) {
        whiskerLow = std::min(value, lower);
        break;
      }
    for (auto it = sorted.rbegin(); it != sorted.rend(); ++it)
      if (it->first <= upper + 1.5 * step) {
        whiskerHigh = std::max(it->first, upper);
        break;
      }
    double cx = band ? panel.xBand.Center(group) : panel.rect.left + panel.rect.width / 2;
    double bandWidth = band ? std::fabs(panel.xBand.Band()) : panel.rect.width;
    double half = std::min(0.25 * bandWidth, 40.);
    double yLow = panel.y.Map(lower), yHigh = panel.y.Map(upper), yMedian = panel.y.Map(median);
    double wLow = panel.y.Map(whiskerLow), wHigh = panel.y.Map(whiskerHigh);
    if (!Finite(cx, yLow, yHigh, yMedian) || !Finite(wLow, wHigh))
      continue;
    // The box, and its whiskers as the thin lines they are: a label may sit beside a whisker.
    graph.canvas.AddMarkBox(Span(cx - half, yLow, cx + half, yHigh));
    for (double end : {wLow, wHigh}) {
      graph.canvas.AddMarkBox(Span(cx - 1, end, cx + 1, end == wLow ? yLow : yHigh));
      graph.canvas.AddMarkBox(Span(cx - half / 2, end - 1, cx + half / 2, end + 1));
    }
    svg.Start("g")
        .Attr("class", "schema")
        .Attr("stroke", stroke)
        .Attr("stroke-width", strokeWidth)
        .EndStart();
    for (auto [from, to] : {std::pair<double, double>{yLow, wLow}, {yHigh, wHigh}}) {
      svg.Start("path")
          .Attr("class", "whisker")
          .Attr("d", "M" + SvgWriter::Number(cx) + "," + SvgWriter::Number(from) + "V" +
                         SvgWriter::Number(to) + "M" + SvgWriter::Number(cx - half / 2) + "," +
                         SvgWriter::Number(to) + "H" + SvgWriter::Number(cx + half / 2))
          .Attr("fill", "none")
          .EndEmpty();
    }
    int colorGroup = element.color ? element.color->Category(firstRow) : -1;
    svg.Start("rect")
        .Attr("class", "box")
        .Attr("x", cx - half)
        .Attr("y", std::min(yLow, yHigh))
        .Attr("width", 2 * half)
        .Attr("height", std::fabs(yLow - yHigh))
        .Attr("fill", FillOf(graph.canvas, element, firstRow, colorGroup));
    if (element.style.opacity < 1)
      svg.Attr("fill-opacity", element.style.opacity);
    svg.EndStart();
    const auto text = [&](double value) { return ValueText(graph, 1, value); };
    const std::string name = band ? element.x->CategoryText(group) : std::string();
    std::string tooltip = graph.canvas.Tooltip(*element.node, "", firstRow);
    if (tooltip.empty())
      tooltip = (name.empty() ? "" : name + ": ") + graph.canvas.Word("median") + " " +
                text(median) + "; " + graph.canvas.Word("quartiles") + " " + text(lower) + " " +
                graph.canvas.Word("to") + " " + text(upper) + "; " + graph.canvas.Word("whiskers") +
                " " + text(whiskerLow) + " " + graph.canvas.Word("to") + " " + text(whiskerHigh);
    svg.Title(tooltip);
    svg.Close("rect");
    medians += (medians.empty() ? "" : ", ") + (name.empty() ? "" : name + " ") + text(median) +
               " (" + text(sorted.front().first) + " " + graph.canvas.Word("to") + " " +
               text(sorted.back().first) + ")";
    svg.Start("line")
        .Attr("class", "median")
        .Attr("x1", cx - half)
        .Attr("x2", cx + half)
        .Attr("y1", yMedian)
        .Attr("y2", yMedian)
        .Attr("stroke-width", 2.5)
        .EndStart();
    svg.Title(graph.canvas.Tooltip(*element.node, "median", firstRow));
    svg.Close("line");
    // Outliers and extremes, with their case labels alternating sides when they crowd.
    double lastLabel = -1e9;
    bool labelLeft = false;
    for (const auto& [value, row] : sorted) {
      bool extreme = value < lower - 3 * step || value > upper + 3 * step;
      bool outlier = !extreme && (value < lower - 1.5 * step || value > upper + 1.5 * step);
      if (!extreme && !outlier)
        continue;
      double y = panel.y.Map(value);
      if (!std::isfinite(y))
        continue;
      graph.canvas.AddMarkBox({cx - 4, y - 4, 8, 8});
      std::string tooltip = element.labeling ? element.labeling->Text(row) : std::string();
      if (!tooltip.empty())
        tooltip += ": ";
      tooltip += element.y->Text(row);
      if (extreme) {
        const double s = 3.5;
        svg.Start("path")
            .Attr("class", "extreme")
            .Attr("d", "M" + SvgWriter::Number(cx - s) + "," + SvgWriter::Number(y) + "h" +
                           SvgWriter::Number(2 * s) + "M" + SvgWriter::Number(cx - s * 0.6) + "," +
                           SvgWriter::Number(y - s * 0.8) + "l" + SvgWriter::Number(s * 1.2) + "," +
                           SvgWriter::Number(s * 1.6) + "M" + SvgWriter::Number(cx + s * 0.6) +
                           "," + SvgWriter::Number(y - s * 0.8) + "l" +
                           SvgWriter::Number(-s * 1.2) + "," + SvgWriter::Number(s * 1.6))
            .Attr("fill", "none")
            .Attr("stroke-width", 1.2)
            .EndStart();
        svg.Title(tooltip);
        svg.Close("path");
      } else {
        svg.Start("circle")
            .Attr("class", "outlier")
            .Attr("cx", cx)
            .Attr("cy", y)
            .Attr("r", 3)
            .Attr("fill", "none")
            .EndStart();
        svg.Title(tooltip);
        svg.Close("circle");
      }
      labelLeft = std::fabs(y - lastLabel) < 10 ? !labelLeft : false;
      lastLabel = y;
      svg.Close("g");
      DrawValueLabel(graph.canvas, element, row, labelLeft ? cx - 6 : cx + 6, y + 3.5,
                     labelLeft ? "end" : "start");
      svg.Start("g")
          .Attr("class", "schema")
          .Attr("stroke", stroke)
          .Attr("stroke-width", strokeWidth)
          .EndStart();
    }
    svg.Close("g");
  }
  if (!medians.empty())
    graph.canvas.Describe(graph.canvas.Word("Medians, with the lowest and highest values") + ": " +
                          medians + ".");
}
