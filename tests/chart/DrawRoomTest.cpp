// Room for texts: multi-line labels and legend entries, and labels that stay inside the chart and
// off the marks they describe. Text boxes are measured with the chart font's widths.
#include "ChartScale.h"
#include "DrawSvg.h"

#include <algorithm>
#include <cmath>

namespace {

using namespace drawtest;

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
    SCOPED_TRACE(c.desc);
    Drawn drawn = DrawNetwork(c.labels);
    std::vector<const ViZNode*> labels = WithClass(drawn, "node-label");
    std::vector<const ViZNode*> nodes = WithClass(drawn, "node");
    ASSERT_EQ(labels.size(), c.labels.size());
    ASSERT_EQ(nodes.size(), c.labels.size());
    EXPECT_TRUE(c.lines == 0 || LinesOf(*labels[0]).size() == c.lines);
    for (std::size_t i = 0; i < labels.size(); ++i) {
      const Box box = TextBox(*labels[i]);
      const std::vector<std::string> lines = LinesOf(*labels[i]);
      EXPECT_TRUE(Inside(box, Canvas(drawn))) << "label " << i << " " << box;
      for (const std::string& line : lines)
        EXPECT_EQ(line.find_first_of("\n\\"), std::string::npos) << line;
      EXPECT_NE(lines.back().find('.'), std::string::npos) << "the value has a line";
      for (std::size_t j = 0; j < nodes.size(); ++j)
        EXPECT_TRUE(j == i || !box.Overlaps(CircleBox(*nodes[j]))) << "label " << i << " on " << j;
      for (std::size_t j = i + 1; j < labels.size(); ++j)
        EXPECT_FALSE(box.Overlaps(TextBox(*labels[j]))) << "labels " << i << ", " << j;
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
      {"escapes", "Groups", {"Positive Differences\\n(9)", "Negative Differences\\n(0)"}, {2, 2}},
      {"a long entry wraps",
       "Groups",
       {"a category whose name is far longer than any legend could show on one line", "b"},
       {2, 1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.desc);
    std::string spec = kLegend;
    spec.replace(spec.find("TITLE"), 5, c.title);
    VarDataProcessor data;
    AddSource(data, "s",
              {{"cat", {}, c.entries}, {"val", std::vector<double>(c.entries.size(), 3), {}}});
    Drawn drawn = Draw(spec, &data);
    std::vector<const ViZNode*> entries = WithClass(drawn, "legend-entry");
    ASSERT_EQ(entries.size(), c.entries.size());
    std::vector<Box> boxes;
    double legendLeft = 1e9;
    for (std::size_t i = 0; i < entries.size(); ++i) {
      const ViZNode* text = entries[i]->FirstChild("text");
      ASSERT_NE(text, nullptr);
      std::vector<std::string> lines = LinesOf(*text);
      EXPECT_TRUE(c.lines[i] == 1 ? lines.size() == 1 : lines.size() >= c.lines[i]) << i;
      for (const std::string& line : lines)
        EXPECT_EQ(line.find("\u2026"), std::string::npos) << line << " cut";
      boxes.push_back(TextBox(*text));
      legendLeft = std::min(legendLeft, boxes.back().left);
      EXPECT_TRUE(Inside(boxes.back(), Canvas(drawn))) << boxes.back();
      // Entries stack without overlap, and the plot ends before the legend begins.
      EXPECT_TRUE(i == 0 || !boxes[i].Overlaps(boxes[i - 1])) << i;
    }
    for (const ViZNode* bar : WithClass(drawn, "bar"))
      EXPECT_LE(RectBox(*bar).right, legendLeft - 16);
  }
}

// The plot area: the clip rectangle of the (first) panel, 1 pixel wider on every side.
Box PlotArea(const Drawn& drawn) {
  Box plot;
  if (drawn.root)
    Walk(*drawn.root, [&](const ViZNode& node) {
      if (node.name == "clipPath" && plot.right == 0)
        if (const ViZNode* rect = node.FirstChild("rect"))
          plot = RectBox(*rect);
    });
  return {plot.left + 1, plot.top + 1, plot.right - 1, plot.bottom - 1};
}

const char* const kBoxes = R"(<visualization>
  <sourceVariable id="v" source="b" variable="v"/>
  <sourceVariable id="g" source="b" variable="g" categorical="true"/>
  <sourceVariable id="id" source="b" variable="id" categorical="true"/>
  <graph id="graph1"><schema id="schema"><x variable="g"/><y variable="v"/>
    <labeling variable="id"/></schema>GUIDE</graph>FRAME
</visualization>)";

