// The marks a chart draws for given data: bars, box plots, networks, lines and fits, text-only
// panels, relabels, and what missing values leave out. What the examples draw (stacked and dodged
// bars with their legends and tooltips, facets, back-to-back panels, label frames, networks along
// a line, descriptions) their stored output pins (tests/output/GoldenTest.cpp).
#include "DrawSvg.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

namespace {

using namespace drawtest;

const char* const kBars = R"(<visualization>
  <sourceVariable id="cat" source="s" variable="cat" categorical="true"/>
  <sourceVariable id="val" source="s" variable="val"/>
  <graph><interval id="bars"><x variable="cat"/><y variable="val"/></interval></graph>
</visualization>)";

TEST(DrawMarks, OneBarPerRowWithAValueAndMissingValuesDrawNothing) {
  struct Case {
    const char* desc;
    std::vector<std::string> categories;
    std::vector<double> values;
    std::size_t bars;
  } cases[] = {
      {"three categories", {"a", "b", "c"}, {1, 2, 3}, 3},
      {"a missing value", {"a", "b", "c"}, {1, NAN, 3}, 2},
      {"a missing category", {"a", "", "c"}, {1, 2, 3}, 2},
      {"a zero bar has no height", {"a", "b"}, {0, 4}, 1},
      {"negative values", {"a", "b"}, {-2, 4}, 2},
  };
  for (const Case& c : cases) {
    VarDataProcessor data;
    AddSource(data, "s", {{"cat", {}, c.categories}, {"val", c.values, {}}});
    Drawn drawn = Draw(kBars, &data);
    EXPECT_EQ(WithClass(drawn, "bar").size(), c.bars) << c.desc;
    for (const ViZNode* bar : WithClass(drawn, "bar"))
      EXPECT_GT(Number(*bar, "height"), 0) << c.desc;
  }
}

TEST(DrawMarks, RelabelsAndFormatsReachTheTexts) {
  const char* spec = R"(<visualization>
    <sourceVariable id="cat" source="s" variable="cat" categorical="true">
      <format><relabel key="2.0" label="Two"/><relabel index="0" label="First"/></format>
    </sourceVariable>
    <sourceVariable id="val" source="s" variable="val">
      <format prefix="~" suffix="%" decimals="1"/>
    </sourceVariable>
    <graph><interval id="bars"><x variable="cat"/><y variable="val"/>
      <labeling variable="val"/></interval></graph>
  </visualization>)";
  VarDataProcessor data;
  AddSource(data, "s", {{"cat", {1, 2, 3}, {}}, {"val", {10, 20, 30}, {}}});
  Drawn drawn = Draw(spec, &data);
  std::vector<std::string> ticks;
  for (const ViZNode* text : TickTexts(drawn, "x"))
    ticks.push_back(TextOf(*text));
  EXPECT_EQ(ticks, (std::vector<std::string>{"First", "Two", "3"}));
  std::vector<std::string> labels;
  for (const ViZNode* label : WithClass(drawn, "value-label"))
    labels.push_back(TextOf(*label));
  EXPECT_EQ(labels, (std::vector<std::string>{"~10.0%", "~20.0%", "~30.0%"}));
}

const char* const kBox = R"(<visualization>
  <sourceVariable id="v" source="b" variable="v"/>
  <sourceVariable id="g" source="b" variable="g" categorical="true"/>
  <sourceVariable id="id" source="b" variable="id"/>
  <graph><schema id="schema"><x variable="g"/><y variable="v"/><labeling variable="id"/></schema>
  </graph>
</visualization>)";

