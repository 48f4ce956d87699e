// What the drawing must hold whatever it is given: well-formed SVG, escaped texts, round ticks,
// bounded work, and every shipped template drawn at print sizes and after edits. (Random
// specifications are the chart fuzzer's, tests/fuzz/fuzz_chart.cpp; every template's drawing of
// the examples is pinned by their stored output, tests/output/GoldenTest.cpp.)
#include "ChartScale.h"
#include "DrawSvg.h"
#include "GallerySamples.h"

#include "chart/ChartError.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <regex>

namespace {

using namespace drawtest;

// Seconds `draw` takes.
template <typename F> double Seconds(F draw) {
  const auto start = std::chrono::steady_clock::now();
  draw();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// A source of two numeric columns, `rows` rows made by `row` (the row number to the two values).
template <typename F>
void AddRows(VarDataProcessor& data, const char* a, const char* b, unsigned long rows, F row) {
  data.AddDataSource("s");
  data.AddVariable("s", a);
  data.AddVariable("s", b);
  for (unsigned long r = 0; r < rows; ++r) {
    const auto [first, second] = row(r);
    data.SetVariableValue("s", a, r, first);
    data.SetVariableValue("s", b, r, second);
  }
}

TEST(DrawRobustness, HostileTextsAreEscapedAndControlCharactersReplaced) {
  const char* spec = R"(<visualization>
    <title><text>Title &lt;b&gt; &amp; "q"</text></title>
    <sourceVariable id="cat" source="s" variable="cat" categorical="true"/>
    <sourceVariable id="val" source="s" variable="val"/>
    <graph><interval id="bars"><x variable="cat"/><y variable="val"/></interval></graph>
    <popup target="bars" tokenTemplate="$[cat]$"/>
  </visualization>)";
  VarDataProcessor data;
  AddSource(
      data, "s",
      {{"cat",
        {},
        {"<script>alert(1)</script>", "a&b\"c'd", std::string("bell\x07\x1b"), "\xff\xfe broken"}},
       {"val", {1, 2, 3, 4}, {}}});
  Drawn drawn = Draw(spec, &data);
  ASSERT_TRUE(drawn.root);
  EXPECT_EQ(drawn.svg.find_first_of("\x07\x1b"), std::string::npos);
  EXPECT_EQ(drawn.svg.find("<script"), std::string::npos);
  EXPECT_NE(drawn.svg.find("&lt;script&gt;"), std::string::npos);
  std::vector<std::string> tooltips;
  for (const ViZNode* bar : WithClass(drawn, "bar"))
    tooltips.push_back(bar->FirstChild("title") ? bar->FirstChild("title")->text : "");
  EXPECT_EQ(tooltips, (std::vector<std::string>{"<script>alert(1)</script>", "a&b\"c'd",
                                                "bell\xEF\xBF\xBD\xEF\xBF\xBD",
                                                "\xEF\xBF\xBD\xEF\xBF\xBD broken"}));
  ASSERT_EQ(WithClass(drawn, "chart-title").size(), 1u);
  EXPECT_EQ(TextOf(*WithClass(drawn, "chart-title")[0]), "Title <b> & \"q\"");
}

TEST(DrawRobustness, TicksFallOnRoundNumbersCoveringTheData) {
  struct Case {
    double low, high;
  } cases[] = {{0, 1},    {0, 7},       {0.001, 0.0093}, {-3.7, 12.2}, {1e6, 3.2e6},
               {97, 103}, {-0.5, 0.5},  {0, 19},         {0, 21},      {12345.6, 12345.9},
               {5, 5},    {-1e-9, 1e-9}};
  for (const Case& c : cases) {
    ChartScale scale;
    scale.Include(c.low);
    scale.Include(c.high);
    scale.Settle(false, nullptr, nullptr, false);
    const std::vector<double>& ticks = scale.Ticks();
    SCOPED_TRACE(std::to_string(c.low) + ".." + std::to_string(c.high));
    ASSERT_GE(ticks.size(), 4u);
    EXPECT_LE(ticks.size(), 10u);
    EXPECT_TRUE(scale.Low() <= c.low && scale.High() >= c.high);
    const double step = scale.Step();
    const double mantissa = step / std::pow(10, std::floor(std::log10(step)));
    EXPECT_LT(std::min({std::fabs(mantissa - 1), std::fabs(mantissa - 2), std::fabs(mantissa - 5)}),
              1e-9)
        << "step " << step;
    for (double tick : ticks)
      EXPECT_NEAR(std::remainder(tick, step), 0, step * 1e-6) << "tick " << tick;
  }
}

// Counts take whole steps: a frequency axis of 0 to 3 reads 0, 1, 2, 3, not in halves, and so
// does one with a curve fitted over the counts; one fractional value of the data, or a span of a
// single unit, brings the fractions back.
TEST(DrawRobustness, WholeValuesTickInWholeSteps) {
  struct Case {
    std::vector<double> values, fitted;
    double step;
  } cases[] = {{{0, 3}, {}, 1},     {{0, 2, 1}, {}, 1},  {{-2, 4}, {}, 1},
               {{0, 4}, {2.65}, 1}, {{0, 2.5}, {}, 0.5}, {{0, 1}, {}, 0.2}};
  for (const Case& c : cases) {
    ChartScale scale;
    for (double value : c.values)
      scale.Include(value);
    for (double value : c.fitted)
      scale.IncludeFitted(value);
    scale.Settle(true, nullptr, nullptr, false);
    SCOPED_TRACE(testing::PrintToString(c.values));
    EXPECT_DOUBLE_EQ(scale.Step(), c.step);
  }
}

// Years tick on the first of January (steps of months the examples' stored output pins).
TEST(DrawRobustness, DateAxesTickOnCalendarStepsInTheDateFormat) {
  const char* spec = R"(<visualization>
    <sourceVariable id="d" source="s" variable="d" format="DATE11"/>
    <sourceVariable id="v" source="s" variable="v"/>
    <graph><point><x variable="d"/><y variable="v"/></point></graph>
  </visualization>)";
  VarDataProcessor data;
  AddSource(data, "s",
            {{"d", {DayNumber(2001, 2, 10) * 86400., DayNumber(2019, 6, 20) * 86400.}, {}},
             {"v", {1, 2}, {}}});
  const Drawn drawn = Draw(spec, &data);
  const std::vector<const ViZNode*> labels = TickTexts(drawn, "x");
  ASSERT_GE(labels.size(), 3u);
  for (const ViZNode* label : labels)
    EXPECT_TRUE(std::regex_match(TextOf(*label), std::regex(R"(01-JAN-\d{4})"))) << TextOf(*label);
}

