// Cell texts (textMark elements): the lines of their rows, wrapped to the panel and centred in
// it.
#include "FontMetrics.h"
#include "GraphMarks.h"

namespace {

constexpr std::size_t kMaxCellTexts = 20;

} // namespace

void DrawCellTexts(GraphModel& graph, const GraphElement& element, const GraphPanel& panel) {
  if (element.value == nullptr)
    return;
  SvgWriter& svg = graph.canvas.Svg();
  const double size = element.style.FontSizeOr(12);
  const double lineHeight = FontMetrics::LineHeight(size);
  std::vector<std::string> lines;
  for (std::size_t row = 0; row < element.rows && lines.size() < kMaxCellTexts; ++row) {
    if (!graph.InPanel(element, row, panel))
      continue;
    std::string text = element.value->Text(row);
    for (std::size_t start = 0; !text.empty() && start <= text.size();) {
      std::size_t end = text.find('\n', start);
      // A line wider than its panel (a small panel of a large grid) wraps between words.
      for (std::string& piece : FontMetrics::Instance().Wrap(
               text.substr(start, end == std::string::npos ? end : end - start), size,
               element.style.bold, panel.rect.width + 4, 4))
        lines.push_back(std::move(piece));
      if (end == std::string::npos)
        break;
      start = end + 1;
    }
  }
  if (lines.empty())
    return;
  double x = panel.rect.left + panel.rect.width / 2;
  double y = panel.rect.top + panel.rect.height / 2 -
             (static_cast<double>(lines.size()) - 1) * lineHeight / 2 + size * 0.35;
  svg.Start("text")
      .Attr("class", "cell-text")
      .Attr("x", x)
      .Attr("y", y)
      .Attr("text-anchor", "middle")
      .Attr("font-size", size)
      .Attr("fill", element.style.FillOr(kInk));
  if (element.style.bold)
    svg.Attr("font-weight", "bold");
  svg.EndStart();
  for (std::size_t i = 0; i < lines.size(); ++i) {
    svg.Start("tspan").Attr("x", x).Attr("dy", i == 0 ? 0. : lineHeight).EndStart();
    svg.Text(lines[i]);
    svg.Close("tspan");
  }
  svg.Close("text");
}
