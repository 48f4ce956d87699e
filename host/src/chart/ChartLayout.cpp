// Locations of graphs and label frames, and the label frames themselves.
#include "ChartLayout.h"

#include "FontMetrics.h"
#include "ViZNode.h"

#include <algorithm>
#include <cmath>

namespace {

// The length of a key's line sample.
constexpr double kKeySample = 22;

enum Part { kLeft, kRight, kTop, kBottom, kWidth, kHeight, kParts };
const char* const kPartNames[kParts] = {"left", "right", "top", "bottom", "width", "height"};

int PartOf(const std::string& name) {
  for (int part = 0; part < kParts; ++part)
    if (name == kPartNames[part])
      return part;
  return -1;
}

double PartValue(const ChartRect& box, int part) {
  switch (part) {
  case kLeft:
    return box.left;
  case kRight:
    return box.Right();
  case kTop:
    return box.top;
  case kBottom:
    return box.Bottom();
  case kWidth:
    return box.width;
  default:
    return box.height;
  }
}

// Resolves one dimension from its low end, high end and size (NaN when not fixed).
void Resolve(double low, double high, double size, double fallbackLow, double fallbackHigh,
             double content, bool stretch, double& start, double& length) {
  bool hasLow = std::isfinite(low), hasHigh = std::isfinite(high), hasSize = std::isfinite(size);
  if (hasLow && hasHigh) {
    start = low, length = high - low;
  } else if (hasLow) {
    start = low, length = hasSize ? size : stretch ? fallbackHigh - low : content;
  } else if (hasHigh) {
    length = hasSize ? size : stretch ? high - fallbackLow : content;
    start = high - length;
  } else {
    length = hasSize ? size : stretch ? fallbackHigh - fallbackLow : content;
    start = stretch ? fallbackLow : fallbackHigh - length;
  }
  if (!std::isfinite(length) || length < 0)
    length = 0;
}

constexpr std::size_t kMaxMovingFrames = 12;

double Overlap(const ChartRect& a, const ChartRect& b) {
  double width = std::min(a.Right(), b.Right()) - std::max(a.left, b.left);
  double height = std::min(a.Bottom(), b.Bottom()) - std::max(a.top, b.top);
  return width > 0 && height > 0 ? width * height : 0;
}

// A frame placed against another frame moves with it, never on its own.
bool FollowsAFrame(const ViZNode& frame) {
  const ViZNode* root = frame.parent;
  for (const ViZNode* location : frame.Children("location")) {
    const ViZNode* target =
        root != nullptr ? root->FindById(location->AttributeOr("target", "")) : nullptr;
    if (target != nullptr && target->name == "labelFrame")
      return true;
  }
  return false;
}

// The place for `box` over the plot that covers the least of the marks, nearest to where it was
// asked for: the asked place itself when it covers none.
ChartRect AwayFromMarks(const ChartRect& box, const ChartRect& plot,
                        const std::vector<ChartRect>& marks, const std::vector<ChartRect>& frames) {
  auto covered = [&](const ChartRect& at) {
    double area = 0;
    // Marks count with a margin, so that a line of no width still counts, and a frame keeps a
    // little air around the marks it avoids.
    for (const ChartRect& mark : marks)
      area += Overlap(at, {mark.left - 2, mark.top - 2, mark.width + 4, mark.height + 4});
    for (const ChartRect& frame : frames)
      area += 4 * Overlap(at, frame);
    return area;
  };
  double best = covered(box);
  if (best <= 0)
    return box;
  ChartRect bestBox = box;
  double bestDistance = 0;
  constexpr int kSteps = 20;
  const double left = plot.left + 4, top = plot.top + 4;
  const double spanX = std::max(0., plot.width - box.width - 8);
  const double spanY = std::max(0., plot.height - box.height - 8);
  for (int i = 0; i <= kSteps; ++i)
    for (int j = 0; j <= kSteps; ++j) {
      ChartRect at = box;
      at.left = left + spanX * i / kSteps;
      at.top = top + spanY * j / kSteps;
      double area = covered(at);
      double distance = std::hypot(at.left - box.left, at.top - box.top);
      if (area < best - 1e-9 || (area <= best + 1e-9 && distance < bestDistance)) {
        best = area;
        bestBox = at;
        bestDistance = distance;
      }
    }
  return bestBox;
}

} // namespace

void ChartLayout::Remember(const ViZNode& node, const ChartRect& box) {
  if (const std::string* id = node.Attribute("id"))
    fBoxes[*id] = box;
}

ChartRect ChartLayout::Place(const ViZNode& node, const ChartRect& fallback, double contentWidth,
                             double contentHeight, bool stretch) const {
  double parts[kParts];
  std::fill(std::begin(parts), std::end(parts), NAN);
  for (const ViZNode* location : node.Children("location")) {
    int part = PartOf(location->AttributeOr("part", ""));
    if (part < 0)
      continue;
    std::string method = location->AttributeOr("method", "fixed");
    bool horizontal = part == kLeft || part == kRight || part == kWidth;
    if (method == "fixed") {
      double value = AttributeLength(*location, "value", horizontal ? fFrame.width : fFrame.height);
      if (std::isfinite(value))
        parts[part] = value;
    } else if (method == "sizeToContent") {
      if (part == kWidth)
        parts[part] = contentWidth;
      else if (part == kHeight)
        parts[part] = contentHeight;
    } else if (method == "same" || method == "attach") {
      auto target = fBoxes.find(location->AttributeOr("target", ""));
      if (target == fBoxes.end())
        continue;
      int from = part;
      if (method == "attach") {
        static const int kOpposite[kParts] = {kRight, kLeft, kBottom, kTop, kWidth, kHeight};
        from = kOpposite[part];
      }
      parts[part] = PartValue(target->second, from);
    }
  }
  ChartRect box;
  Resolve(parts[kLeft], parts[kRight], parts[kWidth], fallback.left, fallback.Right(), contentWidth,
          stretch, box.left, box.width);
  Resolve(parts[kTop], parts[kBottom], parts[kHeight], fallback.top, fallback.Bottom(),
          contentHeight, stretch, box.top, box.height);
  return box;
}

