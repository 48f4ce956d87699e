// A network (node and edge elements): the nodes on a circle with their labels inside or beside
// them and the edges between them, or the nodes along a line and the edges as arcs.
#include "FontMetrics.h"
#include "GraphMarks.h"
#include "MarkHelpers.h"
#include "ViZNode.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr std::size_t kMaxNodes = 200;

// The name of the node of value category `category`: the first line of its label, else its
// category text.
std::string NodeName(const GraphElement& nodes, int category, std::size_t row) {
  std::string name = nodes.labeling != nullptr ? nodes.labeling->Text(row) : std::string();
  name = name.substr(0, name.find('\n'));
  return name.empty() ? nodes.value->CategoryText(static_cast<std::size_t>(category)) : name;
}

// The description of a network: the pairs of the first colour category (the significant ones),
// each with its label ("Pairs < 0.05: Horse bean - Sunflower (<.001), ...").
void DescribePairs(GraphModel& graph, const GraphElement& nodes, const GraphElement* edges,
                   const GraphPanel& panel, const std::vector<std::size_t>& firstRow) {
  if (edges == nullptr || edges->from == nullptr || edges->to == nullptr ||
      edges->color == nullptr || edges->color->CategoryCount() == 0)
    return;
  std::string pairs;
  std::size_t count = 0;
  for (std::size_t row = 0; row < edges->rows; ++row) {
    if (!graph.InPanel(*edges, row, panel) || edges->color->Category(row) != 0)
      continue;
    const VarDataProcessor::Value* from = edges->from->ValueAt(row);
    const VarDataProcessor::Value* to = edges->to->ValueAt(row);
    const int a = from ? nodes.value->FindCategory(*from) : -1;
    const int b = to ? nodes.value->FindCategory(*to) : -1;
    if (a < 0 || b < 0 || static_cast<std::size_t>(std::max(a, b)) >= firstRow.size())
      continue;
    if (++count > 30)
      break;
    std::string label = edges->labeling != nullptr ? edges->labeling->Text(row) : std::string();
    pairs += (pairs.empty() ? "" : ", ") +
             NodeName(nodes, a, firstRow[static_cast<std::size_t>(a)]) + " \u2013 " +
             NodeName(nodes, b, firstRow[static_cast<std::size_t>(b)]) +
             (label.empty() ? "" : " (" + label + ")");
  }
  graph.canvas.Describe(graph.canvas.Word("Pairs") + " " + edges->color->CategoryText(0) + ": " +
                        (pairs.empty() ? graph.canvas.Word("none") : pairs) + ".");
}

