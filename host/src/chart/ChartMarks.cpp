// The marks of a graph's panel: bars, lines and curves with regions, points, box plots, networks,
// cell texts and line guides.
#include "ChartGraph.h"
#include "FontMetrics.h"
#include "ViZNode.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr const char* kInk = "#333333";
constexpr int kCurveSamples = 240;
constexpr std::size_t kMaxNodes = 200;
constexpr std::size_t kMaxCellTexts = 20;
constexpr std::size_t kMaxPointMarks = 20000;

bool Finite(double a, double b = 0, double c = 0, double d = 0) {
  return std::isfinite(a) && std::isfinite(b) && std::isfinite(c) && std::isfinite(d);
}

// The median of sorted values [begin, end).
double MedianOf(const std::vector<std::pair<double, std::size_t>>& values, std::size_t begin,
                std::size_t end) {
  std::size_t count = end - begin;
  std::size_t middle = begin + count / 2;
  return count % 2 == 1 ? values[middle].first
                        : 0.5 * (values[middle - 1].first + values[middle].first);
}

// The box between two corners, in either order.
ChartRect Span(double x0, double y0, double x1, double y1) {
  return {std::min(x0, x1), std::min(y0, y1), std::fabs(x1 - x0), std::fabs(y1 - y0)};
}

void AppendPoint(std::string& path, double x, double y) {
  path += path.empty() ? 'M' : 'L';
  path += SvgWriter::Number(x);
  path += ',';
  path += SvgWriter::Number(y);
}

} // namespace

double ChartGraph::Place(const GraphPanel& panel, int dim, double value, bool band) const {
  if (band)
    return dim == 0 ? panel.xBand.Center(static_cast<std::size_t>(value))
                    : panel.yBand.Center(static_cast<std::size_t>(value));
  return dim == 0 ? panel.x.Map(value) : panel.y.Map(value);
}

std::string ChartGraph::FillOf(const GraphElement& element, std::size_t row, int group) {
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
      return fCanvas.PatternFill(static_cast<std::size_t>(pattern), color);
  }
  return color;
}

