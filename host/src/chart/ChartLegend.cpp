// Legends: entries per category of the targeted aesthetics, aesthetics of one variable merged.
#include "ChartLegend.h"

#include "FontMetrics.h"
#include "ViZNode.h"

#include <algorithm>

namespace {

constexpr double kFont = 11;
constexpr double kRow = 17;
constexpr double kSwatch = 12;
constexpr std::size_t kMaxEntries = 40;

bool IsAesthetic(const ViZNode& node) {
  return node.name == "color" || node.name == "pattern" || node.name == "dash";
}

std::vector<const ViZNode*> Targets(const ViZNode& root, const ViZNode& legend) {
  std::vector<const ViZNode*> targets;
  for (const ViZNode* target : legend.Children("legendTarget"))
    if (const ViZNode* found = root.FindById(target->AttributeOr("target", "")))
      if (IsAesthetic(*found))
        targets.push_back(found);
  if (!legend.Children("legendTarget").empty())
    return targets;
  // No targets: every aesthetic of the first graph.
  if (const ViZNode* graph = root.FirstChild("graph"))
    for (const auto& element : graph->children)
      for (const auto& child : element->children)
        if (IsAesthetic(*child))
          targets.push_back(child.get());
  return targets;
}

} // namespace

std::vector<ChartLegend> ChartLegend::Collect(ChartCanvas& canvas) {
  const ViZNode& root = canvas.Root();
  std::vector<const ViZNode*> order;
  for (const ViZNode* extension : root.Children("extension"))
    for (const ViZNode* reference : extension->Children("legendRef"))
      if (const ViZNode* legend = root.FindById(reference->AttributeOr("legend", "")))
        if (legend->name == "legend" &&
            std::find(order.begin(), order.end(), legend) == order.end())
          order.push_back(legend);
  for (const ViZNode* legend : root.Children("legend"))
    if (std::find(order.begin(), order.end(), legend) == order.end())
      order.push_back(legend);

  std::vector<ChartLegend> legends;
  for (const ViZNode* node : order) {
    if (node->AttributeOr("visible", "true") == "false" || !canvas.StyleOf(*node).visible)
      continue;
    ChartLegend legend;
    legend.title = LabelText(*node);
    std::vector<const ViZNode*> targets = Targets(root, *node);
    // Aesthetics that share a variable share entries.
    std::vector<std::pair<const ChartVariable*, std::vector<const ViZNode*>>> byVariable;
    for (const ViZNode* target : targets) {
      const ChartVariable* variable = canvas.Variable(target->AttributeOr("variable", ""));
      if (variable == nullptr)
        continue;
      auto found = std::find_if(byVariable.begin(), byVariable.end(),
                                [&](const auto& pair) { return pair.first == variable; });
      if (found == byVariable.end())
        byVariable.push_back({variable, {target}});
      else
        found->second.push_back(target);
    }
    for (const auto& [variable, aesthetics] : byVariable) {
      if (legend.title.empty())
        legend.title = variable->Label();
      for (std::size_t i = 0; i < variable->CategoryCount() && legend.entries.size() < kMaxEntries;
           ++i) {
        Entry entry;
        entry.text = variable->CategoryText(i);
        std::string color;
        std::size_t pattern = 0;
        for (const ViZNode* aesthetic : aesthetics) {
          const ViZNode* element = aesthetic->parent;
          entry.line = entry.line ||
                       (element != nullptr && (element->name == "edge" || element->name == "line"));
          if (aesthetic->name == "color") {
            std::vector<std::string> palette = PaletteOf(*aesthetic);
            color = palette[i % palette.size()];
          } else if (aesthetic->name == "pattern") {
            pattern = i;
          } else {
            entry.dash = DashOf(i);
          }
        }
        if (color.empty()) {
          const ViZNode* element = aesthetics.front()->parent;
          ChartStyle style = element ? canvas.StyleOf(*element) : ChartStyle();
          color = entry.line ? style.StrokeOr("#444444") : style.FillOr("#444444");
        }
        entry.stroke = color;
        if (!entry.line)
          entry.fill = canvas.PatternFill(pattern, color);
        legend.entries.push_back(std::move(entry));
      }
    }
    if (!legend.entries.empty())
      legends.push_back(std::move(legend));
  }
  return legends;
}

