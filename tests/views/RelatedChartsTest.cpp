// The related-samples charts: Cochran's Q bars, Friedman's and Kendall's rank histograms and the
// paired-differences histogram of the sign and signed rank tests.
#include "DataTable.h"
#include "RSCochransQ.h"
#include "RSHistogram.h"
#include "ViewTestSupport.h"
#include "WilcoxonPairSignedRank.h"

#include "dict/CFMetaData.h"

#include <sstream>

using namespace outtest;
using namespace viewtest;

namespace {

Stats::VariableInformationData rankInfo(int group, double meanRank,
                                        const std::vector<std::vector<double>>& rows) {
  Stats::VariableInformationData info;
  info.fGroupIndex = group;
  info.fMeanOfRank = meanRank;
  info.fTable = table(rows);
  return info;
}

// A Friedman test over `fields` variables v0, v1, ...; variable k has mean rank k + 1.5.
struct RankRun {
  WriterRun run;
  Stats::HTRFriedmansTwoWayByRanks* test = nullptr;

  explicit RankRun(int fields) {
    std::vector<double> indexes;
    for (int k = 0; k < fields; ++k) {
      run.AddField("v" + std::to_string(k));
      indexes.push_back(k);
    }
    test = static_cast<Stats::HTRFriedmansTwoWayByRanks*>(
        addTest(run.stats, Stats::kCRelatedSamples, Stats::kARFriedmansTwoWayByRanks,
                "Default_R_Friedman_1", {indexes}));
    for (int k = 0; k < fields; ++k)
      test->fVariableInfos.push_back(rankInfo(k, k + 1.5, {{4, 6}, {1, 2}}));
  }

  const output::Chart* Chart() {
    std::string subtitle;
    RSHistogram(&run.strings, &run.stats, test).createChart(subtitle, false);
    const std::vector<const output::Chart*> charts = chartsOf(run);
    return charts.size() == 1 ? charts.front() : nullptr;
  }
};

} // namespace

// More panels get a wider frame, up to a width the report still shows whole.
TEST(RankHistogram, FrameWidthGrowsWithTheVariables) {
  const struct {
    int fields;
    const char* width;
  } cases[] = {{2, "1.8"}, {3, "1.8"}, {4, "2"}, {5, "2.5"}, {6, "3"}, {8, "3"}};
  for (const auto& c : cases) {
    RankRun r(c.fields);
    const output::Chart* chart = r.Chart();
    ASSERT_NE(chart, nullptr) << c.fields;
    EXPECT_EQ(attributeOf(chart->specification, "frameWidth"), c.width) << c.fields;
    EXPECT_EQ(attributeOf(chart->specification, "frameHeight"), "1.2") << c.fields;
  }
}

// A short table and a long mean rank (the panels' order and titles the examples' stored output
// pins).
TEST(RankHistogram, RowsPanelsAndTexts) {
  RankRun r(3);
  // A table of three rows adds no bars, but its variable still gets its panel texts.
  r.test->fVariableInfos[2].fTable = table({{1}, {2}, {3}});
  // A mean rank that takes seventeen digits to write.
  r.test->fVariableInfos[1].fMeanOfRank = 3.6511627906976742;
  const output::Chart* chart = r.Chart();
  ASSERT_NE(chart, nullptr);
  EXPECT_EQ(rows(*chart, "graphSource", {"COUNTS", "MEANS", "LABELNAME", "TYPES"}),
            (std::vector<std::string>{"4 1 1.5 0", "6 2 1.5 0", "4 1 3.6511627906976742 1",
                                      "6 2 3.6511627906976742 1"}));
  EXPECT_EQ(relabels(*chart, "labelname"),
            (std::vector<std::string>{"1.5=Mean Rank = 1.50", "3.6511627906976742=Mean Rank = 3.65",
                                      "3.5=Mean Rank = 3.50"}));
}

TEST(RankHistogram, KendallWithoutParametersKeepsTheTemplateOrder) {
  WriterRun run;
  run.AddField("a");
  auto* test = static_cast<Stats::HTRKendallsCoefficient*>(addTest(
      run.stats, Stats::kCRelatedSamples, Stats::kARKendallsCoefficient, "Default_R_Kendall", {}));
  test->fVariableInfos.push_back(rankInfo(0, 1.25, {{2}, {1}}));
  std::string subtitle;
  EXPECT_TRUE(RSHistogram(&run.strings, &run.stats, test).createChart(subtitle, false));
  ASSERT_EQ(chartsOf(run).size(), 1u);
  const output::Chart& chart = *chartsOf(run).front();
  EXPECT_EQ(chart.title, "Related-Samples Kendall's Coefficient of Concordance");
  EXPECT_EQ(attributeOf(chart.specification, "categoryOrder"), "categoryOrder1");
}

namespace {

// A sign or signed rank test of "after" (field 1) against "before" (field 0).
struct DifferenceRun {
  WriterRun run;
  Stats::HTRSign* test = nullptr;

