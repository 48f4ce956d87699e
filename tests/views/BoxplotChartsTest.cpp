// The box plots of the k-sample independent tests: the values that redraw the engine's box
// statistics, the per-view edits (grand median, mean-rank tooltips, Moses groups) and the chart
// variables.
#include "Boxplot.h"
#include "IJonckheere_Terpstra.h"
#include "IMedian.h"
#include "IMoses.h"
#include "ViewTestSupport.h"

#include <algorithm>
#include <functional>

using namespace outtest;
using namespace viewtest;

namespace {

Stats::IS_BoxPlot_Group group(int index, const std::vector<double>& box,
                              const std::vector<std::vector<double>>& outliers = {}, int n = 10,
                              double meanRank = 5) {
  Stats::IS_BoxPlot_Group g;
  g.fGroupIndex = index;
  g.fN = n;
  g.fMeanOfRank = meanRank;
  g.fBox = table({box});
  g.fOutliers = table(outliers);
  return g;
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// What the drawing makes of a list of values: the box by Tukey's hinges (halves that include
// the median when the count is odd) and the whiskers to the last values within 1.5 box lengths.
struct Drawn {
  double lowWhisker, lowerHinge, median, upperHinge, highWhisker;
  std::vector<double> beyond;
};

Drawn drawn(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  const std::size_t half = (n + 1) / 2;
  Drawn d{};
  d.median = median(values);
  d.lowerHinge = median({values.begin(), values.begin() + static_cast<long>(half)});
  d.upperHinge = median({values.end() - static_cast<long>(half), values.end()});
  const double step = 1.5 * (d.upperHinge - d.lowerHinge);
  d.lowWhisker = d.upperHinge;
  d.highWhisker = d.lowerHinge;
  for (double v : values) {
    if (v < d.lowerHinge - step || v > d.upperHinge + step)
      d.beyond.push_back(v);
    else {
      d.lowWhisker = std::min(d.lowWhisker, v);
      d.highWhisker = std::max(d.highWhisker, v);
    }
  }
  return d;
}

} // namespace

// Whatever the outliers, the drawing must show the engine's five numbers and its outliers.
TEST(BoxValues, DrawnBoxIsTheEnginesBox) {
  const std::vector<double> box = {10, 20, 25, 30, 40};
  const std::vector<std::vector<double>> outlierSets = {
      {}, {50}, {2}, {1, 2, 3}, {50, 60, 90}, {-40, 2, 48, 49, 90, 120}, {1, 2, 3, 4, 50}};
  for (const std::vector<double>& outliers : outlierSets) {
    const std::vector<double> values = Boxplot::makeBoxValues(group(0, box, {outliers})).values;
    const Drawn d = drawn(values);
    SCOPED_TRACE(::testing::PrintToString(outliers));
    EXPECT_EQ(
        (std::vector<double>{d.lowWhisker, d.lowerHinge, d.median, d.upperHinge, d.highWhisker}),
        box);
    std::vector<double> beyond = outliers;
    std::sort(beyond.begin(), beyond.end());
    EXPECT_EQ(d.beyond, beyond);
  }
  // Fewer than five numbers make no box; numbers past the fifth are not read.
  for (const std::vector<double>& few : {std::vector<double>{}, {1}, {1, 2, 3, 4}})
    EXPECT_TRUE(Boxplot::makeBoxValues(group(0, few)).values.empty()) << few.size();
  EXPECT_EQ(Boxplot::makeBoxValues(group(0, {1, 2, 3, 4, 5, 99})).values,
            Boxplot::makeBoxValues(group(0, {1, 2, 3, 4, 5})).values);
}

TEST(BoxValues, CaseLabelsFollowTheirOutliers) {
  const Boxplot::BoxValues box =
      Boxplot::makeBoxValues(group(0, {1, 2, 3, 4, 5}, {{10, -3, 12}, {41, 17}}));
  EXPECT_EQ(box.caseLabels, (std::map<double, double>{{10, 41}, {-3, 17}}));
}

namespace {

// A run with a test field "y" (0) and a grouping field "g" (1) whose values are labelled.
struct BoxRun {
  WriterRun run;
  BoxRun() {
    run.AddField("y");
    run.LabelValues(run.AddField("g"), {"Low", "Mid", "High"});
  }