// Tukey's hinges: halves that take the median in when the count is odd. Beyond 1.5 box lengths a
// value is an outlier, beyond 3 an extreme; both are labelled with their case.
TEST(DrawMarks, BoxPlotUsesTukeysHingesAndTellsOutliersFromExtremes) {
  struct Case {
    const char* desc;
    std::vector<double> values;
    std::size_t outliers, extremes;
  } cases[] = {
      // Hinges 3.5 and 9.5, median 6.5; 22 is an outlier, 40 an extreme.
      {"1..10, 22, 40", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 22, 40}, 1, 1},
      // Halves 1,2,3 and 3,4,5: hinges 2 and 4, median 3.
      {"an odd count", {5, 3, 1, 4, 2}, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.desc);
    std::vector<std::string> ids;
    for (std::size_t i = 0; i < c.values.size(); ++i)
      ids.push_back("case" + std::to_string(i + 1));
    VarDataProcessor data;
    AddSource(data, "b",
              {{"v", c.values, {}},
               {"g", {}, std::vector<std::string>(c.values.size(), "g1")},
               {"id", {}, ids}});
    Drawn drawn = Draw(kBox, &data);
    std::vector<const ViZNode*> boxes = WithClass(drawn, "box"),
                                medians = WithClass(drawn, "median");
    ASSERT_EQ(boxes.size(), 1u);
    ASSERT_EQ(medians.size(), 1u);
    const double top = Number(*boxes[0], "y");
    EXPECT_NEAR((Number(*medians[0], "y1") - top) / Number(*boxes[0], "height"), 0.5, 0.01);
    EXPECT_EQ(WithClass(drawn, "outlier").size(), c.outliers);
    EXPECT_EQ(WithClass(drawn, "extreme").size(), c.extremes);
    EXPECT_EQ(WithClass(drawn, "whisker").size(), 2u);
    std::set<std::string> labels;
    for (const ViZNode* label : WithClass(drawn, "value-label"))
      labels.insert(TextOf(*label));
    EXPECT_EQ(labels,
              std::set<std::string>(
                  ids.end() - static_cast<std::ptrdiff_t>(c.outliers + c.extremes), ids.end()));
    for (const ViZNode* outlier : WithClass(drawn, "outlier"))
      EXPECT_LT(Number(*outlier, "cy"), top) << "above the box";
  }
}

TEST(DrawMarks, NetworkDrawsEveryNodeAndOnlyEdgesBetweenKnownNodes) {
  const char* spec = R"(<visualization>
    <sourceVariable id="node" source="n" variable="node" categorical="true"/>
    <sourceVariable id="from" source="e" variable="from"/>
    <sourceVariable id="to" source="e" variable="to"/>
    <sourceVariable id="type" source="e" variable="type" categorical="true"/>
    <graph>
      <edge id="edges"><from variable="from"/><to variable="to"/>
        <color id="tc" variable="type" palette="#D55E00;#999999"/><dash variable="type"/></edge>
      <node id="nodes"><value variable="node"/><labeling variable="node"/>
        <graphLayoutStatistic method="circle"/></node>
    </graph>
  </visualization>)";
  VarDataProcessor data;
  AddSource(data, "n", {{"node", {1, 2, 3, 4}, {}}});
  AddSource(data, "e",
            {{"from", {1, 1, 2, 3, 9}, {}},
             {"to", {2, 3, 4, 4, 1}, {}},
             {"type", {}, {"sig", "not", "not", "sig", "sig"}}});
  Drawn drawn = Draw(spec, &data);
  std::vector<const ViZNode*> nodes = WithClass(drawn, "node");
  ASSERT_EQ(nodes.size(), 4u);
  EXPECT_EQ(WithClass(drawn, "edge").size(), 4u) << "the edge from node 9 has nowhere to go";
  std::map<std::string, int> strokes;
  for (const ViZNode* edge : WithClass(drawn, "edge"))
    ++strokes[edge->AttributeOr("stroke", "")];
  EXPECT_EQ(strokes, (std::map<std::string, int>{{"#D55E00", 2}, {"#999999", 2}}));
  // The first node stands at the top, in the middle.
  double cx = Number(*nodes[0], "cx"), cy = Number(*nodes[0], "cy");
  for (const ViZNode* node : nodes)
    EXPECT_LE(cy, Number(*node, "cy") + 0.01);
  EXPECT_NEAR(cx, Number(*nodes[2], "cx"), 0.02);
  EXPECT_TRUE(WithClass(drawn, "axis").empty()) << "networks have no axes";
}