ChartRect ChartLayout::PlaceGraph(const ViZNode& graph, const ChartRect& available) {
  ChartRect box = Place(graph, available, available.width, available.height, true);
  // A graph never leaves the frame, and keeps room to draw in.
  box.left = std::clamp(box.left, 0., std::max(0., fFrame.width - 40));
  box.top = std::clamp(box.top, 0., std::max(0., fFrame.height - 40));
  box.width = std::clamp(box.width, 40., std::max(40., fFrame.width - box.left));
  box.height = std::clamp(box.height, 40., std::max(40., fFrame.height - box.top));
  Remember(graph, box);
  return box;
}

void ChartLayout::DrawLabelFrames(ChartCanvas& canvas, const ChartRect& plot) {
  const FontMetrics& metrics = FontMetrics::Instance();
  SvgWriter& svg = canvas.Svg();
  // Frames already placed count as marks for the frames after them.
  std::vector<ChartRect> placed;
  for (const ViZNode* frame : canvas.Root().Children("labelFrame")) {
    ChartStyle style = canvas.StyleOf(*frame);
    const ViZNode* label = frame->FirstChild("label");
    std::string text = LabelText(*frame);
    if (!style.visible || text.empty())
      continue;
    ChartStyle textStyle = label != nullptr ? canvas.StyleOf(*label) : ChartStyle();
    const double size = textStyle.FontSizeOr(style.FontSizeOr(11));
    const bool bold = textStyle.bold || style.bold;
    // A label styled as a line (a stroke width) is a key to a guide: a sample of the line
    // stands before its text.
    const bool key = textStyle.strokeWidth > 0;
    const double sample = key ? kKeySample + 6 : 0;
    std::vector<std::string> lines =
        metrics.Wrap(text, size, bold, fFrame.width * 0.45 - sample, 12);
    double widest = 0;
    for (const std::string& line : lines)
      widest = std::max(widest, metrics.Width(line, size, bold));
    const double lineHeight = FontMetrics::LineHeight(size);
    double contentWidth = widest + 14 + sample;
    double contentHeight = static_cast<double>(lines.size()) * lineHeight + 8;
    ChartRect fallback = {plot.left, plot.top + 6, plot.width - 6, contentHeight};
    ChartRect box = Place(*frame, fallback, contentWidth, contentHeight, false);
    // Keep the frame inside the chart: a frame attached beside a wide graph moves in.
    box.width = std::min(box.width, fFrame.width - 4);
    box.left = std::clamp(box.left, 2., std::max(2., fFrame.width - box.width - 2));
    box.top = std::clamp(box.top, 2., std::max(2., fFrame.height - box.height - 2));
    // The search for room is costly; the few frames a chart has get it, a flood of them does not.
    if (placed.size() < kMaxMovingFrames && Overlap(box, plot) > 0 && !FollowsAFrame(*frame))
      box = AwayFromMarks(box, plot, canvas.MarkBoxes(), placed);
    placed.push_back(box);
    Remember(*frame, box);
    svg.Start("g").Attr("class", "label-frame").EndStart();
    svg.Start("rect")
        .Attr("x", box.left)
        .Attr("y", box.top)
        .Attr("width", box.width)
        .Attr("height", box.height)
        .Attr("fill", style.FillOr("#FFFFFF"))
        .Attr("stroke", style.StrokeOr("#B0B0B0"))
        .Attr("stroke-width", style.strokeWidth >= 0 ? style.strokeWidth : 0.75);
    if (style.opacity < 1)
      svg.Attr("fill-opacity", style.opacity);
    svg.EndEmpty();
    double x = box.left + 7;
    if (key) {
      const double y = box.top + 4 + size * 0.65;
      svg.Start("line")
          .Attr("class", "key-sample")
          .Attr("x1", x)
          .Attr("x2", x + kKeySample)
          .Attr("y1", y)
          .Attr("y2", y)
          .Attr("stroke", textStyle.StrokeOr("#333333"))
          .Attr("stroke-width", textStyle.strokeWidth);
      if (!textStyle.dash.empty())
        svg.Attr("stroke-dasharray", textStyle.dash);
      svg.EndEmpty();
      x += sample;
    }
    svg.Start("text")
        .Attr("x", x)
        .Attr("y", box.top + 4 + size)
        .Attr("font-size", size)
        .Attr("fill", textStyle.stroke.empty() ? "#333333" : textStyle.stroke);
    if (bold)
      svg.Attr("font-weight", "bold");
    svg.EndStart();
    for (std::size_t i = 0; i < lines.size(); ++i) {
      svg.Start("tspan").Attr("x", x).Attr("dy", i == 0 ? 0. : lineHeight).EndStart();
      svg.Text(lines[i]);
      svg.Close("tspan");
    }
    svg.Close("text");
    svg.Close("g");
  }
}