struct Groups {
  std::vector<double> values;
  std::vector<std::string> groups;
  std::vector<std::string> ids;
  void Add(const std::string& group, const std::vector<double>& add) {
    for (double value : add) {
      values.push_back(value);
      groups.push_back(group);
      ids.push_back(std::to_string(values.size()));
    }
  }
};

Drawn DrawBoxes(const Groups& groups, const std::string& guide = "",
                const std::string& frame = "") {
  std::string spec = kBoxes;
  spec.replace(spec.find("GUIDE"), 5, guide);
  spec.replace(spec.find("FRAME"), 5, frame);
  VarDataProcessor data;
  AddSource(data, "b",
            {{"v", groups.values, {}}, {"g", {}, groups.groups}, {"id", {}, groups.ids}});
  return Draw(spec, &data);
}

TEST(DrawRoom, OutliersAtTheEndsOfTheDataAndTheirLabelsStayOffThePlotsEdges) {
  struct Case {
    const char* desc;
    Groups groups;
  } cases[3];
  cases[0].desc = "outliers at a round maximum";
  cases[0].groups.Add("A", {10, 18, 20, 24, 26, 28, 30, 36, 40, 54, 67, 70});
  cases[0].groups.Add("B", {13, 17, 20, 24, 26, 29, 44});
  cases[1].desc = "outliers at the minimum";
  cases[1].groups.Add("A", {0, 10, 11, 12, 13, 14, 15, 16});
  cases[2].desc = "an extreme far out";
  cases[2].groups.Add("A", {1, 2, 3, 4, 5, 6, 7, 1000});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.desc);
    Drawn drawn = DrawBoxes(c.groups);
    const Box plot = PlotArea(drawn);
    ASSERT_GT(plot.right, plot.left);
    std::vector<const ViZNode*> markers = WithClass(drawn, "outlier");
    for (const ViZNode* extreme : WithClass(drawn, "extreme"))
      markers.push_back(extreme);
    ASSERT_FALSE(markers.empty());
    for (const ViZNode* marker : markers)
      if (marker->name == "circle") {
        const Box box = CircleBox(*marker);
        EXPECT_TRUE(box.top >= plot.top + 2 && box.bottom <= plot.bottom - 2) << box << plot;
      }
    std::vector<const ViZNode*> labels = WithClass(drawn, "value-label");
    EXPECT_EQ(labels.size(), markers.size());
    for (const ViZNode* label : labels)
      EXPECT_TRUE(Inside(TextBox(*label), plot)) << TextOf(*label) << " " << TextBox(*label);
    // The room below a minimum of zero is no reason for a negative tick: the data never are.
    const std::vector<const ViZNode*> ticks = TickTexts(drawn, "y");
    ASSERT_FALSE(ticks.empty());
    EXPECT_EQ(TextOf(*ticks.front()).find('-'), std::string::npos) << TextOf(*ticks.front());
  }
}

// A frame asked for at the right of the plot, a third of the way up, over a guide.
const char* const kMedianFrame = R"(<labelFrame><location method="sizeToContent" part="width"/>
  <location method="fixed" part="bottom" value="35%"/>
  <location method="same" part="right" target="graph1"/>
  <label><text>Grand Median = 258.000</text></label></labelFrame>)";

