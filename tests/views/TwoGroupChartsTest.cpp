// The two-group histograms of the Mann-Whitney, Wald-Wolfowitz and Kolmogorov-Smirnov tests.
#include "ISHistogram.h"
#include "ViewTestSupport.h"

#include <functional>

using namespace outtest;
using namespace viewtest;

namespace {

Stats::IS_Group group(int index, int n, double meanRank,
                      const std::vector<std::vector<double>>& bins) {
  Stats::IS_Group g;
  g.fGroupIndex = index;
  g.fN = n;
  g.fMeanOfRank = meanRank;
  g.fTable = table(bins);
  return g;
}

struct HistogramRun {
  WriterRun run;
  HistogramRun() {
    run.AddField("breaks");
    run.LabelValues(run.AddField("wool"), {"Wool A", "Wool B"});
  }

  template <class Record> Record* Add(Stats::EnumAlgorithmType algorithm) {
    auto* test = static_cast<Record*>(
        addTest(run.stats, Stats::kCIndependentSamples, algorithm, "Default_I_Test_2", {{0}, {1}}));
    test->fGroups = {group(0, 27, 29.96, {{3, 5}, {10, 20}}),
                     group(1, 27, 25.04, {{4, 1, 2}, {10, 20, 30}})};
    return test;
  }
};

} // namespace

TEST(TwoGroupHistogram, RowsPerBinAndPanelTexts) {
  HistogramRun h;
  auto* test = h.Add<Stats::HTIMannWhitneyU>(Stats::kAIMannWhitneyU);
  std::string subtitle;
  EXPECT_TRUE(ISHistogram(&h.run.strings, &h.run.stats, test).createChart(subtitle, false));
  const std::vector<const output::Chart*> charts = chartsOf(h.run);
  ASSERT_EQ(charts.size(), 1u);
  const output::Chart& chart = *charts.front();
  EXPECT_EQ(chart.templateName, "NPARRelatedSamplesHistogram.viztemplate");
  EXPECT_EQ(chart.title, "Independent-Samples Mann-Whitney U Test");
  EXPECT_EQ(rows(chart, "graphSource", {"COUNTS", "MEANS", "LABELNAME", "TYPES"}),
            (std::vector<std::string>{"3 10 'Wool A' 'Wool A'", "5 20 'Wool A' 'Wool A'",
                                      "4 10 'Wool B' 'Wool B'", "1 20 'Wool B' 'Wool B'",
                                      "2 30 'Wool B' 'Wool B'"}));
  EXPECT_EQ(relabels(chart, "labelname"),
            (std::vector<std::string>{"Wool A=N = 27\nMean Rank = 29.96",
                                      "Wool B=N = 27\nMean Rank = 25.04"}));
  EXPECT_NE(chart.specification.find(">wool<"), std::string::npos);
  EXPECT_NE(chart.specification.find(">breaks<"), std::string::npos);
  EXPECT_NE(chart.specification.find(">Frequency<"), std::string::npos);
}

// The Mann-Whitney and Wald-Wolfowitz panels stand back to back around one value axis; the
// Kolmogorov-Smirnov chart keeps its template's side-by-side panels.
template <class Record>
void CheckLayout(Stats::EnumAlgorithmType algorithm, const std::string& templateName,
                 const std::string& layout, std::size_t relabelLines) {
  SCOPED_TRACE(templateName + " " + layout);
  HistogramRun h;
  std::string subtitle;
  ISHistogram(&h.run.strings, &h.run.stats, h.Add<Record>(algorithm)).createChart(subtitle, false);
  const output::Chart* chart = onlyChart(h.run);
  ASSERT_NE(chart, nullptr);
  EXPECT_EQ(chart->templateName, templateName);
  std::string shown;
  for (const char* attribute : {"alternating", "centre", "invert", "gap"})
    shown += attributeOf(chart->specification, attribute) + " ";
  EXPECT_EQ(shown, layout);
  const std::vector<std::string> labels = relabels(*chart, "labelname");
  ASSERT_EQ(labels.size(), 2u);
  EXPECT_EQ(count(labels[0], "\n") + 1, relabelLines);
}

TEST(TwoGroupHistogram, LayoutByTest) {
  CheckLayout<Stats::HTIMannWhitneyU>(
      Stats::kAIMannWhitneyU, "NPARRelatedSamplesHistogram.viztemplate", "true y false 18% ", 2);
  CheckLayout<Stats::HTIWaldWolfowitzRuns>(Stats::kAIWaldWolfowitzRuns,
                                           "NPARRelatedSamplesHistogram.viztemplate",
                                           "true y false 18% ", 1);
  CheckLayout<Stats::HTIKolmogorovSmirnov>(
      Stats::kAIKolmogorovSmirnov, "NPARKolmogorovSmirnov.viztemplate", "false x false 3% ", 1);
}

TEST(TwoGroupHistogram, NoChartWithoutTwoGroupsOrBins) {
  const struct {
    const char* description;
    std::function<void(Stats::HTIMannWhitneyU&)> spoil;
  } cases[] = {
      {"one group", [](Stats::HTIMannWhitneyU& t) { t.fGroups.resize(1); }},
      {"bins tables of one row",
       [](Stats::HTIMannWhitneyU& t) {
         for (auto& g : t.fGroups)
           g.fTable = table({{1, 2}});
       }},
  };
  for (const auto& c : cases) {
    HistogramRun h;
    auto* test = h.Add<Stats::HTIMannWhitneyU>(Stats::kAIMannWhitneyU);
    c.spoil(*test);
    std::string subtitle;
    EXPECT_FALSE(ISHistogram(&h.run.strings, &h.run.stats, test).createChart(subtitle, false))
        << c.description;
    EXPECT_TRUE(chartsOf(h.run).empty()) << c.description;
  }
}
