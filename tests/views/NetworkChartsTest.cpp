// The pairwise comparison network, made after every pairwise table.
#include "PairwiseComparison.h"
#include "ViewTestSupport.h"

#include "dict/CFMetaData.h"

#include <algorithm>
#include <functional>

using namespace outtest;
using namespace viewtest;

namespace {

const std::vector<std::string> kColumns = {
    "Sample1", "Sample2", "TestStatistic", "StdError", "StdTestStatistic", "Sig", "AdjSig"};

std::vector<double> pair(double a, double b, double adjusted) {
  return {a, b, 1.0, 0.5, 2.0, adjusted / 3, adjusted};
}

// A Kruskal-Wallis test (or a median test) of "y" across the three labelled groups of "g",
// compared pairwise.
struct GroupsRun {
  WriterRun run;
  Stats::CompareResultTableData* compare = nullptr;
  Stats::HTIKruskalWallis* test = nullptr; // null for the median test

  explicit GroupsRun(bool median = false) {
    run.AddField("y");
    run.LabelValues(run.AddField("g"), {"Low", "Mid", "High"});
    CFMetaData* metadata = run.stats.CreateLocalMetadata();
    metadata->AppendField(CFField("y", CFField::kContinuous, CFField::kDouble, 0));
    CFField g("g", CFField::kCategorical, CFField::kDouble, 0);
    g.SetLabel("Dose group");
    std::vector<CFValue> values;
    for (const char* label : {"Low", "Mid", "High"})
      values.emplace_back(CFDatum(static_cast<double>(values.size() + 1), false), label, 0, 0);
    g.SetValueLabels(values);
    metadata->AppendField(g);
    run.stats.SigLevel(0.05);
    if (median)
      compare = &static_cast<Stats::HTIMedian*>(
                     addTest(run.stats, Stats::kCIndependentSamples, Stats::kAIMedian,
                             "DefaultAllDistinctValuesUsed_I_Median_2", {{0}, {1}}))
                     ->fCompareResult;
    else
      compare = &(test = static_cast<Stats::HTIKruskalWallis*>(
                      addTest(run.stats, Stats::kCIndependentSamples, Stats::kAIKruskalWallis,
                              "Default_I_KruskalWallis_2", {{0}, {1}})))
                     ->fCompareResult;
    compare->fComparisonType = Stats::CompareResultTableData::kCTPairwise;
    compare->fFieldIndex = 1;
    compare->fTables[0] = table({{0, 1, 2}, {20.5, 31.25, 12}});
    compare->fTables[1] = table({pair(0, 1, 0.01), pair(0, 2, 0.05), pair(1, 2, 0.04)}, kColumns);
  }
};

std::vector<const output::Chart*> networksOf(const WriterRun& run) {
  std::vector<const output::Chart*> charts = chartsOf(run);
  charts.erase(std::remove_if(charts.begin(), charts.end(),
                              [](const output::Chart* chart) {
                                return chart->templateName != "GLMMPairwiseContrasts.viztemplate";
                              }),
               charts.end());
  return charts;
}

const output::Chart* networkOf(const WriterRun& run) {
  const std::vector<const output::Chart*> charts = networksOf(run);
  EXPECT_EQ(charts.size(), 1u);
  return charts.size() == 1 ? charts.front() : nullptr;
}

} // namespace

// A pair exactly at the level is not significant. The specification's other texts (footnote,
// legend, tooltips) the examples' stored output pins.
TEST(PairwiseNetwork, GroupsWithEdgeTypesAtTheSignificanceLevel) {
  GroupsRun g;
  g.run.Display();
  const output::Chart* chart = networkOf(g.run);
  ASSERT_NE(chart, nullptr);
  EXPECT_EQ(column(*chart, "nodeSource_1", "node"), (std::vector<std::string>{"0", "1", "2"}));
  EXPECT_EQ(
      rows(*chart, "edgeSource_1", {"from", "to", "weight", "weightInPopup", "type", "tooltip"}),
      (std::vector<std::string>{"0 1 1 0.01 1 0.01", "0 2 1 0.05 2 0.05", "1 2 1 0.04 1 0.04"}));
  EXPECT_EQ(relabels(*chart, "node"),
            (std::vector<std::string>{"0=Low\n20.50", "1=Mid\n31.25", "2=High\n12.00"}));
  // Along a line by mean rank, each pair labelled with its adjusted significance.
  EXPECT_NE(chart->specification.find("categoryOrder=\"2;0;1\""), std::string::npos);
  EXPECT_EQ(column(*chart, "edgeSource_1", "significance"),
            (std::vector<std::string>{"'.010'", "'.050'", "'.040'"}));
  EXPECT_EQ(PairwiseComparison::significanceText(0.0004), "<.001");
  EXPECT_EQ(PairwiseComparison::significanceText(1), "1.000");
  EXPECT_EQ(chart->description, "Pairwise Comparisons of Dose group");
}

// The footnote says what the nodes show: the median test compares medians, not mean ranks.
TEST(PairwiseNetwork, TheMedianTestsFootnoteNamesMedians) {
  GroupsRun g(true);
  g.run.Display();
  const output::Chart* chart = networkOf(g.run);
  ASSERT_NE(chart, nullptr);
  EXPECT_TRUE(contains(chart->specification, "sample median of"));
  EXPECT_FALSE(contains(chart->specification, "sample average rank of"));
}