TEST(DrawMarks, LinesJoinTheirPointsInOrderOfXAndSkipMissingOnes) {
  const char* spec = R"(<visualization>
    <sourceVariable id="x" source="s" variable="x"/>
    <sourceVariable id="y" source="s" variable="y"/>
    <graph><line><x variable="x"/><y variable="y"/></line></graph>
  </visualization>)";
  VarDataProcessor data;
  AddSource(data, "s", {{"x", {3, 1, 2, NAN}, {}}, {"y", {30, 10, NAN, 5}, {}}});
  Drawn drawn = Draw(spec, &data);
  std::vector<const ViZNode*> curves = WithClass(drawn, "curve");
  ASSERT_EQ(curves.size(), 1u);
  std::string path = curves[0]->AttributeOr("d", "");
  EXPECT_EQ(std::count(path.begin(), path.end(), 'M'), 1);
  EXPECT_EQ(std::count(path.begin(), path.end(), 'L'), 1) << "two points: (1, 10) and (3, 30)";
  // From the left end, upwards to the right.
  double x0 = std::strtod(path.c_str() + 1, nullptr);
  double x1 = std::strtod(path.c_str() + path.find('L') + 1, nullptr);
  EXPECT_LT(x0, x1);
}

} // namespace

// A fit is drawn as the distribution is: a discrete one as points at the whole numbers, never a
// line through values it cannot take; a uniform one as a step whose edges stand upright.
TEST(DrawMarks, DiscreteFitsArePointsAndTheUniformIsAStep) {
  const std::string spec = R"(<visualization>
    <sourceVariable id="x" source="s" variable="x"/><sourceVariable id="n" source="s" variable="n"/>
    <graph><interval><x variable="x"/><y variable="n"/><binStatistic/>
      <summaryStatistic method="sum"/></interval>
      <line><distributionStatistic distribution="DIST"/><x variable="x"/><y variable="n"/></line>
    </graph></visualization>)";
  VarDataProcessor data;
  AddSource(data, "s", {{"x", {1, 2, 3, 4, 5, 6, 7}, {}}, {"n", {2, 5, 6, 4, 3, 1, 1}, {}}});
  auto drawn = [&](const std::string& distribution) {
    std::string text = spec;
    text.replace(text.find("DIST\""), 5, distribution);
    return Draw(text, &data);
  };
  Drawn poisson = drawn("poisson\" parameter=\"3\"");
  ASSERT_EQ(WithClass(poisson, "curve-points").size(), 1u);
  EXPECT_TRUE(WithClass(poisson, "curve").empty()) << "no line";
  std::set<double> xs;
  Walk(*WithClass(poisson, "curve-points")[0], [&](const ViZNode& node) {
    if (node.name == "circle")
      xs.insert(Number(node, "cx"));
  });
  ASSERT_GE(xs.size(), 7u) << "a point at each whole number of the axis";
  std::vector<double> gaps;
  for (auto it = std::next(xs.begin()); it != xs.end(); ++it)
    gaps.push_back(*it - *std::prev(it));
  EXPECT_NEAR(*std::min_element(gaps.begin(), gaps.end()),
              *std::max_element(gaps.begin(), gaps.end()), 0.02)
      << "evenly spaced: one per whole number";

  Drawn uniform = drawn("uniform\" parameter=\"2\" secondaryParameter=\"6\"");
  const std::vector<const ViZNode*> curves = WithClass(uniform, "curve");
  ASSERT_EQ(curves.size(), 1u);
  // The path's points, and the upright edges among them: two, at the minimum and the maximum.
  std::vector<std::pair<double, double>> points;
  const std::string path = curves[0]->AttributeOr("d", "");
  for (std::size_t at = 0; at < path.size();) {
    char* end = nullptr;
    const double x = std::strtod(path.c_str() + at + 1, &end);
    const double y = std::strtod(end + 1, &end);
    points.emplace_back(x, y);
    at = static_cast<std::size_t>(end - path.c_str());
  }
  std::size_t upright = 0, slanted = 0;
  for (std::size_t i = 1; i < points.size(); ++i) {
    if (std::fabs(points[i].second - points[i - 1].second) < 0.01)
      continue;
    ++(std::fabs(points[i].first - points[i - 1].first) < 0.01 ? upright : slanted);
  }
  EXPECT_EQ(upright, 2u) << path;
  EXPECT_EQ(slanted, 0u) << path;
}

