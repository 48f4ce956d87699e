// Distribution curves fitted over a histogram, with the regions under them (the tails of a test)
// and the regions' labels.
#include "FontMetrics.h"
#include "GraphMarks.h"
#include "MarkHelpers.h"
#include "ViZNode.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kCurveSamples = 240;
// The least room between a region's label and a guide line: closer, the text reads as touching
// the line.
constexpr double kGuideGap = 6;

} // namespace

void DrawCurve(GraphModel& graph, const GraphElement& element, const GraphPanel& panel) {
  const ChartDistribution& curve = element.distribution;
  if (curve.GetKind() == ChartDistribution::Kind::kNone || graph.categorical[0])
    return;
  SvgWriter& svg = graph.canvas.Svg();
  const double factor = graph.CurveScale(element, panel);
  const double low = graph.scale[0].Low(), high = graph.scale[0].High();
  if (!(factor > 0) || !(high > low))
    return;
  // Samples of the curve between two x values, as (x, density × factor) pairs.
  std::vector<std::pair<double, double>> samples;
  auto sample = [&](double from, double to) {
    samples.clear();
    if (curve.Discrete()) {
      double first = std::ceil(from), last = std::floor(to);
      double step = std::max(1., std::ceil((last - first) / 400));
      for (double k = first; k <= last; k += step)
        samples.emplace_back(k, factor * curve.Density(k));
      return;
    }
    if (curve.GetKind() == ChartDistribution::Kind::kUniform) {
      // A step: its edges stand upright at the minimum and the maximum, where samples in
      // between would slant them.
      double a = 0, b = 0;
      curve.Extent(a, b);
      const double height = factor * curve.Density((a + b) / 2);
      if (from < a) {
        samples.emplace_back(from, 0);
        samples.emplace_back(std::min(a, to), 0);
      }
      if (to > a && from < b) {
        samples.emplace_back(std::max(from, a), height);
        samples.emplace_back(std::min(to, b), height);
      }
      if (to > b) {
        samples.emplace_back(std::max(b, from), 0);
        samples.emplace_back(to, 0);
      }
      return;
    }
    for (int i = 0; i <= kCurveSamples; ++i) {
      double x = from + (to - from) * i / kCurveSamples;
      samples.emplace_back(x, factor * curve.Density(x));
    }
  };
  const double base = std::clamp(panel.y.Map(0), panel.rect.top, panel.rect.Bottom());
  // Regions first, so that the curve is drawn over them.
  for (const ViZNode* region : element.statistic->Children("region")) {
    ChartStyle style = graph.canvas.StyleOf(*region);
    if (!style.visible)
      continue;
    double below = AttributeNumber(*region, "below"), above = AttributeNumber(*region, "above");
    double from = low, to = high;
    if (std::isfinite(below) && below > 0 && below < 1)
      to = std::min(high, curve.Quantile(below));
    else if (std::isfinite(above) && above > 0 && above < 1)
      from = std::max(low, curve.Quantile(above));
    else
      continue;
    if (!(to > from))
      continue;
    sample(from, to);
    std::string path;
    for (const auto& [x, y] : samples)
      AppendPoint(path, panel.x.Map(x), panel.y.Map(y));
    if (path.empty())
      continue;
    path += "L" + SvgWriter::Number(panel.x.Map(samples.back().first)) + "," +
            SvgWriter::Number(base) + "L" + SvgWriter::Number(panel.x.Map(samples.front().first)) +
            "," + SvgWriter::Number(base) + "Z";
    svg.Start("path")
        .Attr("class", "region")
        .Attr("d", path)
        .Attr("fill", style.FillOr(ChartPalette()[1]))
        .Attr("fill-opacity", style.opacity < 1 ? style.opacity : 0.45)
        .Attr("stroke", "none")
        .EndEmpty();
    std::string label = LabelText(*region);
    if (label.empty())
      continue;
    const double size = style.FontSizeOr(11);
    const bool left = std::isfinite(below) && below > 0 && below < 1;
    const double edge = panel.x.Map(left ? to : from);
    const double width = FontMetrics::Instance().Width(label, size);
    // Beside the boundary, on the region's side; where a guide line runs through that place, on
    // the far side of the guide, which is still over the region; with no room left, over the
    // region at the panel's edge.
    const std::vector<double> guides = graph.VerticalGuides(panel);
    const auto crossed = [&](double from, double to) {
      return std::any_of(guides.begin(), guides.end(),
                         [&](double g) { return g > from - kGuideGap && g < to + kGuideGap; });
    };
    std::vector<double> places = {left ? edge - 4 : edge + 4};
    if (left)
      for (auto g = guides.rbegin(); g != guides.rend(); ++g) {
        if (*g < edge)
          places.push_back(*g - kGuideGap - 2);
      }
    else
      for (double g : guides)
        if (g > edge)
          places.push_back(g + kGuideGap + 2);
    double x = left ? panel.rect.left + 2 : panel.rect.Right() - 2;
    const char* anchor = left ? "start" : "end";
    for (double place : places) {
      const double from = left ? place - width : place, to = left ? place : place + width;
      if (from < panel.rect.left || to > panel.rect.Right() || crossed(from, to))
        continue;
      x = place;
      anchor = left ? "end" : "start";
      break;
    }
    svg.Start("text")
        .Attr("class", "region-label")
        .Attr("x", x)
        .Attr("y", panel.rect.top + panel.rect.height * 0.45)
        .Attr("text-anchor", anchor)
        .Attr("font-size", size)
        .Attr("fill", kInk)
        .EndStart();
    svg.Text(label);
    svg.Close("text");
  }
  sample(low, high);
  std::string color = element.style.StrokeOr(element.style.FillOr("#333333"));
  if (curve.Discrete()) {
    // A discrete distribution has mass only at the whole numbers: a point at each, not a line
    // through values it never takes.
    svg.Start("g").Attr("class", "curve-points").Attr("fill", color).EndStart();
    for (const auto& [x, y] : samples) {
      double px = panel.x.Map(x), py = panel.y.Map(y);
      if (!Finite(px, py))
        continue;
      graph.canvas.AddMarkBox({px - 3, py - 3, 6, 6});
      svg.Start("circle").Attr("cx", px).Attr("cy", py).Attr("r", 3).EndStart();
      svg.Title(SvgWriter::Number(x) + ": " + SvgWriter::Number(y));
      svg.Close("circle");
    }
    svg.Close("g");
    return;
  }
  std::string path;
  double lastX = NAN, lastY = NAN;
  for (const auto& [x, y] : samples) {
    double px = panel.x.Map(x), py = panel.y.Map(y);
    if (Finite(px, py)) {
      AppendPoint(path, px, py);
      if (Finite(lastX, lastY))
        graph.canvas.AddMarkBox(Span(lastX, lastY, px, py));
      lastX = px, lastY = py;
    }
  }
  svg.Start("path")
      .Attr("class", "curve")
      .Attr("d", path)
      .Attr("fill", "none")
      .Attr("stroke", color)
      .Attr("stroke-width", element.style.strokeWidth >= 0 ? element.style.strokeWidth : 1.5);
  if (!element.style.dash.empty())
    svg.Attr("stroke-dasharray", element.style.dash);
  svg.EndStart();
  svg.Title(graph.canvas.Tooltip(*element.node, "", 0));
  svg.Close("path");
}
