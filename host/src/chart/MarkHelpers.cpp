// What the marks of every kind share: their fill, the value labels beside them, and the pieces of
// their geometry.
#include "MarkHelpers.h"

#include "FontMetrics.h"
#include "ViZNode.h"

#include <algorithm>
#include <cmath>

bool Finite(double a, double b, double c, double d) {
  return std::isfinite(a) && std::isfinite(b) && std::isfinite(c) && std::isfinite(d);
}

ChartRect Span(double x0, double y0, double x1, double y1) {
  return {std::min(x0, x1), std::min(y0, y1), std::fabs(x1 - x0), std::fabs(y1 - y0)};
}

void AppendPoint(std::string& path, double x, double y) {
  path += path.empty() ? 'M' : 'L';
  path += SvgWriter::Number(x);
  path += ',';
  path += SvgWriter::Number(y);
}

std::string FillOf(ChartCanvas& canvas, const GraphElement& element, std::size_t row, int group) {
  std::string color;
  if (group >= 0 && element.color != nullptr)
    color = element.palette[static_cast<std::size_t>(group) % element.palette.size()];
  else
    color = element.style.FillOr(element.kind == "schema" || element.kind == "interval"
                                     ? ChartPalette()[element.color || element.pattern ? 0 : 4]
                                     : ChartPalette()[0]);
  if (element.pattern != nullptr) {
    int pattern = element.pattern->Category(row);
    if (pattern >= 0)
      return canvas.PatternFill(static_cast<std::size_t>(pattern), color);
  }
  return color;
}

void DrawValueLabel(ChartCanvas& canvas, const GraphElement& element, std::size_t row, double x,
                    double y, const char* anchor) {
  if (element.labeling == nullptr || !Finite(x, y))
    return;
  std::string text = element.labeling->Text(row);
  if (text.empty())
    return;
  ChartStyle style = canvas.StyleOf(*element.labelingNode);
  if (!style.visible)
    return;
  SvgWriter& svg = canvas.Svg();
  const double size = style.FontSizeOr(10);
  std::size_t newline = text.find('\n');
  if (newline != std::string::npos)
    text.erase(newline);
  const double width = FontMetrics::Instance().Width(text, size);
  const double left = std::string(anchor) == "middle" ? x - width / 2
                      : std::string(anchor) == "end"  ? x - width
                                                      : x;
  canvas.AddMarkBox({left, y - size * 0.8, width, size});
  svg.Start("text")
      .Attr("class", "value-label")
      .Attr("x", x)
      .Attr("y", y)
      .Attr("text-anchor", anchor)
      .Attr("font-size", size)
      .Attr("fill", style.FillOr(kInk))
      .EndStart();
  svg.Text(text);
  svg.Close("text");
}

std::string ValueText(const GraphModel& graph, int dim, double value) {
  const ChartVariable* variable = graph.axisVariable[dim];
  // A whole number (a count) stays whole.
  const double step =
      std::fabs(value - std::round(value)) < 1e-9 ? 1 : graph.scale[dim].Step() / 10;
  if (variable != nullptr && !variable->Categorical())
    return variable->FormatNumber(value, step);
  return SvgWriter::Number(value);
}
