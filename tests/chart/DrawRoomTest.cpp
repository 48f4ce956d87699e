// Room for texts: multi-line labels and legend entries, and labels that stay inside the chart and
// off the marks they describe. Text boxes are measured with the chart font's widths.
#include "DrawSvg.h"
#include "FontMetrics.h"

#include <algorithm>
#include <cmath>

namespace {

using namespace drawtest;

struct Box {
  double left = 0, top = 0, right = 0, bottom = 0;
  bool Overlaps(const Box& other, double slack = 0.5) const {
    return left < other.right - slack && other.left < right - slack && top < other.bottom - slack &&
           other.top < bottom - slack;
  }
};

std::ostream& operator<<(std::ostream& out, const Box& box) {
  return out << "[" << box.left << ", " << box.top << " - " << box.right << ", " << box.bottom
             << "]";
}

// An attribute of the node or of the nearest ancestor that has it.
std::string Inherited(const ViZNode& node, const char* attribute, const std::string& fallback) {
  for (const ViZNode* at = &node; at != nullptr; at = at->parent)
    if (const std::string* value = at->Attribute(attribute))
      return *value;
  return fallback;
}

std::vector<std::string> LinesOf(const ViZNode& text) {
  std::vector<std::string> lines;
  for (const auto& child : text.children)
    if (child->name == "tspan")
      lines.push_back(child->text);
  if (lines.empty())
    lines.push_back(text.text);
  return lines;
}

// The box a text element covers: its lines from the baseline of the first, at its anchor.
Box TextBox(const ViZNode& text) {
  const double size = std::strtod(Inherited(text, "font-size", "11").c_str(), nullptr);
  const bool bold = Inherited(text, "font-weight", "") == "bold";
  const std::string anchor = Inherited(text, "text-anchor", "start");
  const std::vector<std::string> lines = LinesOf(text);
  double widest = 0;
  for (const std::string& line : lines)
    widest = std::max(widest, FontMetrics::Instance().Width(line, size, bold));
  const double x = Number(text, "x"), y = Number(text, "y");
  Box box;
  box.left = anchor == "middle" ? x - widest / 2 : anchor == "end" ? x - widest : x;
  box.right = box.left + widest;
  box.top = y - size * 0.8;
  box.bottom =
      y + size * 0.2 + FontMetrics::LineHeight(size) * static_cast<double>(lines.size() - 1);
  return box;
}

Box RectBox(const ViZNode& rect) {
  double x = Number(rect, "x"), y = Number(rect, "y");
  return {x, y, x + Number(rect, "width"), y + Number(rect, "height")};
}

Box CircleBox(const ViZNode& circle) {
  double cx = Number(circle, "cx"), cy = Number(circle, "cy"), r = Number(circle, "r");
  return {cx - r, cy - r, cx + r, cy + r};
}

Box Canvas(const Drawn& drawn) {
  return {0, 0, Number(*drawn.root, "width"), Number(*drawn.root, "height")};
}

bool Inside(const Box& inner, const Box& outer) {
  return inner.left >= outer.left - 0.5 && inner.right <= outer.right + 0.5 &&
         inner.top >= outer.top - 0.5 && inner.bottom <= outer.bottom + 0.5;
}

const char* const kNetwork = R"(<visualization>
    <sourceVariable id="node" source="n" variable="node" categorical="true">
      <format>RELABELS</format>
    </sourceVariable>
    <sourceVariable id="from" source="e" variable="from"/>
    <sourceVariable id="to" source="e" variable="to"/>
    <graph>
      <edge id="edges"><from variable="from"/><to variable="to"/></edge>
      <node id="nodes"><value variable="node"/><labeling variable="node"/>
        <graphLayoutStatistic method="circle"/></node>
    </graph>
  </visualization>)";

Drawn DrawNetwork(const std::vector<std::string>& labels) {
  std::string relabels;
  for (std::size_t i = 0; i < labels.size(); ++i)
    relabels += "<relabel key=\"" + std::to_string(i + 1) + ".0\" label=\"" + labels[i] + "\"/>";
  std::string spec = kNetwork;
  spec.replace(spec.find("RELABELS"), 8, relabels);
  std::vector<double> nodes, from, to;
  for (std::size_t i = 0; i < labels.size(); ++i) {
    nodes.push_back(static_cast<double>(i + 1));
    from.push_back(static_cast<double>(i + 1));
    to.push_back(static_cast<double>((i + 1) % labels.size() + 1));
  }
  VarDataProcessor data;
  AddSource(data, "n", {{"node", nodes, {}}});
  AddSource(data, "e", {{"from", from, {}}, {"to", to, {}}});
  return Draw(spec, &data);
}