// (The median test's box plots of chickwts, where a frame first covered a box, the examples'
// stored output pins.)
TEST(DrawRoom, ALabelFrameOverThePlotCoversNoBoxOrGuide) {
  struct Case {
    const char* desc;
    Groups groups;
    double guide;
  } cases[2];
  cases[0].desc = "boxes spanning the whole range";
  for (const char* group : {"a", "b", "c", "d"})
    cases[0].groups.Add(group, {0, 10, 50, 90, 100});
  cases[0].guide = 50;
  cases[1].desc = "one group";
  cases[1].groups.Add("a", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
  cases[1].guide = 5;
  for (const Case& c : cases) {
    Drawn drawn =
        DrawBoxes(c.groups, "<lineGuide y=\"" + std::to_string(c.guide) + "\"/>", kMedianFrame);
    std::vector<const ViZNode*> frames = WithClass(drawn, "label-frame");
    ASSERT_EQ(frames.size(), 1u) << c.desc;
    const Box frame = RectBox(*frames[0]->FirstChild("rect"));
    EXPECT_TRUE(Inside(frame, Canvas(drawn))) << c.desc << ": " << frame;
    std::vector<Box> marks;
    for (const ViZNode* box : WithClass(drawn, "box"))
      marks.push_back(RectBox(*box));
    for (const ViZNode* outlier : WithClass(drawn, "outlier"))
      marks.push_back(CircleBox(*outlier));
    for (const char* cls : {"guide", "median"})
      for (const ViZNode* line : WithClass(drawn, cls))
        marks.push_back({Number(*line, "x1"), Number(*line, "y1") - 1, Number(*line, "x2"),
                         Number(*line, "y2") + 1});
    ASSERT_FALSE(marks.empty()) << c.desc;
    // Boxes spanning the whole range leave no room; then the frame covers as little as it can,
    // but never a box.
    for (const Box& mark : marks)
      EXPECT_FALSE(frame.Overlaps(mark)) << c.desc << ": frame " << frame << " on " << mark;
  }
}

// A guide over bars stands out from their edges: drawn after them, wider; a solid one on a thin
// white casing along its course, a dashed one without (under the dashes a casing reads as a gap
// between bars). A frame whose label is styled as the guide's line is its key: a sample of that
// line before the text.
TEST(DrawRoom, GuidesStandOutFromTheBarsAndFramesAreTheirKey) {
  const char* spec = R"(<visualization>
    <style id="solid" color="#000000" strokeWidth="2"/>
    <style id="dashed" color="#C2410C" strokeWidth="2" dash="7 4"/>
    <sourceVariable id="x" source="s" variable="x"/>
    <graph><interval id="bars"><x variable="x"/><y variable="y"/></interval>
      <lineGuide x="2.5" style="solid"/><lineGuide x="3" style="dashed"/></graph>
    <sourceVariable id="y" source="s" variable="y"/>
    <labelFrame><label style="dashed"><text>Hypothetical</text></label></labelFrame>
    <labelFrame><label><text>No line</text></label></labelFrame>
  </visualization>)";
  VarDataProcessor data;
  AddSource(data, "s", {{"x", {1, 2, 3, 4}, {}}, {"y", {3, 5, 4, 2}, {}}});
  Drawn drawn = Draw(spec, &data);
  ASSERT_TRUE(drawn.root);
  std::vector<std::string> order;
  double edge = 0;
  const ViZNode* casing = nullptr; // the white line last drawn
  Walk(*drawn.root, [&](const ViZNode& node) {
    if (HasClass(node, "bar")) {
      order.push_back("bar");
      edge = std::strtod(Inherited(node, "stroke-width", "1").c_str(), nullptr);
    } else if (node.name == "line" && node.AttributeOr("stroke", "") == "#FFFFFF") {
      casing = &node;
    } else if (HasClass(node, "guide")) {
      order.push_back("guide");
      EXPECT_GE(Number(node, "stroke-width"), 2 * edge);
      if (node.Attribute("stroke-dasharray") != nullptr) {
        EXPECT_EQ(casing, nullptr) << "no casing under dashes";
        return;
      }
      ASSERT_NE(casing, nullptr);
      EXPECT_GT(Number(*casing, "stroke-width"), Number(node, "stroke-width"));
      EXPECT_LE(Number(*casing, "stroke-width"), Number(node, "stroke-width") + 1)
          << "a wide casing reads as a gap";
      for (const char* end : {"x1", "x2", "y1", "y2"})
        EXPECT_EQ(Number(*casing, end), Number(node, end)) << end;
      casing = nullptr;
    }
  });
  ASSERT_EQ(std::count(order.begin(), order.end(), "guide"), 2);
  ASSERT_GE(std::count(order.begin(), order.end(), "bar"), 3);
  EXPECT_EQ(order[order.size() - 2], "guide");
  EXPECT_EQ(order.back(), "guide") << "every bar comes before the guides";
  const std::vector<const ViZNode*> samples = WithClass(drawn, "key-sample");
  ASSERT_EQ(samples.size(), 1u) << "only the frame styled as a line is a key";
  EXPECT_EQ(samples[0]->AttributeOr("stroke", ""), "#C2410C");
  EXPECT_EQ(samples[0]->AttributeOr("stroke-dasharray", ""), "7 4");
}