// The network laid out along a line: the nodes in their category order, evenly spaced across the
// panel's middle, each a box around its label; every edge an arc between its two nodes, above or
// below the line. An edge of the first colour category starts above, the others below; then an
// edge changes sides while that lessens the crossings (two arcs on one side cross when their ends
// interleave), so that the drawing crosses as little as the order allows. Each edge's label
// stands at its arc's top.
void DrawLineNetwork(GraphModel& graph, const GraphElement& nodes, const GraphElement* edges,
                     const GraphPanel& panel, const std::vector<int>& slot,
                     const std::vector<std::size_t>& firstRow, std::size_t count) {
  SvgWriter& svg = graph.canvas.Svg();
  const FontMetrics& metrics = FontMetrics::Instance();
  const ChartStyle& style = nodes.style;
  const double fontSize = style.FontSizeOr(11);
  const double lineHeight = FontMetrics::LineHeight(fontSize);
  const ChartRect& r = panel.rect;
  const double spacing = r.width / static_cast<double>(count);
  const double cy = r.top + r.height / 2;
  std::vector<double> xs(count);
  for (std::size_t i = 0; i < count; ++i)
    xs[i] = r.left + spacing * (static_cast<double>(i) + 0.5);
  // Labels wrap to the room between nodes.
  std::vector<std::vector<std::string>> labels(count);
  std::vector<double> widths(count, 0);
  double tallest = lineHeight;
  for (std::size_t i = 0; i < slot.size(); ++i) {
    if (slot[i] < 0 || nodes.labeling == nullptr)
      continue;
    const std::size_t at = static_cast<std::size_t>(slot[i]);
    labels[at] = metrics.Wrap(nodes.labeling->Text(firstRow[i]), fontSize, false,
                              std::max(30., spacing - 12), 4);
    for (const std::string& line : labels[at])
      widths[at] = std::max(widths[at], metrics.Width(line, fontSize));
    tallest = std::max(tallest, lineHeight * static_cast<double>(labels[at].size()));
  }
  const double boxHeight = tallest + 6;
  // The highest arc (first node to last) reaches this far from the line, leaving room for its
  // label.
  const double reach = std::max(10., r.height / 2 - 16);
  const double span = std::max(1., xs.back() - xs.front());

  struct Arc {
    std::size_t row;
    std::size_t a, b; // node slots, a < b
    bool above;
  };
  std::vector<Arc> arcs;
  if (edges != nullptr && edges->from != nullptr && edges->to != nullptr) {
    for (std::size_t row = 0; row < edges->rows; ++row) {
      if (!graph.InPanel(*edges, row, panel))
        continue;
      const VarDataProcessor::Value* from = edges->from->ValueAt(row);
      const VarDataProcessor::Value* to = edges->to->ValueAt(row);
      const int a = from ? nodes.value->FindCategory(*from) : -1;
      const int b = to ? nodes.value->FindCategory(*to) : -1;
      if (a < 0 || b < 0 || a == b || slot[static_cast<std::size_t>(a)] < 0 ||
          slot[static_cast<std::size_t>(b)] < 0)
        continue;
      std::size_t sa = static_cast<std::size_t>(slot[static_cast<std::size_t>(a)]);
      std::size_t sb = static_cast<std::size_t>(slot[static_cast<std::size_t>(b)]);
      if (sa > sb)
        std::swap(sa, sb);
      const int group = edges->color ? edges->color->Category(row) : -1;
      arcs.push_back({row, sa, sb, group <= 0});
    }
  }
  const auto cross = [](const Arc& p, const Arc& q) {
    return (p.a < q.a && q.a < p.b && p.b < q.b) || (q.a < p.a && p.a < q.b && q.b < p.b);
  };
  // Sides by local search: a few passes over the arcs, each flipping an arc that then crosses
  // fewer arcs on its new side. Bounded, so a dense network costs no more than a few passes.
  if (arcs.size() <= 2000) {
    for (int pass = 0; pass < 8; ++pass) {
      bool changed = false;
      for (Arc& arc : arcs) {
        std::size_t same = 0, other = 0;
        for (const Arc& next : arcs)
          if (&next != &arc && cross(arc, next))
            ++(next.above == arc.above ? same : other);
        if (other < same) {
          arc.above = !arc.above;
          changed = true;
        }
      }
      if (!changed)
        break;
    }
  }
  if (edges != nullptr) {
    const std::string baseColor = edges->style.StrokeOr(ChartPalette()[0]);
    const double width = edges->style.strokeWidth >= 0 ? edges->style.strokeWidth : 1.5;
    for (const Arc& arc : arcs) {
      const double x1 = xs[arc.a], x2 = xs[arc.b];
      // A quadratic curve reaches half its control point's distance from the line.
      const double top = reach * (x2 - x1) / span;
      const double control = cy + (arc.above ? -2 : 2) * top;
      const int group = edges->color ? edges->color->Category(arc.row) : -1;
      const std::string color =
          group >= 0 ? edges->palette[static_cast<std::size_t>(group) % edges->palette.size()]
                     : baseColor;
      svg.Start("path")
          .Attr("class", "edge")
          .Attr("d", "M" + SvgWriter::Number(x1) + "," + SvgWriter::Number(cy) + "Q" +
                         SvgWriter::Number((x1 + x2) / 2) + "," + SvgWriter::Number(control) + " " +
                         SvgWriter::Number(x2) + "," + SvgWriter::Number(cy))
          .Attr("fill", "none")
          .Attr("stroke", color)
          .Attr("stroke-width", width);
      const int dashGroup = edges->dash ? edges->dash->Category(arc.row) : -1;
      const std::string dash =
          dashGroup >= 0 ? DashOf(static_cast<std::size_t>(dashGroup)) : edges->style.dash;
      if (!dash.empty())
        svg.Attr("stroke-dasharray", dash);
      svg.EndStart();
      svg.Title(graph.canvas.Tooltip(*edges->node, "", arc.row));
      svg.Close("path");
    }
    // Labels over every arc, so that no arc runs through a label.
    for (const Arc& arc : arcs) {
      if (edges->labeling == nullptr)
        break;
      const std::string text = edges->labeling->Text(arc.row);
      const ChartStyle labelStyle = graph.canvas.StyleOf(*edges->labelingNode);
      if (text.empty() || !labelStyle.visible)
        continue;
      const double x1 = xs[arc.a], x2 = xs[arc.b];
      const double top = reach * (x2 - x1) / span;
      const double size = labelStyle.FontSizeOr(10);
      const double y = arc.above ? cy - top - 2 : cy + top + size;
      svg.Start("text")
          .Attr("class", "edge-label")
          .Attr("x", (x1 + x2) / 2)
          .Attr("y", y)
          .Attr("text-anchor", "middle")
          .Attr("font-size", size)
          .Attr("fill", labelStyle.FillOr(kInk))
          .Attr("stroke", "#FFFFFF")
          .Attr("stroke-width", 3)
          .Attr("paint-order", "stroke")
          .EndStart();
      svg.Text(text);
      svg.Close("text");
    }
  }
  for (std::size_t i = 0; i < slot.size(); ++i) {
    if (slot[i] < 0)
      continue;
    const std::size_t at = static_cast<std::size_t>(slot[i]);
    const double w = std::max(widths[at], 16.) + 10;
    graph.canvas.AddMarkBox({xs[at] - w / 2, cy - boxHeight / 2, w, boxHeight});
    svg.Start("rect")
        .Attr("class", "node")
        .Attr("x", xs[at] - w / 2)
        .Attr("y", cy - boxHeight / 2)
        .Attr("width", w)
        .Attr("height", boxHeight)
        .Attr("rx", 4)
        .Attr("fill", style.FillOr("#FFFFFF"))
        .Attr("stroke", style.StrokeOr(ChartPalette()[0]))
        .Attr("stroke-width", style.strokeWidth >= 0 ? style.strokeWidth : 1.5)
        .EndStart();
    std::string tooltip = graph.canvas.Tooltip(*nodes.node, "", firstRow[i]);
    if (tooltip.empty() && nodes.labeling != nullptr)
      tooltip = nodes.labeling->Text(firstRow[i]);
    svg.Title(tooltip);
    svg.Close("rect");
    const std::vector<std::string>& lines = labels[at];
    if (lines.empty())
      continue;
    const double height = lineHeight * static_cast<double>(lines.size());
    const double baseline = (lineHeight - fontSize) / 2 + fontSize * 0.82;
    svg.Start("text")
        .Attr("class", "node-label")
        .Attr("x", xs[at])
        .Attr("y", cy - height / 2 + baseline)
        .Attr("text-anchor", "middle")
        .Attr("font-size", fontSize)
        .Attr("fill", kInk)
        .EndStart();
    for (std::size_t l = 0; l < lines.size(); ++l) {
      svg.Start("tspan").Attr("x", xs[at]).Attr("dy", l == 0 ? 0. : lineHeight).EndStart();
      svg.Text(lines[l]);
      svg.Close("tspan");
    }
    svg.Close("text");
  }
}

} // namespace