  template <class Record> Record* Add(Stats::EnumAlgorithmType algorithm, const char* key) {
    auto* test = static_cast<Record*>(
        addTest(run.stats, Stats::kCIndependentSamples, algorithm, key, {{0}, {1}}));
    test->fBoxPlotInfo.fGrandMedian = 2.5;
    test->fBoxPlotInfo.fGroups = {group(0, {1, 2, 3, 4, 5}, {}, 9, 12.346),
                                  group(1, {2, 3, 4, 5, 6}, {{11}, {3}}, 4, 7)};
    return test;
  }
};

} // namespace

TEST(BoxplotChart, MedianTestMarksTheGrandMedian) {
  BoxRun b;
  auto* test = b.Add<Stats::HTIMedian>(Stats::kAIMedian, "Default_I_Median_2");
  std::string subtitle = "Site = North";
  EXPECT_TRUE(IMedian(&b.run.strings, &b.run.stats, test).createChart(subtitle, true));
  const output::Chart* chart = onlyChart(b.run);
  ASSERT_NE(chart, nullptr);
  EXPECT_EQ(chart->subtitle.value_or("<none>"), "Site = North");
  EXPECT_EQ(chart->description, "Independent-Samples Median Test; Site = North");
  // The field shows two decimals (F8.2), the guide one more.
  EXPECT_NE(chart->specification.find("y=\"2.500\""), std::string::npos);
  EXPECT_NE(chart->specification.find("Grand Median = 2.500"), std::string::npos);
  EXPECT_EQ(chart->specification.find("<popup"), std::string::npos);
}

// With one group the legend stays, without names (two groups the examples' stored output pins:
// "Control Group", "Experimental Group").
TEST(BoxplotChart, MosesWithOneGroupKeepsItsLegend) {
  BoxRun b;
  auto* test = b.Add<Stats::HTIMoses>(Stats::kAIMoses, "Default_I_Moses_2");
  test->fBoxPlotInfo.fGroups.resize(1);
  std::string subtitle;
  EXPECT_TRUE(IMoses(&b.run.strings, &b.run.stats, test).createChart(subtitle, false));
  const output::Chart* chart = onlyChart(b.run);
  ASSERT_NE(chart, nullptr);
  EXPECT_TRUE(relabels(*chart, "Category_Derived").empty());
  EXPECT_NE(chart->specification.find("legend1_target"), std::string::npos);
  EXPECT_NE(chart->specification.find("<labeling variable=\"Label\""), std::string::npos);
}

TEST(BoxplotChart, NothingToDrawGivesNoChart) {
  const struct {
    const char* description;
    std::function<void(Stats::HTIJonckheereTerpstra&)> spoil;
  } cases[] = {
      {"no group has five box numbers",
       [](Stats::HTIJonckheereTerpstra& t) {
         for (auto& g : t.fBoxPlotInfo.fGroups)
           g.fBox = table({{1, 2, 3, 4}});
       }},
      {"no groups", [](Stats::HTIJonckheereTerpstra& t) { t.fBoxPlotInfo.fGroups.clear(); }},
  };
  for (const auto& c : cases) {
    BoxRun b;
    auto* test = b.Add<Stats::HTIJonckheereTerpstra>(Stats::kAIJonckheereTerpstra,
                                                     "Default_I_JonckheereTerpstra_2");
    c.spoil(*test);
    std::string subtitle;
    EXPECT_FALSE(
        IJonckheere_Terpstra(&b.run.strings, &b.run.stats, test).createChart(subtitle, false))
        << c.description;
    EXPECT_TRUE(chartsOf(b.run).empty()) << c.description;
  }
  std::string subtitle;
  EXPECT_FALSE(IJonckheere_Terpstra(nullptr, nullptr, nullptr).createChart(subtitle, false));
}

// A label from data cannot break the chart's specification.
TEST(BoxplotChart, LabelsWithMarkupAreEscaped) {
  BoxRun b;
  const_cast<VORN_Variable*>(b.run.stats.GetFieldDistributionData(0)->fVariable)
      ->SetLabel("Dose <mg> & \"rate\"");
  auto* test = b.Add<Stats::HTIJonckheereTerpstra>(Stats::kAIJonckheereTerpstra,
                                                   "Default_I_JonckheereTerpstra_2");
  std::string subtitle;
  EXPECT_TRUE(
      IJonckheere_Terpstra(&b.run.strings, &b.run.stats, test).createChart(subtitle, false));
  const output::Chart* chart = onlyChart(b.run);
  ASSERT_NE(chart, nullptr);
  EXPECT_TRUE(contains(chart->specification, "label=\"Dose &lt;mg&gt; &amp; &quot;rate&quot;\""));
  EXPECT_TRUE(contains(chart->specification, "<text>Dose &lt;mg&gt; &amp; \"rate\"</text>"));
}