// Tick labels in the variable's format: separators and signs stay, decimals follow the step.
TEST(DrawRoom, TicksOfDecoratedFormatsKeepTheirSeparatorsAndSigns) {
  struct Case {
    const char* format;
    double low, high;
    std::vector<std::string> some; // labels among the y ticks
  } cases[] = {
      {"COMMA10.2", 0, 25000, {"0", "5,000", "25,000"}},
      {"DOLLAR12.2", 0, 1200000, {"$0", "$200,000", "$1,200,000"}},
      {"COMMA8.3", 0, 0.5, {"0.0", "0.1", "0.5"}},
      {"F8.2", 0, 25000, {"0", "5000", "25000"}},
      // More digits than a double holds (1e308 has 309): E notation, with the step's digits.
      {"F8.2", -1e308, 1e308, {"-1.0E+308", "0", "1.0E+308"}},
      {"F8.2", 1e20, 1.5e20, {"1.0E+020", "1.5E+020"}},
  };
  for (const Case& c : cases) {
    const std::string spec = std::string(R"(<visualization>
      <sourceVariable id="x" source="s" variable="x" categorical="true"/>
      <sourceVariable id="y" source="s" variable="y" format=")") +
                             c.format + R"("/>
      <graph><point><x variable="x"/><y variable="y"/></point></graph></visualization>)";
    VarDataProcessor data;
    AddSource(data, "s", {{"x", {}, {"a", "b"}}, {"y", {c.low, c.high}, {}}});
    Drawn drawn = Draw(spec, &data);
    std::vector<std::string> labels;
    for (const ViZNode* text : TickTexts(drawn, "y"))
      labels.push_back(TextOf(*text));
    for (const std::string& label : c.some)
      EXPECT_NE(std::find(labels.begin(), labels.end(), label), labels.end())
          << c.format << ": no tick " << label << " among " << ::testing::PrintToString(labels);
  }
}

// The box of a text turned a quarter clockwise about its anchor point, as row headings are.
Box TurnedTextBox(const ViZNode& text) {
  const double size = std::strtod(Inherited(text, "font-size", "11").c_str(), nullptr);
  const double width = FontMetrics::Instance().Width(TextOf(text), size, true);
  const double x = Number(text, "x"), y = Number(text, "y");
  return {x - 0.25 * size, y - width / 2, x + 0.8 * size, y + width / 2};
}