// A panel of texts without bars (a crosstab's diagonal cell) has nothing to measure: no axis and
// no grid; value labels stay in the first column.
TEST(DrawMarks, PanelsOfTextAloneHaveNoAxes) {
  const char* spec = R"(<visualization>
    <sourceVariable id="r" source="s" variable="r" categorical="true"/>
    <sourceVariable id="c" source="s" variable="c" categorical="true"/>
    <sourceVariable id="v" source="s" variable="v"/>
    <sourceVariable id="t" source="s" variable="t"/>
    <graph>
      <faceting><facet variable="c" dim="column"/><facet variable="r" dim="row"/></faceting>
      <axis dim="x" visible="false"/>
      <interval><x variable="c"/><y variable="v"/></interval>
      <textMark><value variable="t"/></textMark>
    </graph>
  </visualization>)";
  VarDataProcessor data;
  AddSource(data, "s",
            {{"r", {}, {"a", "a", "b", "b"}},
             {"c", {}, {"a", "b", "a", "b"}},
             {"v", {NAN, 4, 6, NAN}, {}},
             {"t", {10, NAN, NAN, 20}, {}}});
  Drawn drawn = Draw(spec, &data);
  const std::vector<const ViZNode*> panels = WithClass(drawn, "panel");
  ASSERT_EQ(panels.size(), 4u);
  std::vector<std::size_t> axes, labels;
  for (const ViZNode* panel : panels) {
    std::size_t axis = 0, label = 0;
    Walk(*panel, [&](const ViZNode& node) {
      axis += HasClass(node, "axis") || HasClass(node, "grid");
      label += node.name == "text" && node.parent != nullptr && HasClass(*node.parent, "tick");
    });
    axes.push_back(axis);
    labels.push_back(label);
  }
  EXPECT_EQ(axes[0], 0u) << "the diagonal";
  EXPECT_EQ(axes[3], 0u) << "the diagonal";
  EXPECT_GT(axes[1], 0u);
  EXPECT_GT(axes[2], 0u);
  EXPECT_EQ(labels[1], 0u) << "value labels stay in the first column, the scale is shared";
  EXPECT_GT(labels[2], 0u);
}

// A horizontal guide through box plots (a grand median) is labelled at the line, where no box
// lies: not over the box at the right end, where a label goes first.
TEST(DrawMarks, AGuideThroughBoxesIsLabelledBesideThem) {
  std::string spec = kBox;
  spec.replace(spec.find("</graph>"), 8,
               "<lineGuide y=\"5\"><label><text>Grand Median = 5.000</text></label></lineGuide>"
               "</graph>");
  VarDataProcessor data;
  std::vector<double> values;
  std::vector<std::string> groups;
  for (const char* group : {"a", "b", "c", "d"})
    for (double v : {3., 4., 4.5, 5.5, 6., 7.}) {
      values.push_back(v + (group[0] == 'c' ? 1 : 0));
      groups.push_back(group);
    }
  AddSource(data, "b", {{"v", values, {}}, {"g", {}, groups}, {"id", {}, groups}});
  Drawn drawn = Draw(spec, &data);
  const std::vector<const ViZNode*> labels = WithClass(drawn, "guide-label");
  ASSERT_EQ(labels.size(), 1u);
  const Box label = TextBox(*labels[0]);
  for (const ViZNode* box : WithClass(drawn, "box"))
    EXPECT_FALSE(label.Overlaps(RectBox(*box), 0)) << "label " << label << " over a box";
}