void ChartGraph::DrawValueLabel(const GraphElement& element, std::size_t row, double x, double y,
                                const char* anchor) {
  if (element.labeling == nullptr || !Finite(x, y))
    return;
  std::string text = element.labeling->Text(row);
  if (text.empty())
    return;
  ChartStyle style = fCanvas.StyleOf(*element.labelingNode);
  if (!style.visible)
    return;
  SvgWriter& svg = fCanvas.Svg();
  const double size = style.FontSizeOr(10);
  std::size_t newline = text.find('\n');
  if (newline != std::string::npos)
    text.erase(newline);
  const double width = FontMetrics::Instance().Width(text, size);
  const double left = std::string(anchor) == "middle" ? x - width / 2
                      : std::string(anchor) == "end"  ? x - width
                                                      : x;
  fCanvas.AddMarkBox({left, y - size * 0.8, width, size});
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

void ChartGraph::DrawPanel(const GraphPanel& panel) {
  SvgWriter& svg = fCanvas.Svg();
  std::string clip = fCanvas.NewId("clip");
  svg.Definitions() += "<clipPath id=\"" + SvgWriter::Escape(clip) + "\"><rect x=\"" +
                       SvgWriter::Number(panel.rect.left - 1) + "\" y=\"" +
                       SvgWriter::Number(panel.rect.top - 1) + "\" width=\"" +
                       SvgWriter::Number(panel.rect.width + 2) + "\" height=\"" +
                       SvgWriter::Number(panel.rect.height + 2) + "\"/></clipPath>\n";
  const GraphElement* edges = nullptr;
  for (const GraphElement& element : fElements)
    if (element.kind == "edge" && edges == nullptr)
      edges = &element;
  svg.Start("g").Attr("clip-path", "url(#" + clip + ")").EndStart();
  for (const GraphElement& element : fElements) {
    if (element.kind == "interval")
      DrawIntervals(element, panel);
    else if ((element.kind == "line" || element.kind == "area") && element.statistic != nullptr)
      DrawCurve(element, panel);
    else if (element.kind == "line" || element.kind == "area")
      DrawLine(element, panel);
    else if (element.kind == "point")
      DrawPoints(element, panel);
    else if (element.kind == "schema")
      DrawSchema(element, panel);
  }
  svg.Close("g");
  for (const GraphElement& element : fElements) {
    if (element.kind == "node")
      DrawNetwork(element, edges, panel);
    else if (element.kind == "textMark")
      DrawTextMark(element, panel);
  }
  DrawGuides(panel);
}

void ChartGraph::DrawIntervals(const GraphElement& element, const GraphPanel& panel) {
  SvgWriter& svg = fCanvas.Svg();
  std::vector<GraphBar> bars;
  ComputeBars(element, panel, bars);
  const int positionDim = element.horizontal ? 1 : 0;
  const bool band = fCategorical[positionDim];
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
    fCanvas.AddMarkBox({x, y, w, h});
    svg.Start("rect")
        .Attr("class", "bar")
        .Attr("x", x)
        .Attr("y", y)
        .Attr("width", w)
        .Attr("height", h)
        .Attr("fill", FillOf(element, bar.row, bar.group));
    std::string tooltip = fCanvas.Tooltip(*element.node, "", bar.row);
    if (tooltip.empty()) {
      svg.EndEmpty();
    } else {
      svg.EndStart();
      svg.Title(tooltip);
      svg.Close("rect");
    }
    if (positionDim == 0)
      DrawValueLabel(element, bar.row, (p0 + p1) / 2, std::min(m0, m1) - 3, "middle");
    else
      DrawValueLabel(element, bar.row, std::max(m0, m1) + 3, (p0 + p1) / 2 + 3.5, "start");
  }
  svg.Close("g");
}

