// The effect size formulas against R's figures (data/effect_sizes.tsv, made by
// data/effect_sizes.R with the effectsize package): estimates within 1e-9, analytic interval
// bounds within 1e-6. Then which measures a test record gets, from which of its figures.
#include "DataTable.h"
#include "NOPREffectSize.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>
#include <string>
#include <vector>

using ES = NOPREffectSize;
using Stats = NOPROutputStats;

namespace {

double number(const std::string& text) {
  return text == "NA" ? std::nan("") : std::stod(text);
}

using Formula = std::function<bool(const std::vector<double>&, double, ES::Result&)>;

const std::map<std::string, Formula>& formulas() {
  static const std::map<std::string, Formula> table = {
      {"CohensW",
       [](auto& a, double l, auto& r) { return ES::CohensW(a[0], a[1], a[2], a[3], l, r); }},
      {"Fei", [](auto& a, double l, auto& r) { return ES::Fei(a[0], a[1], a[2], a[3], l, r); }},
      {"CohensH", [](auto& a, double l, auto& r) { return ES::CohensH(a[0], a[1], a[2], l, r); }},
      {"RankBiserialPaired",
       [](auto& a, double l, auto& r) { return ES::RankBiserialPaired(a[0], a[1], l, r); }},
      {"CohensG", [](auto& a, double l, auto& r) { return ES::CohensG(a[0], a[1], l, r); }},
      {"OddsRatio", [](auto& a, double l, auto& r) { return ES::OddsRatio(a[0], a[1], l, r); }},
      {"RankBiserial",
       [](auto& a, double l, auto& r) { return ES::RankBiserial(a[0], a[1], a[2], l, r); }},
      {"ProbabilityOfSuperiority",
       [](auto& a, double l, auto& r) {
         return ES::ProbabilityOfSuperiority(a[0], a[1], a[2], l, r);
       }},
      {"CramersV",
       [](auto& a, double l, auto& r) {
         return ES::CramersV(a[0], a[1], static_cast<std::size_t>(a[2]),
                             static_cast<std::size_t>(a[3]), l, r);
       }},
  };
  return table;
}

} // namespace

TEST(EffectSize, FormulasAgreeWithR) {
  const std::vector<DataRow> rows = ReadDataTable("tests/model/data/effect_sizes.tsv", 10, true);
  for (const DataRow& row : rows) {
    const std::vector<std::string>& fields = row.fields;
    SCOPED_TRACE(row.where + " " + fields[0] + " [" + fields[1] + "]");
    const auto formula = formulas().find(fields[1]);
    ASSERT_NE(formula, formulas().end());
    std::vector<double> args;
    for (int i = 2; i < 6; ++i)
      args.push_back(number(fields[static_cast<std::size_t>(i)]));
    ES::Result result;
    ASSERT_TRUE(formula->second(args, number(fields[6]), result));
    EXPECT_NEAR(result.fEstimate, number(fields[7]), 1e-9);
    EXPECT_NEAR(result.fLower, number(fields[8]), 1e-6);
    EXPECT_NEAR(result.fUpper, number(fields[9]), 1e-6);
    EXPECT_DOUBLE_EQ(result.fLevel, number(fields[6]));
  }
  EXPECT_GE(rows.size(), 30u);
}

TEST(EffectSize, FiguresThatCannotGiveAMeasureGiveNone) {
  ES::Result r;
  const double sysmis = NOPRUTILITY::getSysMissing();
  struct Case {
    const char* desc;
    bool made;
  };
  const Case cases[] = {
      {"w without the chi-square", ES::CohensW(sysmis, 1, 32, 0.5, 95, r)},
      {"w with an expected share of 1", ES::CohensW(1.0, 1, 32, 1.0, 95, r)},
      {"h with more successes than cases", ES::CohensH(33, 32, 0.5, 95, r)},
      {"h with a fractional count", ES::CohensH(3.5, 32, 0.5, 95, r)},
      {"rank-biserial with a rank sum above its maximum", ES::RankBiserialPaired(56, 10, 95, r)},
      {"g without changes", ES::CohensG(0, 0, 95, r)},
      {"odds ratio with an empty cell", ES::OddsRatio(5, 0, 95, r)},
      {"U above n1 n2", ES::RankBiserial(13, 3, 4, 95, r)},
      {"V of one row", ES::CramersV(3.0, 20, 1, 4, 95, r)},
  };
  for (const Case& c : cases)
    EXPECT_FALSE(c.made) << c.desc;
  // A level outside (0, 100) keeps the estimate and drops the interval.
  ASSERT_TRUE(ES::RankBiserial(30, 7, 6, 0.0, r));
  EXPECT_EQ(r.fInterval, ES::Interval::kNone);
  EXPECT_TRUE(NOPRUTILITY::isSystemMissing(r.fLower));
}

