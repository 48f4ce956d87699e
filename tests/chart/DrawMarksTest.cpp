// The marks a chart draws for given data: bars, stacks, box plots, networks, facets, legends,
// tooltips, relabels, and what missing values leave out.
#include "DrawSvg.h"
#include "FontMetrics.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

namespace {

using namespace drawtest;

const char* const kBars = R"(<visualization>
  <sourceVariable id="cat" source="s" variable="cat" categorical="true"/>
  <sourceVariable id="val" source="s" variable="val"/>
  <sourceVariable id="type" source="s" variable="type" categorical="true"/>
  <graph><interval id="bars" position="POSITION">
    <x variable="cat"/><y variable="val"/><color id="c" variable="type"/>
  </interval></graph>
  <legend id="l"><legendTarget target="c"/></legend>
  <popup target="bars" tokenTemplate="$[cat]$ has $[val]$"/>
</visualization>)";

std::string WithPosition(const std::string& position) {
  std::string text = kBars;
  text.replace(text.find("POSITION"), 8, position);
  return text;
}

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
    Drawn drawn = Draw(WithPosition("dodge"), &data);
    EXPECT_EQ(WithClass(drawn, "bar").size(), c.bars) << c.desc;
    for (const ViZNode* bar : WithClass(drawn, "bar"))
      EXPECT_GT(Number(*bar, "height"), 0) << c.desc;
  }
}

TEST(DrawMarks, StackedSegmentsTouchAndShareTheHeightByValue) {
  VarDataProcessor data;
  AddSource(data, "s",
            {{"cat", {}, {"a", "a", "b", "b"}},
             {"val", {30, 10, 20, 20}, {}},
             {"type", {}, {"x", "y", "x", "y"}}});
  Drawn drawn = Draw(WithPosition("stack"), &data);
  std::vector<const ViZNode*> bars = WithClass(drawn, "bar");
  ASSERT_EQ(bars.size(), 4u);
  // Segments of one category share x; the lower one's top is the upper one's bottom.
  std::map<double, std::vector<const ViZNode*>> byX;
  for (const ViZNode* bar : bars)
    byX[Number(*bar, "x")].push_back(bar);
  ASSERT_EQ(byX.size(), 2u);
  double totals[2];
  int i = 0;
  for (auto& [x, segments] : byX) {
    ASSERT_EQ(segments.size(), 2u);
    std::sort(segments.begin(), segments.end(),
              [](auto a, auto b) { return Number(*a, "y") < Number(*b, "y"); });
    EXPECT_NEAR(Number(*segments[0], "y") + Number(*segments[0], "height"),
                Number(*segments[1], "y"), 0.02);
    totals[i++] = Number(*segments[0], "height") + Number(*segments[1], "height");
  }
  // Both stacks total 40: equal heights. Within "a", 30 : 10 by height (first type at the bottom).
  EXPECT_NEAR(totals[0], totals[1], 0.05);
  auto a = byX.begin()->second;
  EXPECT_NEAR(Number(*a[1], "height") / Number(*a[0], "height"), 3.0, 0.01);
}