TEST(DrawRoom, TheRowFacetsTitleStandsClearOfTheRowHeadings) {
  const char* spec = R"(<visualization frameWidth="FRAME">
    <sourceVariable id="r" source="s" variable="r" categorical="true"/>
    <sourceVariable id="c" source="s" variable="c" categorical="true"/>
    <sourceVariable id="v" source="s" variable="v"/>
    <graph>
      <faceting><facet variable="c" dim="column"/>
        <facet variable="r" dim="row"><label><text>Father's occupational status</text></label>
        </facet></faceting>
      <interval><x variable="c"/><y variable="v"/></interval>
    </graph>
  </visualization>)";
  for (const char* frame : {"2", "4"})
    for (std::size_t count : {2u, 8u}) {
      std::string text = spec;
      text.replace(text.find("FRAME"), 5, frame);
      VarDataProcessor data;
      std::vector<std::string> rows, columns;
      std::vector<double> values;
      for (std::size_t r = 0; r < count; ++r)
        for (std::size_t c = 0; c < count; ++c) {
          rows.push_back("Status " + std::to_string(r + 1));
          columns.push_back("Status " + std::to_string(c + 1));
          values.push_back(static_cast<double>(r * c));
        }
      AddSource(data, "s", {{"r", {}, rows}, {"c", {}, columns}, {"v", values, {}}});
      Drawn drawn = Draw(text, &data);
      std::vector<const ViZNode*> titles = WithClass(drawn, "facet-label");
      ASSERT_EQ(titles.size(), 1u);
      const Box title = TurnedTextBox(*titles[0]);
      const std::string desc = std::string("frame ") + frame + ", " + std::to_string(count);
      EXPECT_TRUE(Inside(title, Canvas(drawn))) << desc << ": " << title;
      std::size_t headings = 0;
      for (const ViZNode* label : WithClass(drawn, "panel-label")) {
        if (label->Attribute("transform") == nullptr)
          continue; // a column heading
        ++headings;
        const Box heading = TurnedTextBox(*label);
        EXPECT_LE(heading.right + 6, title.left) << desc << ": " << TextOf(*label);
        EXPECT_TRUE(Inside(heading, Canvas(drawn))) << desc << ": " << heading;
      }
      EXPECT_EQ(headings, count) << desc;
    }
}

// Tick labels along a continuous x axis leave room between them and stay inside the chart however
// narrow it is and however long the labels (dates, grouped millions, values of 1e308), and still
// number at least two.
TEST(DrawRoom, XTickLabelsNeverCrowd) {
  struct Case {
    const char* desc;
    const char* format;
    double low, high;
  } cases[] = {
      {"two months", "DATE11", DayNumber(2020, 1, 3) * 86400., DayNumber(2020, 2, 27) * 86400.},
      {"three weeks", "DATE11", DayNumber(2020, 1, 3) * 86400., DayNumber(2020, 1, 24) * 86400.},
      {"twenty years", "ADATE10", DayNumber(2001, 2, 1) * 86400., DayNumber(2020, 7, 1) * 86400.},
      {"millions", "COMMA12.0", 1234567, 9876543},
      {"counts up to 1e308", "F8.2", 0, 1e308},
      {"both ends of the doubles", "F8.2", -1e308, 1e308},
  };
  for (const Case& c : cases)
    for (const char* frame : {"1", "2"}) {
      const std::string spec = std::string(R"(<visualization frameWidth=")") + frame +
                               R"("><sourceVariable id="d" source="s" variable="d" format=")" +
                               c.format + R"("/>
        <sourceVariable id="v" source="s" variable="v"/>
        <graph><point><x variable="d"/><y variable="v"/></point></graph></visualization>)";
      VarDataProcessor data;
      AddSource(data, "s", {{"d", {c.low, c.high}, {}}, {"v", {1, 2}, {}}});
      Drawn drawn = Draw(spec, &data);
      std::vector<Box> labels;
      const std::string desc = std::string(c.desc) + ", frame " + frame;
      for (const ViZNode* text : TickTexts(drawn, "x")) {
        labels.push_back(TextBox(*text));
        EXPECT_TRUE(labels.back().left >= 0 && labels.back().right <= 320 * std::atof(frame))
            << desc << ": " << labels.back();
      }
      EXPECT_GE(labels.size(), 2u) << desc;
      std::sort(labels.begin(), labels.end(),
                [](const Box& a, const Box& b) { return a.left < b.left; });
      for (std::size_t i = 1; i < labels.size(); ++i)
        EXPECT_GE(labels[i].left - labels[i - 1].right, 12)
            << desc << ": " << labels[i - 1] << " and " << labels[i];
    }
}

} // namespace