namespace {

Stats::AttributeData attr(const char* name, double value) {
  Stats::AttributeData a;
  a.fName = name;
  a.fValue = value;
  return a;
}

void setStatistics(Stats::BaseHypothesisTest& test, std::vector<Stats::AttributeData> attributes) {
  test.fStatisticsResults.resize(1);
  test.fStatisticsResults[0].fAttributes = std::move(attributes);
}

std::vector<ES::Measure> measuresOf(const std::vector<ES::Result>& results) {
  std::vector<ES::Measure> measures;
  for (const ES::Result& result : results)
    measures.push_back(result.fMeasure);
  return measures;
}

} // namespace

TEST(EffectSize, TestRecordsGetTheirMeasuresFromTheirOwnFigures) {
  // Wilcoxon: n = 9 nonzero differences follows from T - z SE = n(n+1)/4, whatever TotalN says.
  Stats::HTRWilcoxonSignedRanks wilcoxon;
  wilcoxon.fAlgorithm = Stats::kARWilcoxonSignedRanks;
  setStatistics(wilcoxon, {attr("TotalN", 10), attr("TestStatistic", 45),
                           attr("StandardError", 8.4335638967165),
                           attr("StandardizedTestStatistic", 2.6679112502793854)});
  std::vector<ES::Result> results = ES::Of(wilcoxon, 95);
  ASSERT_EQ(results.size(), 1u);
  EXPECT_DOUBLE_EQ(results[0].fEstimate, 1.0);
  setStatistics(wilcoxon, {attr("TotalN", 10), attr("TestStatistic", 45)});
  EXPECT_TRUE(ES::Of(wilcoxon, 95).empty()) << "no standardized statistic: n unknown";

  // Kruskal-Wallis: the estimate from H; the interval only from the document's own table.
  Stats::HTIKruskalWallis kw;
  kw.fAlgorithm = Stats::kAIKruskalWallis;
  setStatistics(kw, {attr("TotalN", 71), attr("TestStatistic", 37.34271769425624)});
  results = ES::Of(kw, 95);
  ASSERT_EQ(results.size(), 1u);
  EXPECT_NEAR(results[0].fEstimate, 0.5334673956, 1e-9);
  EXPECT_EQ(results[0].fInterval, ES::Interval::kNeedsData);
  Stats::EffectSizeData boot;
  boot.fMeasure = "RankEpsilonSquared";
  boot.fLower = 0.41;
  boot.fUpper = 1.0;
  boot.fLevel = 0.95;
  boot.fMethod = "Percentile";
  boot.fResamples = 2000;
  kw.fEffectSizes.push_back(boot);
  results = ES::Of(kw, 95);
  EXPECT_EQ(results[0].fInterval, ES::Interval::kPercentileBootstrap);
  EXPECT_DOUBLE_EQ(results[0].fLower, 0.41);
  EXPECT_EQ(results[0].fResamples, 2000);
  EXPECT_EQ(ES::Of(kw, 90)[0].fInterval, ES::Interval::kNeedsData) << "another level";

  // McNemar: g and the odds ratio from the crosstab's discordant cells.
  Stats::HTRMcNemar mcnemar;
  mcnemar.fAlgorithm = Stats::kARMcNemar;
  mcnemar.fCategoryComparison.fTable.fRows = {{1893, 463}, {554, 588}};
  EXPECT_EQ(measuresOf(ES::Of(mcnemar, 95)),
            (std::vector<ES::Measure>{ES::Measure::kCohensG, ES::Measure::kOddsRatio}));
  mcnemar.fCategoryComparison.fTable.fRows = {{1893, 463}};
  EXPECT_TRUE(ES::Of(mcnemar, 95).empty()) << "a crosstab of one row";

  // Tests the measures do not cover get none.
  Stats::HTORuns runs;
  runs.fAlgorithm = Stats::kAORuns;
  setStatistics(runs, {attr("TotalN", 100), attr("TestStatistic", 29)});
  EXPECT_TRUE(ES::Of(runs, 95).empty());
}