// Dodged bars of one category touch; the legend lists the colour categories and tooltips fill
// their tokens.
TEST(DrawMarks, DodgedBarsSitSideBySideWithALegendAndTooltips) {
  VarDataProcessor data;
  AddSource(data, "s",
            {{"cat", {}, {"north", "north", "east"}},
             {"val", {1.5, 2, 3}, {}},
             {"type", {}, {"x", "y", "z"}}});
  Drawn drawn = Draw(WithPosition("dodge"), &data);
  std::vector<const ViZNode*> bars = WithClass(drawn, "bar");
  ASSERT_EQ(bars.size(), 3u);
  EXPECT_NEAR(std::fabs(Number(*bars[1], "x") - Number(*bars[0], "x")), Number(*bars[0], "width"),
              0.02)
      << "touching, not overlapping";
  EXPECT_NE(*bars[0]->Attribute("fill"), *bars[1]->Attribute("fill"));
  EXPECT_EQ(WithClass(drawn, "legend-entry").size(), 3u);
  std::set<std::string> tooltips;
  for (const ViZNode* bar : bars)
    if (const ViZNode* title = bar->FirstChild("title"))
      tooltips.insert(title->text);
  EXPECT_EQ(tooltips, (std::set<std::string>{"north has 1.5", "north has 2", "east has 3"}));
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

TEST(DrawMarks, FacetsMakeOnePanelPerCategoryPair) {
  const char* spec = R"(<visualization>
    <sourceVariable id="r" source="s" variable="r" categorical="true"/>
    <sourceVariable id="c" source="s" variable="c" categorical="true"/>
    <sourceVariable id="v" source="s" variable="v"/>
    <sourceVariable id="k" source="s" variable="k" categorical="true"/>
    <graph>
      <faceting><facet variable="c" dim="column"><label><text>Columns</text></label></facet>
        <facet variable="r" dim="row"/></faceting>
      <interval><x variable="k"/><y variable="v"/></interval>
    </graph>
  </visualization>)";
  VarDataProcessor data;
  std::vector<std::string> rows, columns, keys;
  std::vector<double> values;
  for (const char* r : {"r1", "r2"})
    for (const char* c : {"c1", "c2", "c3"}) {
      rows.push_back(r);
      columns.push_back(c);
      keys.push_back("k");
      values.push_back(values.size() + 1);
    }
  AddSource(data, "s", {{"r", {}, rows}, {"c", {}, columns}, {"v", values, {}}, {"k", {}, keys}});
  Drawn drawn = Draw(spec, &data);
  EXPECT_EQ(WithClass(drawn, "panel").size(), 6u);
  EXPECT_EQ(WithClass(drawn, "bar").size(), 6u) << "each panel shows its own row";
  EXPECT_EQ(WithClass(drawn, "facet-label").size(), 1u);
  EXPECT_EQ(WithClass(drawn, "panel-label").size(), 5u) << "three column and two row headings";
}

TEST(DrawMarks, BackToBackPanelsGrowAwayFromTheirGap) {
  const char* spec = R"(<visualization>
    <sourceVariable id="n" source="s" variable="n"/>
    <sourceVariable id="m" source="s" variable="m"/>
    <sourceVariable id="t" source="s" variable="t" categorical="true"/>
    <graph><facetLayout alternating="true " centre="y" invert="true"/>
      <faceting><facet variable="t" dim="column"/></faceting>
      <interval orientation="horizontal"><x variable="n"/><y variable="m"/><binStatistic/>
        <summaryStatistic method="sum"/></interval></graph>
  </visualization>)";
  VarDataProcessor data;
  AddSource(data, "s",
            {{"n", {4, 2, 3, 5}, {}}, {"m", {1, 2, 1, 2}, {}}, {"t", {}, {"a", "a", "b", "b"}}});
  Drawn drawn = Draw(spec, &data);
  std::vector<const ViZNode*> bars = WithClass(drawn, "bar");
  ASSERT_EQ(bars.size(), 4u);
  // Bars of the first panel end (right edge) at one x, those of the second start at another,
  // to the right of it: both stand against the gap.
  std::vector<const ViZNode*> byX = bars;
  std::sort(byX.begin(), byX.end(),
            [](auto a, auto b) { return Number(*a, "x") < Number(*b, "x"); });
  std::set<double> leftRightEdges, rightLeftEdges;
  for (std::size_t i = 0; i < byX.size(); ++i)
    (i < 2 ? leftRightEdges : rightLeftEdges)
        .insert(std::round(Number(*byX[i], "x") + (i < 2 ? Number(*byX[i], "width") : 0)));
  ASSERT_EQ(leftRightEdges.size() + rightLeftEdges.size(), 2u);
  EXPECT_LT(*leftRightEdges.begin(), *rightLeftEdges.begin());
  // Inverted value axis: bars come in the order of their bins within a panel, and the bin of 1
  // (m = 1 of panel a) is above the bin of 2.
  EXPECT_LT(Number(*bars[0], "y"), Number(*bars[1], "y"));
}