TEST(DrawRobustness, OnlyAVisualizationIsDrawnAndAnEmptyOneIsAFrame) {
  ParsedSpecification notChart = ParseSpecification("<graph/>", 1 << 20, 64);
  EXPECT_THROW(DrawChart(*notChart.root, nullptr, {}), ChartError);
  Drawn empty = Draw("<visualization frameWidth=\"1e308\" frameHeight=\"-3\"/>", nullptr);
  ASSERT_TRUE(empty.root);
  EXPECT_EQ(empty.root->name, "svg");
  EXPECT_EQ(empty.root->AttributeOr("role", ""), "img");
  EXPECT_LE(Number(*empty.root, "width"), 12 * 320);
  EXPECT_GT(Number(*empty.root, "height"), 0);
}

TEST(DrawRobustness, HugeDataIsCappedNotHung) {
  const char* spec = R"(<visualization>
    <sourceVariable id="cat" source="s" variable="cat" categorical="true"/>
    <sourceVariable id="val" source="s" variable="val"/>
    <graph><interval><x variable="cat"/><y variable="val"/></interval>
      <point><x variable="cat"/><y variable="val"/></point></graph>
  </visualization>)";
  VarDataProcessor data;
  AddRows(data, "cat", "val", 200000,
          [](unsigned long row) { return std::pair(static_cast<double>(row), 1.0); });
  Drawn drawn;
  EXPECT_LT(Seconds([&] { drawn = Draw(spec, &data); }), 20);
  EXPECT_EQ(WithClass(drawn, "bar").size(), 400u) << "categories beyond the cap are left out";
  EXPECT_LE(WithClass(drawn, "point").size(), 20000u);
}

// Frames over a crowded plot look for free room; hundreds of them must not turn that search into
// a hang.
TEST(DrawRobustness, ManyLabelFramesOverACrowdedPlotDrawInTime) {
  std::string spec = R"(<visualization>
    <sourceVariable id="x" source="s" variable="x"/>
    <sourceVariable id="y" source="s" variable="y"/>
    <graph id="g"><point><x variable="x"/><y variable="y"/></point></graph>)";
  const int frames = 400;
  for (int i = 0; i < frames; ++i)
    spec += R"(<labelFrame><location part="left" method="same" target="g"/>
      <location part="top" method="same" target="g"/><label><text>Frame )" +
            std::to_string(i) + "</text></label></labelFrame>";
  spec += "</visualization>";
  VarDataProcessor data;
  AddRows(data, "x", "y", 20000, [](unsigned long row) {
    return std::pair(static_cast<double>(row % 141), static_cast<double>(row % 97));
  });
  Drawn drawn;
  EXPECT_LT(Seconds([&] { drawn = Draw(spec, &data); }), 20);
  EXPECT_EQ(WithClass(drawn, "label-frame").size(), static_cast<std::size_t>(frames));
}