// The chart follows its table in the output; past 40 samples a note stands there instead.
TEST(PairwiseNetwork, StandsRightAfterThePairwiseTable) {
  const struct {
    std::size_t samples;
    const char* after;
  } cases[] = {
      {40, "chart:GLMMPairwiseContrasts.viztemplate"},
      {41, "message:The network of the 41 samples is not drawn: beyond 40 samples its nodes and "
           "lines cannot be told apart. The table lists every pair."},
  };
  for (const auto& c : cases) {
    GroupsRun g;
    std::vector<double> samples, ranks;
    for (std::size_t i = 0; i < c.samples; ++i) {
      samples.push_back(static_cast<double>(i));
      ranks.push_back(static_cast<double>(i) + 0.5);
    }
    g.compare->fTables[0] = table({samples, ranks});
    g.run.Display();
    std::vector<std::string> kinds;
    std::function<void(const output::Heading&)> walk = [&](const output::Heading& heading) {
      for (const auto& item : heading.Items()) {
        if (const output::Table* t = item->AsTable())
          kinds.push_back("table:" + keyOf(t->Title()));
        else if (const output::Chart* chart = item->AsChart())
          kinds.push_back("chart:" + chart->templateName);
        else if (const output::Message* m = item->AsMessage())
          kinds.push_back("message:" + m->GetLabel().Text());
        else if (const output::Heading* h = item->AsHeading())
          walk(*h);
      }
    };
    walk(g.run.Root());
    const auto at = std::find(kinds.begin(), kinds.end(), "table:Pairwise Comparisons of ^1");
    ASSERT_NE(at, kinds.end()) << c.samples;
    ASSERT_NE(at + 1, kinds.end()) << c.samples;
    EXPECT_EQ(*(at + 1), c.after) << c.samples;
  }
}

// Related samples name their samples by field. Nodes and edges use the same sample indexes as
// the comparison table, so each edge joins the two fields its table row names even when the
// samples are not the first fields of the dictionary.
TEST(PairwiseNetwork, RelatedSamplesKeyedByTheirFields) {
  WriterRun run;
  for (const char* name : {"id", "Integrity", "Demeanor", "Diligence"})
    run.AddField(name);
  run.stats.SigLevel(0.05);
  auto* test = static_cast<Stats::HTRFriedmansTwoWayByRanks*>(
      addTest(run.stats, Stats::kCRelatedSamples, Stats::kARFriedmansTwoWayByRanks,
              "Default_R_Friedman_1", {{3, 1, 2}}));
  Stats::CompareResultTableData& compare = test->fCompareResult;
  compare.fComparisonType = Stats::CompareResultTableData::kCTPairwise;
  compare.fTables[0] = table({{3, 1, 2}, {1.5, 2.25, 2.75}});
  compare.fTables[1] = table({pair(3, 1, 0.001), pair(3, 2, 0.3), pair(1, 2, 0.9)}, kColumns);
  run.Display();
  const output::Chart* chart = networkOf(run);
  ASSERT_NE(chart, nullptr);
  EXPECT_EQ(column(*chart, "nodeSource_1", "node"), (std::vector<std::string>{"3", "1", "2"}));
  EXPECT_EQ(rows(*chart, "edgeSource_1", {"from", "to", "type"}),
            (std::vector<std::string>{"3 1 1", "3 2 2", "1 2 2"}));
  EXPECT_EQ(
      relabels(*chart, "node"),
      (std::vector<std::string>{"3=Diligence\n1.50", "1=Integrity\n2.25", "2=Demeanor\n2.75"}));
  EXPECT_NE(chart->specification.find(">Pairwise Comparisons<"), std::string::npos);
  EXPECT_NE(chart->specification.find("Each node shows the sample number of successes."),
            std::string::npos);

  // Mean ranks are not successes: the information table's row says which the values are.
  compare.fTables[0].fNames[0] = {"Sample", "MeanRank"};
  std::string subtitle;
  EXPECT_TRUE(PairwiseComparison(run.stats, compare, run.strings).createChart(subtitle, false));
  const std::vector<const output::Chart*> charts = networksOf(run);
  ASSERT_EQ(charts.size(), 2u);
  EXPECT_NE(charts[1]->specification.find(">Each node shows the sample average rank.<"),
            std::string::npos);
}

TEST(PairwiseNetwork, MissingColumnsAndUnknownSamplesDrawNoEdge) {
  GroupsRun g;
  Stats::SimpleTableData& content = g.compare->fTables[1];
  content.fRows.push_back(pair(0, 7, 0.01));
  {
    PairwiseComparison view(g.run.stats, *g.compare, g.run.strings);
    std::string subtitle;
    EXPECT_TRUE(view.createChart(subtitle, false));
  }
  content.fNames[1][6] = "Adjusted";
  {
    PairwiseComparison view(g.run.stats, *g.compare, g.run.strings);
    std::string subtitle;
    EXPECT_TRUE(view.createChart(subtitle, true));
  }
  const std::vector<const output::Chart*> charts = chartsOf(g.run);
  ASSERT_EQ(charts.size(), 2u);
  EXPECT_EQ(column(*charts[0], "edgeSource_1", "to"), (std::vector<std::string>{"1", "2", "2"}));
  EXPECT_TRUE(column(*charts[1], "edgeSource_1", "to").empty());
  EXPECT_EQ(charts[1]->description, "Pairwise Comparisons of Dose group; ");
}