TEST(DrawMarks, LabelFramesFollowTheirLocations) {
  const char* spec = R"(<visualization frameWidth="2" frameHeight="1.5">
    <graph id="graph1"><location part="right" method="fixed" value="60%"/></graph>
    <labelFrame id="first">
      <location part="left" method="attach" target="graph1"/>
      <location part="top" method="same" target="graph1"/>
      <location part="width" method="sizeToContent"/>
      <label><text>Mean = 12.5
N = 40</text></label></labelFrame>
    <labelFrame id="second">
      <location part="top" method="attach" target="first"/>
      <location part="left" method="same" target="first"/>
      <label><text>Second</text></label></labelFrame>
    <labelFrame id="empty"><label><text></text></label></labelFrame>
  </visualization>)";
  Drawn drawn = Draw(spec, nullptr);
  std::vector<const ViZNode*> frames = WithClass(drawn, "label-frame");
  ASSERT_EQ(frames.size(), 2u) << "a frame without text is not drawn";
  const ViZNode* first = frames[0]->FirstChild("rect");
  const ViZNode* second = frames[1]->FirstChild("rect");
  ASSERT_TRUE(first && second);
  EXPECT_NEAR(Number(*first, "x"), 0.6 * 640, 0.02);
  EXPECT_NEAR(Number(*second, "x"), Number(*first, "x"), 0.02);
  EXPECT_NEAR(Number(*second, "y"), Number(*first, "y") + Number(*first, "height"), 0.02);
  EXPECT_EQ(TextOf(*frames[0]->FirstChild("text")), "Mean = 12.5|N = 40");
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
  const double x = Number(*labels[0], "x"), y = Number(*labels[0], "y");
  double width = 0;
  for (const ViZNode* child : labels[0]->Children("tspan"))
    width = std::max(width, FontMetrics::Instance().Width(TextOf(*child), 11));
  const double lines = static_cast<double>(labels[0]->Children("tspan").size());
  for (const ViZNode* box : WithClass(drawn, "box")) {
    const double left = Number(*box, "x"), top = Number(*box, "y");
    const bool apart = x + width <= left || x >= left + Number(*box, "width") ||
                       y - 11 + lines * FontMetrics::LineHeight(11) <= top ||
                       y - 11 >= top + Number(*box, "height");
    EXPECT_TRUE(apart) << "label at " << x << "," << y << " over a box at " << left << "," << top;
  }
}

// Along a line, in the nodes' category order, every edge an arc labelled at its top; arcs change
// sides while that lessens their crossings (two arcs on one side cross when their ends
// interleave). Six samples compared in all 15 pairs, the pairs three or more apart in rank
// significant: a circle crosses 15 times whatever the order, the line at most 3 times.
TEST(DrawMarks, ALineNetworkKeepsItsOrderAndCrossesLittle) {
  const char* spec = R"(<visualization>
    <sourceVariable id="node" source="n" variable="node" categorical="true"
      categoryOrder="6;5;4;3;2;1"/>
    <sourceVariable id="from" source="e" variable="from"/>
    <sourceVariable id="to" source="e" variable="to"/>
    <sourceVariable id="type" source="e" variable="type" categorical="true"/>
    <sourceVariable id="sig" source="e" variable="sig"/>
    <graph>
      <edge id="edges"><from variable="from"/><to variable="to"/>
        <color id="tc" variable="type" palette="#D55E00;#999999"/><labeling variable="sig"/></edge>
      <node id="nodes"><value variable="node"/><labeling variable="node"/>
        <graphLayoutStatistic method="line"/></node>
    </graph>
  </visualization>)";
  std::vector<double> from, to;
  std::vector<std::string> types, sigs;
  for (int a = 1; a <= 6; ++a)
    for (int b = a + 1; b <= 6; ++b) {
      from.push_back(a);
      to.push_back(b);
      types.push_back(b - a >= 3 ? "1sig" : "2not");
      sigs.push_back(b - a >= 3 ? "<.001" : ".500");
    }
  VarDataProcessor data;
  AddSource(data, "n", {{"node", {1, 2, 3, 4, 5, 6}, {}}});
  AddSource(data, "e",
            {{"from", from, {}}, {"to", to, {}}, {"type", {}, types}, {"sig", {}, sigs}});
  Drawn drawn = Draw(spec, &data);
  std::map<std::string, double> xs;
  for (const ViZNode* label : WithClass(drawn, "node-label"))
    xs[TextOf(*label)] = Number(*label, "x");
  ASSERT_EQ(xs.size(), 6u);
  for (const char* node : {"1", "2", "3", "4", "5"})
    EXPECT_GT(xs[node], xs[std::to_string(std::stoi(node) + 1)]) << "6 to 1 from left to right";
  struct Arc {
    double left, right;
    bool above;
  };
  std::vector<Arc> arcs;
  for (const ViZNode* edge : WithClass(drawn, "edge")) {
    double x1 = 0, y1 = 0, cx = 0, cy = 0, x2 = 0, y2 = 0;
    ASSERT_EQ(std::sscanf(edge->AttributeOr("d", "").c_str(), "M%lf,%lfQ%lf,%lf %lf,%lf", &x1, &y1,
                          &cx, &cy, &x2, &y2),
              6);
    arcs.push_back({std::min(x1, x2), std::max(x1, x2), cy < y1});
  }
  ASSERT_EQ(arcs.size(), 15u);
  int crossings = 0;
  for (std::size_t i = 0; i < arcs.size(); ++i)
    for (std::size_t j = i + 1; j < arcs.size(); ++j) {
      const Arc &p = arcs[i], &q = arcs[j];
      crossings +=
          p.above == q.above && ((p.left < q.left && q.left < p.right && p.right < q.right) ||
                                 (q.left < p.left && p.left < q.right && q.right < p.right));
    }
  EXPECT_LE(crossings, 3);
  EXPECT_EQ(WithClass(drawn, "edge-label").size(), 15u) << "each pair's significance";
}

