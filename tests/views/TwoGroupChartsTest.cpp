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