  DifferenceRun() {
    run.AddField("before");
    run.AddField("after");
    CFMetaData* metadata = run.stats.CreateLocalMetadata();
    for (const char* label : {"Hours before", "Hours after"}) {
      CFField field(label, CFField::kContinuous, CFField::kDouble, 0);
      field.SetLabel(label);
      metadata->AppendField(field);
    }
    test = static_cast<Stats::HTRSign*>(addTest(run.stats, Stats::kCRelatedSamples, Stats::kARSign,
                                                "Default_R_Sign_2", {{0}, {1}}));
    test->fDistribution.fTies = 12;
    test->fDistribution.fPositiveDifferences = 7;
    test->fDistribution.fNegativeDifferences = 2;
  }

  const output::Chart* Chart(Stats::EnumAlgorithmType algorithm) {
    std::string subtitle;
    WilcoxonPairSignedRank(&run.strings, &run.stats, test->fDistribution, *test, algorithm)
        .createChart(subtitle, false);
    const std::vector<const output::Chart*> charts = chartsOf(run);
    return charts.size() == 1 ? charts.front() : nullptr;
  }
};

} // namespace

// No bar mixes signs: the bin that holds zero is split into its negatives, ties and positives,
// found from the totals and the bins that hold one sign only.
TEST(DifferenceHistogram, TheBinOfZeroIsSplitBySign) {
  const auto numbers = [](const std::string& text) {
    std::vector<double> values;
    std::istringstream in(text);
    for (std::string value; in >> value;)
      values.push_back(std::stod(value));
    return values;
  };
  for (const DataRow& row : ReadDataTable("tests/views/data/zero_bin.tsv", 6)) {
    Stats::RSignDistributionData totals;
    totals.fNegativeDifferences = std::stoi(row.fields[2]);
    totals.fTies = std::stoi(row.fields[3]);
    totals.fPositiveDifferences = std::stoi(row.fields[4]);
    std::string bins;
    for (const auto& bin : WilcoxonPairSignedRank::splitBySign(numbers(row.fields[0]),
                                                               numbers(row.fields[1]), totals)) {
      std::ostringstream text;
      text << bin.count << "@" << bin.value << ":" << bin.sign;
      bins += (bins.empty() ? "" : " ") + text.str();
    }
    EXPECT_EQ(bins, row.fields[5]) << row.where;
  }
}

TEST(DifferenceHistogram, TablesThatGiveNoChart) {
  const struct {
    const char* description;
    std::vector<std::vector<double>> rows;
    bool chart;
  } cases[] = {
      {"one row", {{1, 2, 3}}, false},
      {"no rows", {}, false},
      {"an empty first row", {{}, {1}}, false},
      {"rows of different lengths: a chart without bars", {{1, 2}, {1}}, true},
  };
  for (const auto& c : cases) {
    DifferenceRun d;
    d.test->fDistribution.fTable = table(c.rows);
    const output::Chart* chart = d.Chart(Stats::kARSign);
    EXPECT_EQ(chart != nullptr, c.chart) << c.description;
    if (chart != nullptr) {
      EXPECT_TRUE(column(*chart, "graphSource", "count").empty()) << c.description;
    }
  }
}

// Cochran's Q: a bar per field, a segment per category of the field.
TEST(CochranBars, FieldAndCategoryTexts) {
  WriterRun run;
  Stats::FieldDistributionData* integrity = run.AddField("INTG8");
  run.LabelValues(integrity, {"Below 8", "8 or more"});
  Stats::FieldDistributionData* demeanor = run.AddField("DMNR8");
  // The second value has no label: it is shown by its value.
  run.LabelValues(demeanor, {"Below 8", ""});
  integrity->fIsCategorical = demeanor->fIsCategorical = 1;
  auto* test = static_cast<Stats::HTRCochransQ*>(addTest(
      run.stats, Stats::kCRelatedSamples, Stats::kARCochransQ, "Default_R_CochransQ_1", {{0, 1}}));
  test->fComparison.fTable = table({{35, 65}, {60, 40}, {50, 50}}, {"0", "1"});
  test->fComparison.fTable.fNames[0] = {"0", "1", "7"};
  std::string subtitle;
  EXPECT_TRUE(RSCochransQ(&run.strings, &run.stats, test).createChart(subtitle, false));
  ASSERT_EQ(chartsOf(run).size(), 1u);
  const output::Chart& chart = *chartsOf(run).front();
  EXPECT_EQ(chart.title, "Related-Samples Cochran's Q Test");
  EXPECT_EQ(rows(chart, "graphSource", {"categories", "type", "value"}),
            (std::vector<std::string>{"'INTG8' 'Below 8' 35", "'INTG8' '8 or more' 65",
                                      "'DMNR8' 'Below 8' 60", "'DMNR8' '2' 40", "'7' '0' 50",
                                      "'7' '1' 50"}));
  EXPECT_EQ(chart.specification.find("LegendLabel"), std::string::npos);
}