// The accessible description says what the marks show, not the title again: a box plot's
// medians and ranges, a histogram's range and highest bar, a network's pairs of the first colour
// category. Every bar and point has a tooltip with its values, popup or not.
TEST(DrawMarks, DescriptionsSayWhatTheChartShowsAndEveryMarkHasATooltip) {
  const auto descriptionOf = [](const Drawn& drawn) {
    const ViZNode* desc = drawn.root ? drawn.root->FirstChild("desc") : nullptr;
    return desc != nullptr ? TextOf(*desc) : std::string();
  };
  {
    VarDataProcessor data;
    AddSource(data, "b",
              {{"v", {1, 2, 3, 4, 5, 10, 20, 30}, {}},
               {"g", {}, {"a", "a", "a", "a", "a", "b", "b", "b"}},
               {"id", {}, {"1", "2", "3", "4", "5", "6", "7", "8"}}});
    std::string spec = kBox;
    spec.replace(spec.find("<graph>"), 7, "<title><text>Boxes</text></title><graph>");
    Drawn drawn = Draw(spec, &data);
    const std::string desc = descriptionOf(drawn);
    EXPECT_EQ(desc.find("Boxes"), std::string::npos) << desc;
    EXPECT_NE(desc.find("a 3 (1 to 5), b 20 (10 to 30)"), std::string::npos) << desc;
    for (const ViZNode* box : WithClass(drawn, "box"))
      EXPECT_NE(box->FirstChild("title"), nullptr);
  }
  {
    const char* spec = R"(<visualization><graph>
      <interval id="bars"><x variable="x"/><y variable="n"/><binStatistic/>
        <summaryStatistic method="sum"/></interval></graph>
      <sourceVariable id="x" source="s" variable="x"/>
      <sourceVariable id="n" source="s" variable="n"/></visualization>)";
    VarDataProcessor data;
    AddSource(data, "s", {{"x", {10, 20, 30, 40}, {}}, {"n", {2, 7, 3, 1}, {}}});
    Drawn drawn = Draw(spec, &data);
    const std::string desc = descriptionOf(drawn);
    EXPECT_NE(desc.find("Values from 5 to 45; the highest bar, 15 to 25, holds 7."),
              std::string::npos)
        << desc;
    const std::vector<const ViZNode*> bars = WithClass(drawn, "bar");
    ASSERT_EQ(bars.size(), 4u);
    for (const ViZNode* bar : bars)
      ASSERT_NE(bar->FirstChild("title"), nullptr) << "a tooltip without a popup";
    EXPECT_EQ(TextOf(*bars[1]->FirstChild("title")), "15 to 25: 7");
  }
  {
    const char* spec = R"(<visualization>
      <sourceVariable id="node" source="n" variable="node" categorical="true"/>
      <sourceVariable id="from" source="e" variable="from"/>
      <sourceVariable id="to" source="e" variable="to"/>
      <sourceVariable id="type" source="e" variable="type" categorical="true"/>
      <graph><edge><from variable="from"/><to variable="to"/>
        <color variable="type"/></edge>
        <node><value variable="node"/><labeling variable="node"/>
          <graphLayoutStatistic method="line"/></node></graph></visualization>)";
    VarDataProcessor data;
    AddSource(data, "n", {{"node", {1, 2, 3}, {}}});
    AddSource(
        data, "e",
        {{"from", {1, 1, 2}, {}}, {"to", {2, 3, 3}, {}}, {"type", {}, {"p<.05", "no", "no"}}});
    const std::string desc = descriptionOf(Draw(spec, &data));
    EXPECT_NE(desc.find("Pairs p<.05: 1 \u2013 2."), std::string::npos) << desc;
  }
}