namespace {

constexpr std::size_t kMaxEntryLines = 4;
constexpr std::size_t kMaxTitleLines = 2;

double Widest(const std::vector<std::string>& lines, bool bold) {
  double widest = 0;
  for (const std::string& line : lines)
    widest = std::max(widest, FontMetrics::Instance().Width(line, kFont, bold));
  return widest;
}

// The height of an entry of `lines` lines: a row for one line, a line height more for each other.
double EntryHeight(std::size_t lines) {
  return kRow + FontMetrics::LineHeight(kFont) * static_cast<double>(lines > 1 ? lines - 1 : 0);
}

} // namespace

std::vector<std::string> ChartLegend::TitleLines() const {
  return FontMetrics::Instance().Wrap(title, kFont, true, maxTextWidth + 22, kMaxTitleLines);
}

std::vector<std::string> ChartLegend::EntryLines(const Entry& entry) const {
  return FontMetrics::Instance().Wrap(entry.text, kFont, false, maxTextWidth, kMaxEntryLines);
}

double ChartLegend::Width() const {
  // As wide as the widest entry or title line needs: a line longer than the room has been
  // wrapped, so the widest line is never wider than the room, except a single word.
  double widest = Widest(TitleLines(), true);
  for (const Entry& entry : entries)
    widest = std::max(widest, 22 + Widest(EntryLines(entry), false));
  return widest + 4;
}

double ChartLegend::Height() const {
  std::size_t titleLines = title.empty() ? 0 : TitleLines().size();
  double height = titleLines == 0 ? 0 : EntryHeight(titleLines) + 2;
  for (const Entry& entry : entries)
    height += EntryHeight(EntryLines(entry).size());
  return height;
}

void ChartLegend::Draw(ChartCanvas& canvas, double x, double y) const {
  SvgWriter& svg = canvas.Svg();
  const double lineHeight = FontMetrics::LineHeight(kFont);
  svg.Start("g")
      .Attr("class", "legend")
      .Attr("font-size", kFont)
      .Attr("fill", "#333333")
      .EndStart();
  if (!title.empty()) {
    std::vector<std::string> lines = TitleLines();
    svg.Start("text")
        .Attr("class", "legend-title")
        .Attr("x", x)
        .Attr("y", y + kFont)
        .Attr("font-weight", "bold")
        .EndStart();
    for (std::size_t i = 0; i < lines.size(); ++i) {
      svg.Start("tspan").Attr("x", x).Attr("dy", i == 0 ? 0. : lineHeight).EndStart();
      svg.Text(lines[i]);
      svg.Close("tspan");
    }
    svg.Close("text");
    y += EntryHeight(lines.size()) + 2;
  }
  for (const Entry& entry : entries) {
    svg.Start("g").Attr("class", "legend-entry").EndStart();
    if (entry.line) {
      svg.Start("line")
          .Attr("x1", x)
          .Attr("x2", x + 16)
          .Attr("y1", y + kSwatch / 2)
          .Attr("y2", y + kSwatch / 2)
          .Attr("stroke", entry.stroke)
          .Attr("stroke-width", 2);
      if (!entry.dash.empty())
        svg.Attr("stroke-dasharray", entry.dash);
      svg.EndEmpty();
    } else {
      svg.Start("rect")
          .Attr("x", x + 2)
          .Attr("y", y)
          .Attr("width", kSwatch)
          .Attr("height", kSwatch)
          .Attr("fill", entry.fill)
          .Attr("stroke", "#555555")
          .Attr("stroke-width", 0.5)
          .EndEmpty();
    }
    std::vector<std::string> lines = EntryLines(entry);
    svg.Start("text").Attr("x", x + 22).Attr("y", y + kSwatch - 2).EndStart();
    for (std::size_t i = 0; i < lines.size(); ++i) {
      svg.Start("tspan").Attr("x", x + 22).Attr("dy", i == 0 ? 0. : lineHeight).EndStart();
      svg.Text(lines[i]);
      svg.Close("tspan");
    }
    svg.Close("text");
    svg.Close("g");
    y += EntryHeight(lines.size());
  }
  svg.Close("g");
}