TEST(DrawRoom, NetworkLabelsKeepTheirLinesAndStayInsideTheChartOffOtherNodes) {
  const std::string field = "Judicial integrity rated 8 or more";
  struct Case {
    const char* desc;
    std::vector<std::string> labels;
    std::size_t lines; // of the first node's label
  } cases[] = {
      {"short names with a line feed",
       {"Casein&#10;52.33", "Horse bean&#10;9.80", "Linseed&#10;24.46", "Meat meal&#10;40.14",
        "Soybean&#10;32.04", "Sunflower&#10;53.88"},
       2},
      {"the two-character escape", {"Low\\n36.19", "Medium\\n27.33", "High\\n18.97"}, 2},
      {"long fields",
       {field + "&#10;28.00", "Demeanor rated 8 or more&#10;17.00",
        "Diligence rated 8 or more&#10;19.00", "Case flow managing rated 8 or more&#10;13.00"},
       0},
      {"eight long fields", std::vector<std::string>(8, field + " and some more&#10;1.00"), 0},
      {"one node", {field + "&#10;1.00"}, 0},
  };
  for (const Case& c : cases) {
    Drawn drawn = DrawNetwork(c.labels);
    ASSERT_TRUE(drawn.root) << c.desc;
    std::vector<const ViZNode*> labels = WithClass(drawn, "node-label");
    std::vector<const ViZNode*> nodes = WithClass(drawn, "node");
    ASSERT_EQ(labels.size(), c.labels.size()) << c.desc;
    ASSERT_EQ(nodes.size(), c.labels.size()) << c.desc;
    if (c.lines > 0) {
      EXPECT_EQ(LinesOf(*labels[0]).size(), c.lines) << c.desc;
    }
    for (std::size_t i = 0; i < labels.size(); ++i) {
      const Box box = TextBox(*labels[i]);
      const std::vector<std::string> lines = LinesOf(*labels[i]);
      EXPECT_TRUE(Inside(box, Canvas(drawn))) << c.desc << ": label " << i << " " << box;
      for (const std::string& line : lines)
        EXPECT_EQ(line.find_first_of("\n\\"), std::string::npos) << c.desc << ": " << line;
      EXPECT_NE(lines.back().find('.'), std::string::npos) << c.desc << ": the value has a line";
      for (std::size_t j = 0; j < nodes.size(); ++j) {
        if (j != i) {
          EXPECT_FALSE(box.Overlaps(CircleBox(*nodes[j])))
              << c.desc << ": label " << i << " on node " << j;
        }
      }
      for (std::size_t j = i + 1; j < labels.size(); ++j)
        EXPECT_FALSE(box.Overlaps(TextBox(*labels[j]))) << c.desc << ": labels " << i << ", " << j;
    }
  }
}

const char* const kLegend = R"(<visualization>
  <sourceVariable id="cat" source="s" variable="cat" categorical="true"/>
  <sourceVariable id="val" source="s" variable="val"/>
  <graph><interval id="bars"><x variable="cat"/><y variable="val"/><color id="c" variable="cat"/>
  </interval></graph>
  <legend id="l"><label><text>TITLE</text></label><legendTarget target="c"/></legend>
</visualization>)";

TEST(DrawRoom, LegendEntriesKeepTheirLinesAndTheLegendIsAsWideAsTheyAre) {
  struct Case {
    const char* desc;
    std::string title;
    std::vector<std::string> entries;
    std::vector<std::size_t> lines;
  } cases[] = {
      {"line feeds", "Groups", {"Control Group\nN = 27", "Experimental Group\nN = 27"}, {2, 2}},
      {"escapes", "Groups", {"Positive Differences\\n(9)", "Negative Differences\\n(0)"}, {2, 2}},
      {"one-liners", "Adj. Sig.", {"< 0.05", ">= 0.05"}, {1, 1}},
      {"a long entry wraps",
       "Groups",
       {"a category whose name is far longer than any legend could show on one line", "b"},
       {2, 1}},
  };
  for (const Case& c : cases) {
    std::string spec = kLegend;
    spec.replace(spec.find("TITLE"), 5, c.title);
    std::vector<double> values(c.entries.size(), 3);
    VarDataProcessor data;
    AddSource(data, "s", {{"cat", {}, c.entries}, {"val", values, {}}});
    Drawn drawn = Draw(spec, &data);
    ASSERT_TRUE(drawn.root) << c.desc;
    std::vector<const ViZNode*> entries = WithClass(drawn, "legend-entry");
    ASSERT_EQ(entries.size(), c.entries.size()) << c.desc;
    std::vector<Box> boxes;
    for (std::size_t i = 0; i < entries.size(); ++i) {
      const ViZNode* text = entries[i]->FirstChild("text");
      ASSERT_NE(text, nullptr) << c.desc;
      std::vector<std::string> lines = LinesOf(*text);
      if (c.lines[i] == 1)
        EXPECT_EQ(lines.size(), 1u) << c.desc;
      else
        EXPECT_GE(lines.size(), c.lines[i]) << c.desc;
      for (const std::string& line : lines)
        EXPECT_EQ(line.find("\u2026"), std::string::npos) << c.desc << ": " << line << " cut";
      boxes.push_back(TextBox(*text));
      EXPECT_TRUE(Inside(boxes.back(), Canvas(drawn))) << c.desc << ": " << boxes.back();
    }
    // Entries stack without overlap, and the plot ends before the legend begins.
    for (std::size_t i = 1; i < boxes.size(); ++i)
      EXPECT_FALSE(boxes[i].Overlaps(boxes[i - 1])) << c.desc;
    double legendLeft = boxes[0].left;
    for (const Box& box : boxes)
      legendLeft = std::min(legendLeft, box.left);
    for (const ViZNode* bar : WithClass(drawn, "bar"))
      EXPECT_LE(RectBox(*bar).right, legendLeft - 16) << c.desc;
  }
}

} // namespace
