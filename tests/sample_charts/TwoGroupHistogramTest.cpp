// The two-group histograms of the Mann-Whitney, Wald-Wolfowitz and Kolmogorov-Smirnov tests.
#include "ISHistogram.h"
#include "SampleChartsSupport.h"

#include <functional>

using namespace outtest;
using namespace chartstest;

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
TEST(TwoGroupHistogram, LayoutByTest) {
  const struct {
    const char* description;
    std::function<const output::Chart*(HistogramRun&)> make;
    std::string templateName, alternating, centre, invert, gap;
    std::size_t relabelLines;
  } cases[] = {
      {"Mann-Whitney",
       [](HistogramRun& h) {
         std::string s;
         ISHistogram(&h.run.strings, &h.run.stats,
                     h.Add<Stats::HTIMannWhitneyU>(Stats::kAIMannWhitneyU))
             .createChart(s, false);
         return chartsOf(h.run).empty() ? nullptr : chartsOf(h.run).front();
       },
       "NPARRelatedSamplesHistogram.viztemplate", "true", "y", "false", "18%", 2},
      {"Wald-Wolfowitz",
       [](HistogramRun& h) {
         std::string s;
         ISHistogram(&h.run.strings, &h.run.stats,
                     h.Add<Stats::HTIWaldWolfowitzRuns>(Stats::kAIWaldWolfowitzRuns))
             .createChart(s, false);
         return chartsOf(h.run).empty() ? nullptr : chartsOf(h.run).front();
       },
       "NPARRelatedSamplesHistogram.viztemplate", "true", "y", "false", "18%", 1},
      {"Kolmogorov-Smirnov",
       [](HistogramRun& h) {
         std::string s;
         ISHistogram(&h.run.strings, &h.run.stats,
                     h.Add<Stats::HTIKolmogorovSmirnov>(Stats::kAIKolmogorovSmirnov))
             .createChart(s, false);
         return chartsOf(h.run).empty() ? nullptr : chartsOf(h.run).front();
       },
       "NPARKolmogorovSmirnov.viztemplate", "false", "x", "false", "3%", 1},
  };
  for (const auto& c : cases) {
    HistogramRun h;
    const output::Chart* chart = c.make(h);
    ASSERT_NE(chart, nullptr) << c.description;
    EXPECT_EQ(chart->templateName, c.templateName) << c.description;
    EXPECT_EQ(attributeOf(chart->specification, "alternating"), c.alternating) << c.description;
    EXPECT_EQ(attributeOf(chart->specification, "centre"), c.centre) << c.description;
    EXPECT_EQ(attributeOf(chart->specification, "invert"), c.invert) << c.description;
    EXPECT_EQ(attributeOf(chart->specification, "gap"), c.gap) << c.description;
    const std::vector<std::string> labels = relabels(*chart, "labelname");
    ASSERT_EQ(labels.size(), 2u) << c.description;
    EXPECT_EQ(count(labels[0], "\n") + 1, c.relabelLines) << c.description;
  }
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
