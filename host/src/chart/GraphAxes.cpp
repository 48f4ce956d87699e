// The grid and axes of a graph's panel: continuous axes with their ticks and labels (thinned until
// neighbours no longer touch), and band axes with their category labels (wrapped, or turned).
#include "GraphAxes.h"

#include "FontMetrics.h"

#include <algorithm>
#include <cmath>

namespace {

// Opens an axis's group and draws its line along the panel's side at `base`.
void StartAxis(SvgWriter& svg, const ChartRect& r, int dim, double base) {
  svg.Start("g")
      .Attr("class", dim == 0 ? "axis x" : "axis y")
      .Attr("fill", kInk)
      .Attr("font-size", kTickFont)
      .EndStart();
  svg.Start("line").Attr("stroke", kInk).Attr("stroke-width", 1);
  if (dim == 0)
    svg.Attr("x1", r.left).Attr("x2", r.Right()).Attr("y1", base).Attr("y2", base);
  else
    svg.Attr("x1", base).Attr("x2", base).Attr("y1", r.top).Attr("y2", r.Bottom());
  svg.EndEmpty();
}

// Opens a tick's group and draws its mark at `at`, pointing from the axis line at `base` away
// from the panel (`direction` -1 or +1 across a y axis).
void StartTick(SvgWriter& svg, int dim, double at, double base, double direction) {
  svg.Start("g").Attr("class", "tick").EndStart();
  svg.Start("line").Attr("stroke", kInk);
  if (dim == 0)
    svg.Attr("x1", at).Attr("x2", at).Attr("y1", base).Attr("y2", base + kTickLength);
  else
    svg.Attr("x1", base).Attr("x2", base + direction * kTickLength).Attr("y1", at).Attr("y2", at);
  svg.EndEmpty();
}

// `side`: -1 labels left of (or below) the axis, +1 right of it, 0 no labels, 2 labels centred
// in the gap right of the panel (a back-to-back pair's value axis).
void DrawContinuousAxis(GraphModel& graph, const GraphPanel& panel, int dim, int side) {
  SvgWriter& svg = graph.canvas.Svg();
  const FontMetrics& metrics = FontMetrics::Instance();
  const ChartScale& scale = dim == 0 ? panel.x : panel.y;
  const ChartRect& r = panel.rect;
  bool rightSide = side == 1 || side == 2;
  double base = dim == 0 ? r.Bottom() : rightSide ? r.Right() : r.left;
  double direction = dim == 0 || rightSide ? 1 : -1;
  StartAxis(svg, r, dim, base);
  // Thin the labels until neighbours no longer touch.
  const std::vector<double>& ticks = scale.Ticks();
  double spacing = ticks.size() > 1 ? std::fabs(scale.Map(ticks[1]) - scale.Map(ticks[0])) : 1e9;
  double need = FontMetrics::LineHeight(kTickFont);
  if (dim == 0) {
    need = 0;
    for (double tick : ticks)
      need = std::max(need, metrics.Width(graph.TickText(dim, tick), kTickFont) + 6);
  }
  std::size_t every = 1;
  while (every < ticks.size() && spacing * static_cast<double>(every) < need)
    ++every;
  for (std::size_t i = 0; i < ticks.size(); ++i) {
    double at = scale.Map(ticks[i]);
    StartTick(svg, dim, at, base, direction);
    if (side != 0 && i % every == 0) {
      svg.Start("text");
      if (dim == 0) {
        svg.Attr("x", at)
            .Attr("y", base + kTickLength + kTickFont + 1)
            .Attr("text-anchor", "middle");
      } else if (side == 2) {
        std::size_t column = panel.column < 0 ? 0 : static_cast<std::size_t>(panel.column);
        double gap = column < graph.columnGaps.size() ? graph.columnGaps[column] : 0;
        svg.Attr("x", r.Right() + gap / 2)
            .Attr("y", at + kTickFont * 0.35)
            .Attr("text-anchor", "middle");
      } else {
        svg.Attr("x", base + direction * (kTickLength + 3))
            .Attr("y", at + kTickFont * 0.35)
            .Attr("text-anchor", side == 1 ? "start" : "end");
      }
      svg.EndStart();
      svg.Text(graph.TickText(dim, ticks[i]));
      svg.Close("text");
    }
    svg.Close("g");
  }
  svg.Close("g");
}

void DrawBandAxis(GraphModel& graph, const GraphPanel& panel, int dim, int side) {
  SvgWriter& svg = graph.canvas.Svg();
  const FontMetrics& metrics = FontMetrics::Instance();
  const BandScale& band = dim == 0 ? panel.xBand : panel.yBand;
  const ChartRect& r = panel.rect;
  const ChartVariable& variable = *graph.axisVariable[dim];
  double base = dim == 0 ? r.Bottom() : side == 1 ? r.Right() : r.left;
  double direction = dim == 0 || side == 1 ? 1 : -1;
  StartAxis(svg, r, dim, base);
  std::size_t count = band.Count();
  std::size_t every = (count + kMaxBandLabels - 1) / kMaxBandLabels;
  if (dim == 1) {
    double spacing = std::fabs(band.Band());
    while (every < count && spacing * static_cast<double>(every) < kTickFont)
      ++every;
  }
  const double lineHeight = FontMetrics::LineHeight(kTickFont);
  for (std::size_t i = 0; i < count; i += std::max<std::size_t>(1, every)) {
    double at = band.Center(i);
    StartTick(svg, dim, at, base, direction);
    if (side != 0) {
      if (dim == 0) {
        const std::vector<std::string> lines =
            i < graph.bandLines[0].size() ? graph.bandLines[0][i]
                                          : std::vector<std::string>{variable.CategoryText(i)};
        double y = base + kTickLength + kTickFont + 1;
        if (graph.bandRotated[0]) {
          svg.Start("text")
              .Attr("x", at)
              .Attr("y", y)
              .Attr("text-anchor", "end")
              .Attr("transform",
                    "rotate(-45 " + SvgWriter::Number(at) + " " + SvgWriter::Number(y) + ")");
          svg.EndStart();
          svg.Text(lines.empty() ? std::string() : lines.front());
          svg.Close("text");
        } else {
          svg.Start("text").Attr("x", at).Attr("y", y).Attr("text-anchor", "middle").EndStart();
          for (std::size_t l = 0; l < lines.size(); ++l) {
            svg.Start("tspan").Attr("x", at).Attr("dy", l == 0 ? 0. : lineHeight).EndStart();
            svg.Text(lines[l]);
            svg.Close("tspan");
          }
          svg.Close("text");
        }
      } else {
        double room =
            std::min(graph.box.width * 0.3, std::fabs(base - graph.box.left) - kTickLength - 8);
        std::vector<std::string> lines =
            metrics.Wrap(variable.CategoryText(i), kTickFont, false, std::max(20., room), 2);
        double y = at + kTickFont * 0.35 - (static_cast<double>(lines.size()) - 1) * lineHeight / 2;
        double x = base + direction * (kTickLength + 3);
        svg.Start("text")
            .Attr("x", x)
            .Attr("y", y)
            .Attr("text-anchor", side == 1 ? "start" : "end")
            .EndStart();
        for (std::size_t l = 0; l < lines.size(); ++l) {
          svg.Start("tspan").Attr("x", x).Attr("dy", l == 0 ? 0. : lineHeight).EndStart();
          svg.Text(lines[l]);
          svg.Close("tspan");
        }
        svg.Close("text");
      }
    }
    svg.Close("g");
  }
  svg.Close("g");
}

} // namespace

