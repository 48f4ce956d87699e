// The crosstab charts of the McNemar change test and the marginal homogeneity test.
#include "MarginalHomogeneity.h"
#include "RSMcNemarChangeTestView.h"
#include "ViewTestSupport.h"

#include "chart/ChartService.h"

using namespace outtest;
using namespace viewtest;

namespace {

// Fields "father" (0) and "son" (1), both with the value labels I, II and III.
struct CrosstabRun {
  WriterRun run;
  Stats::CategoryFieldsComparisonData crosstab;

  CrosstabRun() {
    for (const char* name : {"father", "son"})
      run.LabelValues(run.AddField(name), {"I", "II", "III"});
    crosstab.fFields[0].fFieldIndex = 0;
    crosstab.fFields[1].fFieldIndex = 1;
  }

  const output::Chart* Chart(bool mcNemar) {
    std::string subtitle;
    if (mcNemar)
      RSMcNemarChangeTestView(run.stats, crosstab, run.strings).createChart(subtitle, false);
    else
      MarginalHomogeneity(run.stats, crosstab, run.strings).createChart(subtitle, false);
    const std::vector<const output::Chart*> charts = chartsOf(run);
    return charts.size() == 1 ? charts.front() : nullptr;
  }
};

} // namespace

TEST(McNemarChart, CategoryTextsOfTheAxes) {
  CrosstabRun c;
  c.crosstab.fTable = table({{10, 4}, {6, 20}});
  c.crosstab.fFields[0].fCategoryLists = {{{0, 1}, {2, 9}}};
  c.crosstab.fFields[0].fValsNotInCategories = {"Unskilled"};
  c.crosstab.fFields[1].fCategoryLists = {{{0}, {1, 7}}};
  const output::Chart* chart = c.Chart(true);
  ASSERT_NE(chart, nullptr);
  EXPECT_EQ(relabels(*chart, "Row"), (std::vector<std::string>{"0=I, II", "1=III, Unskilled"}));
  // A code outside the labels with no outside value left is shown by its place in its list.
  EXPECT_EQ(relabels(*chart, "Column"), (std::vector<std::string>{"0=I", "1=II, 1"}));
}

TEST(McNemarChart, PatternsUnlessColoursAlone) {
  for (const bool colorsOnly : {false, true}) {
    CrosstabRun c;
    ChartService charts(c.run.charts.TemplateFolder(), colorsOnly);
    c.run.procedure->SetChartService(&charts);
    c.crosstab.fTable = table({{1, 2}, {3, 4}});
    const output::Chart* chart = c.Chart(true);
    ASSERT_NE(chart, nullptr) << colorsOnly;
    EXPECT_EQ(chart->specification.find("<pattern") != std::string::npos, !colorsOnly)
        << colorsOnly;
    EXPECT_EQ(chart->specification.find("<color") != std::string::npos, colorsOnly) << colorsOnly;
  }
}

// A cell per row and column (that the legend and the second token mapping go, the examples'
// stored output pins).
TEST(MarginalHomogeneityChart, RowsAndAxisLabels) {
  CrosstabRun c;
  c.crosstab.fTable = table({{5, 1, 0}, {2, 7, 3}, {0, 4, 9}});
  // A value without a label is shown by its value.
  c.run.stats.GetFieldDistributionData(1)->fValueLabels[2].fLabel.clear();
  const output::Chart* chart = c.Chart(false);
  ASSERT_NE(chart, nullptr);
  const std::vector<std::string> shown =
      rows(*chart, "graphSource",
           {"Row", "Column", "Category", "CellValue", "CellText", "ObservedTooltip"});
  ASSERT_EQ(shown.size(), 9u);
  EXPECT_EQ(shown[0], "0 0 0 - 5 5");
  EXPECT_EQ(shown[1], "0 1 0 1 - 1");
  EXPECT_EQ(shown[5], "1 2 0 3 - 3");
  EXPECT_EQ(shown[8], "2 2 0 - 9 9");
  EXPECT_EQ(relabels(*chart, "Column"), (std::vector<std::string>{"0=I", "1=II", "2=3.00"}));
}

// Many categories make many small panels; the frame grows with them, to the width of a page.
TEST(MarginalHomogeneityChart, FrameGrowsWithTheCategories) {
  const struct {
    std::size_t categories;
    const char* width;
    const char* height;
  } cases[] = {
      {3, "2.0", "1.6"}, {4, "2.0", "1.6"}, {6, "3", "2.4"}, {8, "3.2", "2.6"}, {12, "3.2", "2.6"}};
  for (const auto& c : cases) {
    CrosstabRun run;
    run.crosstab.fTable.fRows.assign(c.categories, std::vector<double>(c.categories, 1.0));
    const output::Chart* chart = run.Chart(false);
    ASSERT_NE(chart, nullptr) << c.categories;
    EXPECT_EQ(attributeOf(chart->specification, "frameWidth"), c.width) << c.categories;
    EXPECT_EQ(attributeOf(chart->specification, "frameHeight"), c.height) << c.categories;
  }
}

TEST(MarginalHomogeneityChart, OnlyTheSecondTokenMappingGoes) {
  const struct {
    const char* description;
    std::string before, after;
  } cases[] = {
      {"one mapping stays", "<popup><tokenMapping valueToken=\"0\"/></popup>",
       "<popup><tokenMapping valueToken=\"0\"/></popup>"},
      {"of three, the second goes",
       "<popup><tokenMapping a=\"0\"/><tokenMapping a=\"1\"/><tokenMapping a=\"2\"/></popup>",
       "<popup><tokenMapping a=\"0\"/><tokenMapping a=\"2\"/></popup>"},
      {"the legend goes with it",
       "<legend id=\"l\"><legendTarget id=\"t\"/></legend><tokenMapping a=\"0\"/>",
       "<tokenMapping a=\"0\"/>"},
      {"an unfinished legend stays", "<legend id=\"l\">", "<legend id=\"l\">"},
  };
  for (const auto& c : cases) {
    std::string text = c.before;
    MarginalHomogeneity::removeHypothesized(text);
    EXPECT_EQ(text, c.after) << c.description;
  }
}

// A panel per cell, at most 12 a side: a larger table shows its first 12 categories and says so,
// and builds no rows for the cells it cannot show.
TEST(CrosstabCharts, ALargeTableShowsItsFirstTwelveCategories) {
  const struct {
    bool mcNemar;
    std::size_t categories, rows;
    const char* footnote;
  } cases[] = {
      {false, 12, 144, nullptr},
      {false, 13, 144, "The first 12 of 13 categories are shown."},
      {false, 300, 144, "The first 12 of 300 categories are shown."},
      {true, 13, 12 + 2 * 132, "The first 12 of 13 categories are shown."},
  };
  for (const auto& c : cases) {
    CrosstabRun run;
    run.crosstab.fTable.fRows.assign(c.categories, std::vector<double>(c.categories, 1.0));
    const output::Chart* chart = run.Chart(c.mcNemar);
    ASSERT_NE(chart, nullptr) << c.categories;
    EXPECT_EQ(chart->sources.at("graphSource").rows.size(), c.rows) << c.categories;
    EXPECT_EQ(chart->thirdText.value_or(""), c.footnote ? c.footnote : "") << c.categories;
  }
}

TEST(CrosstabCharts, EmptyTableGivesNoChart) {
  for (const bool mcNemar : {true, false}) {
    CrosstabRun c;
    EXPECT_EQ(c.Chart(mcNemar), nullptr) << mcNemar;
  }
}