void DrawNetwork(GraphModel& graph, const GraphElement& nodes, const GraphElement* edges,
                 const GraphPanel& panel) {
  if (nodes.value == nullptr)
    return;
  SvgWriter& svg = graph.canvas.Svg();
  const FontMetrics& metrics = FontMetrics::Instance();
  // The nodes of this panel: categories of the node variable in its rows, in category order.
  std::vector<char> present(nodes.value->CategoryCount(), 0);
  std::vector<std::size_t> firstRow(present.size(), 0);
  for (std::size_t row = nodes.rows; row-- > 0;) {
    int category = nodes.value->Category(row);
    if (category >= 0 && graph.InPanel(nodes, row, panel)) {
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
  DescribePairs(graph, nodes, edges, panel, firstRow);
  const ViZNode* layout = nodes.node->FirstChild("graphLayoutStatistic");
  if (layout != nullptr && layout->AttributeOr("method", "") == "line") {
    DrawLineNetwork(graph, nodes, edges, panel, slot, firstRow, count);
    return;
  }
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
  const bool swap = layout != nullptr && layout->FirstChild("swap") != nullptr;
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
      if (!graph.InPanel(*edges, row, panel))
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
      svg.Title(graph.canvas.Tooltip(*edges->node, "", row));
      svg.Close("line");
      if (edges->labeling != nullptr) {
        std::string text = edges->labeling->Text(row);
        ChartStyle labelStyle = graph.canvas.StyleOf(*edges->labelingNode);
        if (!text.empty() && labelStyle.visible) {
          svg.Start("text")
              .Attr("class", "edge-label")
              .Attr("x", (x1 + x2) / 2)
              .Attr("y", (y1 + y2) / 2 + 3)
              .Attr("text-anchor", "middle")
              .Attr("font-size", labelStyle.FontSizeOr(10))
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
    std::string tooltip = graph.canvas.Tooltip(*nodes.node, "", firstRow[i]);
    if (tooltip.empty() && nodes.labeling != nullptr)
      tooltip = nodes.labeling->Text(firstRow[i]);
    svg.Title(tooltip);
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