// A guide line never runs through a label: a tail's label moves to the far side of a guide that
// crosses or touches its place, and a guide's own label is wrapped into the room before the next
// guide.
TEST(DrawRoom, GuideLinesRunThroughNoLabel) {
  // Guides at the observed value inside the lower tail's label place, and at the mean, which a
  // one-line guide label would cross.
  const std::string spec = R"(<visualization>
    <graph><axis dim="x"><range min="0" max="100"/></axis><axis dim="y" visible="false"/>
      <line><distributionStatistic distribution="normal" parameter="51" secondaryParameter="5">
        <region below="0.025"><label><text>Too few runs</text></label></region>
        <region above="0.975"><label><text>Too many runs</text></label></region>
      </distributionStatistic></line>
      <lineGuide x="51"/>
      <lineGuide x="38"><label><text>Observed Number of Runs = 38</text></label></lineGuide>
    </graph></visualization>)";
  Drawn drawn = Draw(spec, nullptr);
  ASSERT_TRUE(drawn.root);
  std::vector<double> guides;
  for (const ViZNode* line : WithClass(drawn, "guide"))
    guides.push_back(Number(*line, "x1"));
  ASSERT_EQ(guides.size(), 2u);
  std::vector<const ViZNode*> labels = WithClass(drawn, "region-label");
  const std::vector<const ViZNode*> guideLabels = WithClass(drawn, "guide-label");
  labels.insert(labels.end(), guideLabels.begin(), guideLabels.end());
  ASSERT_EQ(labels.size(), 3u);
  for (const ViZNode* label : labels) {
    const Box box = TextBox(*label);
    // A tail's label keeps clear of every guide, so that it does not read as touching one; a
    // guide's own label stands close beside its line.
    const double margin = HasClass(*label, "region-label") ? 6 : 1;
    for (double guide : guides)
      EXPECT_FALSE(guide > box.left - margin && guide < box.right + margin)
          << TextOf(*label) << " spans " << box << ", the guide is at " << guide;
  }
}

// An axis title too long for its side wraps to a second line instead of losing its end (a
// printed figure has no tooltip to give it back).
TEST(DrawRoom, LongAxisTitlesWrapRatherThanEnd) {
  const std::string title = "Extra sleep with drug 2 (h) - Extra sleep with drug 1 (h)";
  const std::string spec = R"(<visualization frameWidth="1.0" frameHeight="0.8">
    <sourceVariable id="x" source="s" variable="x"/><sourceVariable id="y" source="s" variable="y"/>
    <graph><axis dim="x"><label><text>)" +
                           title + R"(</text></label></axis>
      <axis dim="y"><label><text>)" +
                           title + R"(</text></label></axis>
      <interval><x variable="x"/><y variable="y"/></interval></graph></visualization>)";
  VarDataProcessor data;
  AddSource(data, "s", {{"x", {1, 2, 3}, {}}, {"y", {3, 5, 4}, {}}});
  Drawn drawn = Draw(spec, &data);
  const std::vector<const ViZNode*> titles = WithClass(drawn, "axis-title");
  ASSERT_EQ(titles.size(), 2u);
  for (const ViZNode* axisTitle : titles) {
    std::string text;
    for (const ViZNode* line : axisTitle->Children("tspan"))
      text += (text.empty() ? "" : " ") + TextOf(*line);
    EXPECT_EQ(axisTitle->Children("tspan").size(), 2u);
    EXPECT_EQ(text, title);
  }
}