void ChartGraph::DrawLine(const GraphElement& element, const GraphPanel& panel) {
  if (element.x == nullptr || element.y == nullptr)
    return;
  SvgWriter& svg = fCanvas.Svg();
  std::size_t groups = element.color ? std::max<std::size_t>(1, element.color->CategoryCount()) : 1;
  std::vector<std::pair<double, double>> points;
  const bool area = element.kind == "area";
  for (std::size_t group = 0; group < groups; ++group) {
    points.clear();
    std::size_t firstRow = 0;
    for (std::size_t row = 0; row < element.rows; ++row) {
      if (!InPanel(element, row, panel))
        continue;
      if (element.color && element.color->Category(row) != static_cast<int>(group))
        continue;
      std::optional<double> x = fCategorical[0] ? std::optional<double>(element.x->Category(row))
                                                : element.x->Number(row);
      std::optional<double> y = element.y->Number(row);
      if (!x || !y || (*x < 0 && fCategorical[0]))
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
      double px = Place(panel, 0, x, fCategorical[0]), py = panel.y.Map(y);
      if (Finite(px, py)) {
        AppendPoint(path, px, py);
        fCanvas.AddMarkBox(Finite(lastX, lastY) ? Span(lastX, lastY, px, py)
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
      path += "L" + SvgWriter::Number(Place(panel, 0, points.back().first, fCategorical[0])) + "," +
              SvgWriter::Number(base) + "L" +
              SvgWriter::Number(Place(panel, 0, points.front().first, fCategorical[0])) + "," +
              SvgWriter::Number(base) + "Z";
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
    std::string tooltip = fCanvas.Tooltip(*element.node, "", firstRow);
    svg.EndStart();
    svg.Title(tooltip);
    svg.Close("path");
  }
}

void ChartGraph::DrawCurve(const GraphElement& element, const GraphPanel& panel) {
  const ChartDistribution& curve = element.distribution;
  if (curve.GetKind() == ChartDistribution::Kind::kNone || fCategorical[0])
    return;
  SvgWriter& svg = fCanvas.Svg();
  const double factor = CurveScale(element, panel);
  const double low = fScale[0].Low(), high = fScale[0].High();
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
    for (int i = 0; i <= kCurveSamples; ++i) {
      double x = from + (to - from) * i / kCurveSamples;
      samples.emplace_back(x, factor * curve.Density(x));
    }
  };
  const double base = std::clamp(panel.y.Map(0), panel.rect.top, panel.rect.Bottom());
  // Regions first, so that the curve is drawn over them.
  for (const ViZNode* region : element.statistic->Children("region")) {
    ChartStyle style = fCanvas.StyleOf(*region);
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
    const std::vector<double> guides = VerticalGuides(panel);
    const auto crossed = [&](double from, double to) {
      return std::any_of(guides.begin(), guides.end(),
                         [&](double g) { return g > from - 2 && g < to + 2; });
    };
    std::vector<double> places = {left ? edge - 4 : edge + 4};
    if (left)
      for (auto g = guides.rbegin(); g != guides.rend(); ++g) {
        if (*g < edge)
          places.push_back(*g - 5);
      }
    else
      for (double g : guides)
        if (g > edge)
          places.push_back(g + 5);
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
  std::string path;
  double lastX = NAN, lastY = NAN;
  for (const auto& [x, y] : samples) {
    double px = panel.x.Map(x), py = panel.y.Map(y);
    if (Finite(px, py)) {
      AppendPoint(path, px, py);
      if (Finite(lastX, lastY))
        fCanvas.AddMarkBox(Span(lastX, lastY, px, py));
      lastX = px, lastY = py;
    }
  }
  std::string color = element.style.StrokeOr(element.style.FillOr("#333333"));
  svg.Start("path")
      .Attr("class", "curve")
      .Attr("d", path)
      .Attr("fill", "none")
      .Attr("stroke", color)
      .Attr("stroke-width", element.style.strokeWidth >= 0 ? element.style.strokeWidth : 1.5);
  if (!element.style.dash.empty())
    svg.Attr("stroke-dasharray", element.style.dash);
  svg.EndStart();
  svg.Title(fCanvas.Tooltip(*element.node, "", 0));
  svg.Close("path");
}

void ChartGraph::DrawPoints(const GraphElement& element, const GraphPanel& panel) {
  if (element.x == nullptr || element.y == nullptr)
    return;
  SvgWriter& svg = fCanvas.Svg();
  std::size_t drawn = 0;
  for (std::size_t row = 0; row < element.rows && drawn < kMaxPointMarks; ++row) {
    if (!InPanel(element, row, panel))
      continue;
    double px = NAN, py = NAN;
    for (int dim = 0; dim < 2; ++dim) {
      const ChartVariable* variable = dim == 0 ? element.x : element.y;
      double& place = dim == 0 ? px : py;
      if (fCategorical[dim]) {
        int category = variable->Category(row);
        if (category >= 0)
          place = Place(panel, dim, category, true);
      } else if (std::optional<double> value = variable->Number(row)) {
        place = Place(panel, dim, *value, false);
      }
    }
    if (!Finite(px, py))
      continue;
    ++drawn;
    fCanvas.AddMarkBox({px - 3.5, py - 3.5, 7, 7});
    int group = element.color ? element.color->Category(row) : -1;
    svg.Start("circle")
        .Attr("class", "point")
        .Attr("cx", px)
        .Attr("cy", py)
        .Attr("r", 3.5)
        .Attr("fill", FillOf(element, row, group))
        .Attr("stroke", element.style.StrokeOr("#FFFFFF"))
        .Attr("stroke-width", 0.75);
    std::string tooltip = fCanvas.Tooltip(*element.node, "", row);
    if (tooltip.empty()) {
      svg.EndEmpty();
    } else {
      svg.EndStart();
      svg.Title(tooltip);
      svg.Close("circle");
    }
    DrawValueLabel(element, row, px + 6, py + 3.5, "start");
  }
}

void ChartGraph::DrawSchema(const GraphElement& element, const GraphPanel& panel) {
  if (element.y == nullptr || fCategorical[1])
    return;
  SvgWriter& svg = fCanvas.Svg();
  const bool band = element.x != nullptr && fCategorical[0];
  const std::size_t groups = band ? element.x->CategoryCount() : 1;
  std::vector<std::vector<std::pair<double, std::size_t>>> values(groups);
  for (std::size_t row = 0; row < element.rows; ++row) {
    if (!InPanel(element, row, panel))
      continue;
    int group = band ? element.x->Category(row) : 0;
    std::optional<double> value = element.y->Number(row);
    if (group >= 0 && value)
      values[static_cast<std::size_t>(group)].emplace_back(*value, row);
  }
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
    fCanvas.AddMarkBox(Span(cx - half, wLow, cx + half, wHigh));
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
        .Attr("fill", FillOf(element, firstRow, colorGroup));
    if (element.style.opacity < 1)
      svg.Attr("fill-opacity", element.style.opacity);
    svg.EndStart();
    svg.Title(fCanvas.Tooltip(*element.node, "", firstRow));
    svg.Close("rect");
    svg.Start("line")
        .Attr("class", "median")
        .Attr("x1", cx - half)
        .Attr("x2", cx + half)
        .Attr("y1", yMedian)
        .Attr("y2", yMedian)
        .Attr("stroke-width", 2.5)
        .EndStart();
    svg.Title(fCanvas.Tooltip(*element.node, "median", firstRow));
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
      fCanvas.AddMarkBox({cx - 4, y - 4, 8, 8});
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
      DrawValueLabel(element, row, labelLeft ? cx - 6 : cx + 6, y + 3.5,
                     labelLeft ? "end" : "start");
      svg.Start("g")
          .Attr("class", "schema")
          .Attr("stroke", stroke)
          .Attr("stroke-width", strokeWidth)
          .EndStart();
    }
    svg.Close("g");
  }
}

void ChartGraph::DrawNetwork(const GraphElement& nodes, const GraphElement* edges,
                             const GraphPanel& panel) {
  if (nodes.value == nullptr)
    return;
  SvgWriter& svg = fCanvas.Svg();
  const FontMetrics& metrics = FontMetrics::Instance();
  // The nodes of this panel: categories of the node variable in its rows, in category order.
  std::vector<char> present(nodes.value->CategoryCount(), 0);
  std::vector<std::size_t> firstRow(present.size(), 0);
  for (std::size_t row = nodes.rows; row-- > 0;) {
    int category = nodes.value->Category(row);
    if (category >= 0 && InPanel(nodes, row, panel)) {
      present[static_cast<std::size_t>(category)] = 1;
      firstRow[static_cast<std::size_t>(category)] = row;
    }
  }
  std::vector<int> slot(present.size(), -1);
  std::size_t count = 0;
  for (std::size_t i = 0; i < present.size() && count < kMaxNodes; ++i)
    if (present[i])
      slot[i] = static_cast<int>(count++);
  if (count == 0)
    return;
  const ChartStyle& style = nodes.style;
  const double fontSize = style.FontSizeOr(11);
  const double lineHeight = FontMetrics::LineHeight(fontSize);
  const ChartRect& r = panel.rect;
  const double cx = r.left + r.width / 2;
  const double cy = r.top + r.height / 2;
  // Labels keep their line breaks; a long line wraps so that labels on both sides leave the
  // network some room.
  std::vector<std::vector<std::string>> labels(count);
  std::vector<double> labelWidths(count, 0);
  double widest = 0, tallest = 0;
  for (std::size_t i = 0; i < present.size(); ++i) {
    if (slot[i] < 0 || nodes.labeling == nullptr)
      continue;
    std::size_t at = static_cast<std::size_t>(slot[i]);
    labels[at] = metrics.Wrap(nodes.labeling->Text(firstRow[i]), fontSize, false,
                              std::max(40., r.width * 0.28), 4);
    for (const std::string& line : labels[at])
      labelWidths[at] = std::max(labelWidths[at], metrics.Width(line, fontSize));
    widest = std::max(widest, labelWidths[at]);
    tallest = std::max(tallest, lineHeight * static_cast<double>(labels[at].size()));
  }
  // A label that fits in a node goes inside it; otherwise every label stands beside its node.
  double nodeRadius = std::max(14., std::hypot(widest / 2, tallest / 2) + 3);
  bool inside = nodeRadius <= 26;
  if (!inside)
    nodeRadius = 7;
  const bool swap = [&] {
    const ViZNode* layout = nodes.node->FirstChild("graphLayoutStatistic");
    return layout != nullptr && layout->FirstChild("swap") != nullptr;
  }();
  std::vector<std::pair<double, double>> directions(count);
  for (std::size_t i = 0; i < count; ++i) {
    double angle = -kPi / 2 + 2 * kPi * static_cast<double>(i) / static_cast<double>(count);
    double dx = std::cos(angle), dy = std::sin(angle);
    if (swap)
      std::swap(dx, dy);
    directions[i] = {dx, dy};
  }
  // The radius of the circle: as large as lets every node and its label stay in the panel.
  const double gap = 4;
  double circle = std::min(r.width, r.height) / 2 - nodeRadius - 2;
  for (std::size_t i = 0; i < count; ++i) {
    auto [dx, dy] = directions[i];
    // How far the node and its label reach from the node's centre, across and down.
    double reachX = nodeRadius, reachY = nodeRadius;
    if (!inside && !labels[i].empty()) {
      const double w = labelWidths[i], h = lineHeight * static_cast<double>(labels[i].size());
      if (std::fabs(dx) > 0.3) { // beside the node, on its outer side
        reachX = nodeRadius + gap + w;
        reachY = std::max(nodeRadius, h / 2);
      } else { // above or below it, centred
        reachX = std::max(nodeRadius, w / 2);
        reachY = nodeRadius + gap + h;
      }
    }
    if (std::fabs(dx) > 1e-9)
      circle = std::min(circle, (r.width / 2 - reachX - 2) / std::fabs(dx));
    if (std::fabs(dy) > 1e-9)
      circle = std::min(circle, (r.height / 2 - reachY - 2) / std::fabs(dy));
  }
  circle = std::max(10., circle);
  if (count > 1)
    nodeRadius = std::min(nodeRadius, 0.45 * 2 * kPi * circle / static_cast<double>(count));
  std::vector<std::pair<double, double>> places(count);
  for (std::size_t i = 0; i < count; ++i)
    places[i] = {cx + circle * directions[i].first, cy + circle * directions[i].second};
  if (edges != nullptr && edges->from != nullptr && edges->to != nullptr) {
    const std::string baseColor = edges->style.StrokeOr(ChartPalette()[0]);
    const double width = edges->style.strokeWidth >= 0 ? edges->style.strokeWidth : 1.5;
    for (std::size_t row = 0; row < edges->rows; ++row) {
      if (!InPanel(*edges, row, panel))
        continue;
      const VarDataProcessor::Value* from = edges->from->ValueAt(row);
      const VarDataProcessor::Value* to = edges->to->ValueAt(row);
      int a = from ? nodes.value->FindCategory(*from) : -1;
      int b = to ? nodes.value->FindCategory(*to) : -1;
      if (a < 0 || b < 0 || slot[static_cast<std::size_t>(a)] < 0 ||
          slot[static_cast<std::size_t>(b)] < 0 || a == b)
        continue;
      auto [x1, y1] = places[static_cast<std::size_t>(slot[static_cast<std::size_t>(a)])];
      auto [x2, y2] = places[static_cast<std::size_t>(slot[static_cast<std::size_t>(b)])];
      double length = std::hypot(x2 - x1, y2 - y1);
      if (!(length > 2 * nodeRadius))
        continue;
      double ux = (x2 - x1) / length, uy = (y2 - y1) / length;
      int group = edges->color ? edges->color->Category(row) : -1;
      std::string color =
          group >= 0 ? edges->palette[static_cast<std::size_t>(group) % edges->palette.size()]
                     : baseColor;
      svg.Start("line")
          .Attr("class", "edge")
          .Attr("x1", x1 + ux * nodeRadius)
          .Attr("y1", y1 + uy * nodeRadius)
          .Attr("x2", x2 - ux * nodeRadius)
          .Attr("y2", y2 - uy * nodeRadius)
          .Attr("stroke", color)
          .Attr("stroke-width", width);
      int dashGroup = edges->dash ? edges->dash->Category(row) : -1;
      std::string dash =
          dashGroup >= 0 ? DashOf(static_cast<std::size_t>(dashGroup)) : edges->style.dash;
      if (!dash.empty())
        svg.Attr("stroke-dasharray", dash);
      svg.EndStart();
      svg.Title(fCanvas.Tooltip(*edges->node, "", row));
      svg.Close("line");
      if (edges->labeling != nullptr) {
        std::string text = edges->labeling->Text(row);
        ChartStyle labelStyle = fCanvas.StyleOf(*edges->labelingNode);
        if (!text.empty() && labelStyle.visible) {
          svg.Start("text")
              .Attr("class", "edge-label")
              .Attr("x", (x1 + x2) / 2)
              .Attr("y", (y1 + y2) / 2 + 3)
              .Attr("text-anchor", "middle")
              .Attr("font-size", labelStyle.FontSizeOr(9))
              .Attr("fill", labelStyle.FillOr(kInk))
              .Attr("stroke", "#FFFFFF")
              .Attr("stroke-width", 3)
              .Attr("paint-order", "stroke")
              .EndStart();
          svg.Text(text);
          svg.Close("text");
        }
      }
    }
  }
  for (std::size_t i = 0; i < present.size(); ++i) {
    if (slot[i] < 0)
      continue;
    auto [x, y] = places[static_cast<std::size_t>(slot[i])];
    svg.Start("circle")
        .Attr("class", "node")
        .Attr("cx", x)
        .Attr("cy", y)
        .Attr("r", nodeRadius)
        .Attr("fill", style.FillOr("#FFFFFF"))
        .Attr("stroke", style.StrokeOr(ChartPalette()[0]))
        .Attr("stroke-width", style.strokeWidth >= 0 ? style.strokeWidth : 1.5)
        .EndStart();
    svg.Title(fCanvas.Tooltip(*nodes.node, "", firstRow[i]));
    svg.Close("circle");
    const std::size_t at = static_cast<std::size_t>(slot[i]);
    const std::vector<std::string>& lines = labels[at];
    if (lines.empty())
      continue;
    const double height = lineHeight * static_cast<double>(lines.size());
    // The top of the label block and where its lines are anchored.
    double lx = x, top = y - height / 2;
    const char* anchor = "middle";
    if (!inside) {
      auto [dx, dy] = directions[at];
      if (std::fabs(dx) > 0.3) {
        lx = x + (dx > 0 ? 1 : -1) * (nodeRadius + gap);
        anchor = dx > 0 ? "start" : "end";
      } else {
        top = dy > 0 ? y + nodeRadius + gap : y - nodeRadius - gap - height;
      }
    }
    // A line's baseline sits this far below the top of its line box.
    const double baseline = (lineHeight - fontSize) / 2 + fontSize * 0.82;
    svg.Start("text")
        .Attr("class", "node-label")
        .Attr("x", lx)
        .Attr("y", top + baseline)
        .Attr("text-anchor", anchor)
        .Attr("font-size", fontSize)
        .Attr("fill", kInk)
        .EndStart();
    for (std::size_t l = 0; l < lines.size(); ++l) {
      svg.Start("tspan").Attr("x", lx).Attr("dy", l == 0 ? 0. : lineHeight).EndStart();
      svg.Text(lines[l]);
      svg.Close("tspan");
    }
    svg.Close("text");
  }
}

void ChartGraph::DrawTextMark(const GraphElement& element, const GraphPanel& panel) {
  if (element.value == nullptr)
    return;
  SvgWriter& svg = fCanvas.Svg();
  const double size = element.style.FontSizeOr(12);
  const double lineHeight = FontMetrics::LineHeight(size);
  std::vector<std::string> lines;
  for (std::size_t row = 0; row < element.rows && lines.size() < kMaxCellTexts; ++row) {
    if (!InPanel(element, row, panel))
      continue;
    std::string text = element.value->Text(row);
    for (std::size_t start = 0; !text.empty() && start <= text.size();) {
      std::size_t end = text.find('\n', start);
      lines.push_back(text.substr(start, end == std::string::npos ? end : end - start));
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

std::vector<double> ChartGraph::VerticalGuides(const GraphPanel& panel) const {
  std::vector<double> guides;
  if (fCategorical[0])
    return guides;
  for (const ViZNode* guide : fGraph.Children("lineGuide")) {
    const double x = AttributeNumber(*guide, "x", true);
    const double at = std::isfinite(x) ? panel.x.Map(x) : NAN;
    if (std::isfinite(at) && fCanvas.StyleOf(*guide).visible)
      guides.push_back(at);
  }
  std::sort(guides.begin(), guides.end());
  return guides;
}

void ChartGraph::DrawGuides(const GraphPanel& panel) {
  SvgWriter& svg = fCanvas.Svg();
  const FontMetrics& metrics = FontMetrics::Instance();
  const ChartRect& r = panel.rect;
  const std::vector<double> guides = VerticalGuides(panel);
  for (const ViZNode* guide : fGraph.Children("lineGuide")) {
    ChartStyle style = fCanvas.StyleOf(*guide);
    if (!style.visible)
      continue;
    double x = AttributeNumber(*guide, "x", true), y = AttributeNumber(*guide, "y", true);
    bool vertical = std::isfinite(x);
    if (vertical ? fCategorical[0] : (!std::isfinite(y) || fCategorical[1]))
      continue;
    double at = vertical ? panel.x.Map(x) : panel.y.Map(y);
    if (!std::isfinite(at))
      continue;
    std::string color = style.StrokeOr("#333333");
    fCanvas.AddMarkBox(vertical ? Span(at - 1, r.top, at + 1, r.Bottom())
                                : Span(r.left, at - 1, r.Right(), at + 1));
    // Over bars a guide is easily taken for a bar's edge: it is drawn above every mark, wider
    // than the edges, on a white casing that sets it off from the fill.
    const double width = style.strokeWidth >= 0 ? style.strokeWidth : 2;
    for (const char* part : {"guide-casing", "guide"}) {
      const bool casing = part[5] == '-';
      svg.Start("line").Attr("class", part);
      if (vertical)
        svg.Attr("x1", at).Attr("x2", at).Attr("y1", r.top).Attr("y2", r.Bottom());
      else
        svg.Attr("x1", r.left).Attr("x2", r.Right()).Attr("y1", at).Attr("y2", at);
      svg.Attr("stroke", casing ? std::string("#FFFFFF") : color)
          .Attr("stroke-width", casing ? width + 2 : width);
      if (casing)
        svg.Attr("stroke-opacity", 0.85);
      else if (!style.dash.empty())
        svg.Attr("stroke-dasharray", style.dash);
      svg.EndEmpty();
    }
    std::string label = LabelText(*guide);
    if (label.empty())
      continue;
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
    fCanvas.AddMarkBox({std::string(anchor) == "end" ? tx - widest : tx, ty - size * 0.8, widest,
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