void DrawGrid(GraphModel& graph, const GraphPanel& panel) {
  SvgWriter& svg = graph.canvas.Svg();
  bool anyMeasure = graph.measure[0] || graph.measure[1];
  for (int dim = 0; dim < 2; ++dim) {
    bool wanted = anyMeasure ? graph.measure[dim] : dim == 1;
    if (!wanted || graph.categorical[dim] || !graph.visible[dim] || graph.network)
      continue;
    const ChartScale& scale = dim == 0 ? panel.x : panel.y;
    for (double tick : scale.Ticks()) {
      double at = scale.Map(tick);
      svg.Start("line").Attr("class", "grid");
      if (dim == 0)
        svg.Attr("x1", at)
            .Attr("x2", at)
            .Attr("y1", panel.rect.top)
            .Attr("y2", panel.rect.Bottom());
      else
        svg.Attr("x1", panel.rect.left)
            .Attr("x2", panel.rect.Right())
            .Attr("y1", at)
            .Attr("y2", at);
      svg.Attr("stroke", "#E3E3E3").Attr("stroke-width", 1);
      svg.EndEmpty();
    }
  }
}

void DrawAxes(GraphModel& graph, const GraphPanel& panel, bool first, bool bottomRow) {
  if (graph.network)
    return;
  auto axis = [&](int dim, int side) {
    if (graph.categorical[dim])
      DrawBandAxis(graph, panel, dim, side);
    else
      DrawContinuousAxis(graph, panel, dim, side);
  };
  if (graph.visible[0])
    axis(0, bottomRow ? -1 : 0);
  if (!graph.visible[1])
    return;
  std::size_t column = panel.column < 0 ? 0 : static_cast<std::size_t>(panel.column);
  if (graph.alternating && graph.columns >= 2) {
    bool firstOfPair = column % 2 == 0;
    bool lonely = firstOfPair && column + 1 >= graph.columns;
    if (graph.centre && !lonely)
      axis(1, firstOfPair ? 2 : 0);
    else
      axis(1, firstOfPair ? -1 : 1);
    return;
  }
  axis(1, first ? -1 : 0);
}