// Every shipped template drawn as a printed figure: no text under 10 px, and 10 px print at 7 pt
// or more at one column (3.3 in) and 8 pt or more at two (6.9 in); a template that asks for two
// columns is given 6.9 in.
TEST(DrawRobustness, PrintedFiguresKeepTheirTextsAtPrintSizes) {
  std::vector<GalleryChart> charts =
      BuildGalleryCharts(std::string(NPTESTS_SOURCE_DIR) + "/resources/templates");
  ASSERT_FALSE(charts.empty());
  for (const GalleryChart& chart : charts) {
    SCOPED_TRACE(chart.name);
    Drawn drawn = Draw(chart.specification, chart.data.get(), chart.name + "-", true);
    ASSERT_TRUE(drawn.root);
    const std::string width = drawn.root->AttributeOr("width", "");
    ASSERT_TRUE(width == "3.3in" || width == "6.9in") << width;
    const bool twoColumns = chart.specification.find("printColumns=\"2\"") != std::string::npos;
    EXPECT_EQ(width, twoColumns ? "6.9in" : "3.3in");
    double viewWidth = 0;
    ASSERT_EQ(std::sscanf(drawn.root->AttributeOr("viewBox", "").c_str(), "0 0 %lf", &viewWidth),
              1);
    double smallest = HUGE_VAL;
    Walk(*drawn.root, [&](const ViZNode& node) {
      if (const std::string* size = node.Attribute("font-size"))
        smallest = std::min(smallest, std::strtod(size->c_str(), nullptr));
    });
    EXPECT_GE(smallest, 10);
    const double inches = std::strtod(width.c_str(), nullptr);
    const double points = smallest * inches * 72 / viewWidth;
    EXPECT_GE(points, twoColumns ? 8 : 7) << "at " << width;
    if (!twoColumns) {
      EXPECT_GE(smallest * 6.9 * 72 / viewWidth, 8) << "at two columns";
    }
  }
}

TEST(DrawRobustness, TheDrawingFollowsEditsOfTheTemplate) {
  std::vector<GalleryChart> charts =
      BuildGalleryCharts(std::string(NPTESTS_SOURCE_DIR) + "/resources/templates");
  const GalleryChart* runs = nullptr;
  const GalleryChart* chi = nullptr;
  for (const GalleryChart& chart : charts) {
    runs = chart.name == "NPAROneSampleRunsTest" ? &chart : runs;
    chi = chart.name == "NPARChiSquareTest" ? &chart : chi;
  }
  ASSERT_TRUE(runs && chi);
  auto guideX = [](const Drawn& drawn) {
    std::vector<double> xs;
    for (const ViZNode* guide : WithClass(drawn, "guide"))
      xs.push_back(Number(*guide, "x1"));
    return xs;
  };
  std::vector<double> before = guideX(Draw(runs->specification, nullptr));
  std::string moved = runs->specification;
  moved.replace(moved.find("<lineGuide x=\"19\""), 17, "<lineGuide x=\"35\"");
  std::vector<double> after = guideX(Draw(moved, nullptr));
  ASSERT_EQ(before.size(), 2u);
  ASSERT_EQ(after.size(), 2u);
  EXPECT_TRUE(before[0] == after[0] && after[1] > before[1]) << before[1] << " " << after[1];

  std::string noLegend = chi->specification;
  noLegend.erase(noLegend.find("<legend id"),
                 noLegend.find("</legend>") + 9 - noLegend.find("<legend id"));
  EXPECT_TRUE(WithClass(Draw(noLegend, chi->data.get()), "legend").empty());
  std::string recoloured = chi->specification;
  recoloured.replace(recoloured.find("<color id=\"typeColor\""), 21,
                     "<color palette=\"#123456\" id=\"typeColor\"");
  Drawn drawn = Draw(recoloured, chi->data.get());
  ASSERT_FALSE(WithClass(drawn, "bar").empty());
  EXPECT_EQ(WithClass(drawn, "bar")[0]->AttributeOr("fill", ""), "#123456");
}

TEST(DrawRobustness, DataSourcesRefuseWhatIsNotThere) {
  VarDataProcessor data;
  data.AddDataSource("s");
  data.AddVariable("s", "a");
  EXPECT_THROW(data.AddVariable("nope", "a"), ChartError);
  EXPECT_THROW(data.SetVariableValue("s", "nope", 0, 1), ChartError);
  EXPECT_THROW(data.SetVariableValue("s", "a", VarDataProcessor::kMaxRows, 1), ChartError);
  EXPECT_THROW(data.AddDataSource("t", 1), ChartError);
  EXPECT_EQ(data.RowCount("unknown"), 0u);
}

} // namespace
