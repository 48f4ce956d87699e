// The one-sample test charts and their dispatch, read back from the output document: the rows of
// their data sources, the edits of their specifications and their texts.
#include "Binomial.h"
#include "ChiSquare.h"
#include "DataTable.h"
#include "KolmogorovSmirnov.h"
#include "OneSample.h"
#include "OneSampleRuns.h"
#include "OneSampleWilcoxonSignedRanks.h"
#include "ViewTestSupport.h"

#include "dict/VORN_Format.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <utility>

using namespace viewtest;

namespace {

// A continuous field with a two-row "Interval" table (counts, bin values) in `format`.
Stats::FieldDistributionData* addContinuousField(WriterRun& run, const std::string& name,
                                                 const VORN_Format& format = VORN_Format()) {
  Stats::FieldDistributionData* field = run.AddField(name);
  run.data->GetVariable(field->fFieldIndex)->SetFormat(format);
  field->fIsCategorical = 0;
  field->fTable.fName = "Interval";
  field->fTable.fRows = {{3, 5, 2}, {0, 1, 2}};
  return field;
}

Stats::HTOBinomial* addBinomial(WriterRun& run, const std::string& key,
                                const std::vector<std::vector<double>>& percentages) {
  auto* test = dynamic_cast<Stats::HTOBinomial*>(
      addTest(run.stats, Stats::kCOneSample, Stats::kAOBinomial, key, {{0}, {20}, {0.5}, {0.5}}));
  test->fComparison.fTable.fName = "Content";
  test->fComparison.fTable.fNames[0] = {"Observed", "Hypothesized"};
  test->fComparison.fTable.fNames[1] = {"0", "1"};
  test->fComparison.fTable.fRows = percentages;
  return test;
}

} // namespace

// A zero percentage draws no segment but stays in the tooltip (the chart's other texts the
// examples' stored output pins).
TEST(BinomialChart, AZeroPercentageDrawsNoSegmentButStaysInTheTooltip) {
  WriterRun run;
  addContinuousField(run, "mpg")->fTable.fRows.clear();
  addBinomial(run, "ACutPointIsSpecified_O_Binomial_4", {{100, 0}, {50, 50}});
  run.Display();
  const output::Chart* chart = onlyChart(run);
  ASSERT_NE(chart, nullptr);
  EXPECT_EQ(chart->templateName, "NPARStackedBar.viztemplate");
  // A zero percentage draws no segment, but the tooltip still names it.
  EXPECT_EQ(rows(*chart, "graphSource", {"categories", "type", "value"}),
            (std::vector<std::string>{"'Observed' ' <= 20.00' 100", "'Hypothesized' ' <= 20.00' 50",
                                      "'Hypothesized' ' > 20.00' 50"}));
  EXPECT_EQ(column(*chart, "graphSource", "tooltip").at(0), "' <= 20.00 100%\n > 20.00 0%\n'");
}

TEST(BinomialChart, NothingToDrawGivesNoChart) {
  for (const auto& rows :
       std::vector<std::vector<std::vector<double>>>{{{0, 0}, {0, 0}}, {}, {{-1, 0}}}) {
    WriterRun run;
    run.AddField("mpg");
    addBinomial(run, "ACutPointIsSpecified_O_Binomial_4", rows);
    run.Display();
    EXPECT_TRUE(chartsOf(run).empty());
    EXPECT_FALSE(outtest::tablesOf(run.Root()).empty()) << "the tables stay";
  }
}

TEST(ChiSquareChart, TwoRowsPerCategoryAndTheTooltipTemplate) {
  WriterRun run;
  Stats::FieldDistributionData* field = run.AddField("am");
  run.data->GetVariable(field->fFieldIndex)->SetLabel("Transmission & gears");
  run.LabelValues(field, {"Automatic", "Manual"});
  auto* test =
      dynamic_cast<Stats::HTOChiSquare*>(addTest(run.stats, Stats::kCOneSample, Stats::kAOChiSquare,
                                                 "DefaultEqualProbabilities_O_ChiSquare_1", {{0}}));
  test->fComparison.fTable.fName = "Content";
  test->fComparison.fTable.fNames[0] = {"0", "1", "-1"};
  test->fComparison.fTable.fRows = {{19, 16}, {13, 16}, {2, 0.5}};
  run.Display();
  const output::Chart* chart = onlyChart(run);
  ASSERT_NE(chart, nullptr);
  EXPECT_EQ(
      rows(*chart, "graphSource", {"Category", "Frequency", "Observed", "Type", "Residual"}),
      (std::vector<std::string>{"'Automatic' 19 19 'a' '3.00'", "'Automatic' 16 19 'b' '3.00'",
                                "'Manual' 13 13 'a' '-3.00'", "'Manual' 16 13 'b' '-3.00'",
                                "'' 2 2 'a' '1.50'", "'' 0.5 2 'b' '1.50'"}));
  EXPECT_TRUE(
      contains(chart->specification,
               "tokenTemplate=\"Transmission &amp; gears=$[category]$&#10;Observed="
               "$[observed]$&#10;Hypothesized=$[hypothesized]$&#10;Residual=$[residual]$\""))
      << chart->specification;
  EXPECT_TRUE(contains(chart->specification, "<text>Transmission &amp; gears</text>"));

  // Only a table named "Content" is charted.
  test->fComparison.fTable.fName = "Other";
  std::string subtitle;
  EXPECT_FALSE(ChiSquare(&run.strings, &run.stats, test).createChart(subtitle, false));
  EXPECT_EQ(chartsOf(run).size(), 1u);
}

TEST(RunsChart, NumbersTextsAndTheRoomForASubtitle) {
  struct Case {
    std::string subtitle;
    bool append;
    const char* top;
    const char* description;
  };
  const Case cases[] = {
      {"", false, "value=\"10%\"", "One-Sample Runs Test"},
      {"", true, "value=\"10%\"", "One-Sample Runs Test; "},
      {"Group: 1", false, "value=\"15%\"", "One-Sample Runs Test"},
      {"Group: 1", true, "value=\"15%\"", "One-Sample Runs Test; Group: 1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.subtitle + (c.append ? " appended" : ""));
    WriterRun run;
    auto* test = dynamic_cast<Stats::HTORuns*>(addTest(
        run.stats, Stats::kCOneSample, Stats::kAORuns, "AMedianIsSpecified_O_Runs_2", {{0}, {4}}));
    test->fMean = 10.5;
    test->fStdDev = 2.25;
    test->fObservedRunNumber = 7;
    std::string subtitle = c.subtitle;
    EXPECT_TRUE(OneSampleRuns(&run.strings, &run.stats, test).createChart(subtitle, c.append));
    const output::Chart* chart = onlyChart(run);
    ASSERT_NE(chart, nullptr);
    const std::string& spec = chart->specification;
    for (const char* part : {"<scale max=\"21\"", "<lineGuide x=\"7\"", c.top})
      EXPECT_TRUE(contains(spec, part)) << part << "\n" << spec;
    EXPECT_EQ(chart->title, "One-Sample Runs Test");
    EXPECT_EQ(chart->subtitle.value_or(""), c.subtitle);
    EXPECT_EQ(chart->description, c.description);
    EXPECT_EQ(subtitle, c.subtitle) << "the subtitle is not changed";
  }
}

// The runs axis ends at the most runs the two groups allow, found back from the mean and the
// standard deviation of the number of runs.
TEST(RunsChart, AxisEndsAtTheMostRunsPossible) {
  const struct {
    double n1, n2, most;
  } cases[] = {{50, 50, 100}, {30, 70, 61}, {1, 9, 3}, {12, 11, 23}};
  for (const auto& c : cases) {
    const double n = c.n1 + c.n2, twice = 2 * c.n1 * c.n2;
    const double mean = twice / n + 1;
    const double sd = std::sqrt(twice * (twice - n) / (n * n * (n - 1)));
    EXPECT_EQ(OneSampleRuns::mostRuns(mean, sd), c.most) << c.n1 << " and " << c.n2;
  }
  EXPECT_TRUE(std::isnan(OneSampleRuns::mostRuns(10.5, 2.25))) << "no sample has these";
}

TEST(KolmogorovSmirnovChart, DistributionLineAndParametersPerDistribution) {
  for (const DataRow& row : ReadDataTable("tests/views/data/ks_charts.tsv", 5)) {
    SCOPED_TRACE(row.where);
    const std::string& key = row.fields[0];
    const std::string& line = row.fields[2];
    std::vector<std::vector<double>> parameters;
    std::istringstream values(row.fields[1]);
    for (std::string value; std::getline(values, value, ';');)
      parameters.push_back({std::stod(value)});
    WriterRun run;
    addContinuousField(run, "x");
    Stats::BaseHypothesisTest* test =
        addTest(run.stats, Stats::kCOneSample, Stats::kAOKolmogorovSmirnov, key, parameters);
    KolmogorovSmirnov view(&run.strings, &run.stats, test);
    view.setFDD(0);
    std::string subtitle;
    ASSERT_TRUE(view.createChart(subtitle, false));
    const output::Chart& chart = *onlyChart(run);
    EXPECT_EQ(chart.title, row.fields[4]);
    EXPECT_EQ(contains(chart.specification, "distributionStatistic"), line != "-");
    EXPECT_TRUE(line == "-" || contains(chart.specification, line)) << chart.specification;
    std::istringstream label(row.fields[3]);
    for (std::string part; std::getline(label, part, '|');)
      EXPECT_TRUE(contains(chart.specification, part)) << part << "\n" << chart.specification;
    EXPECT_EQ(column(chart, "graphSource", "value"), (std::vector<std::string>{"0", "1", "2"}));
    EXPECT_EQ(column(chart, "graphSource", "count"), (std::vector<std::string>{"3", "5", "2"}));
    EXPECT_EQ(chart.variables.at("value").format, "F8.2");
  }
}

// A date field's curve: its location is a date, a spread a duration, and a uniform curve's
// maximum a date like its minimum (docs/chart-views.md).
TEST(KolmogorovSmirnovChart, DateFieldsShowDatesAndDurations) {
  const struct {
    const char* key;
    const char* parameters;
    const char* label;
  } cases[] = {
      {"NormalDistribution_O_KolmogorovSmirnov_3",
       "parameter=\"1970-01-01T00:00:00\" secondaryParameter=\"P1DT12H00M00S\"",
       "Std. Deviation 1.5 days"},
      {"UniformDistribution_O_KolmogorovSmirnov_3",
       "parameter=\"1970-01-01T00:00:00\" secondaryParameter=\"1970-01-02T12:00:00\"",
       "Maximum 02-JAN-1970"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.key);
    WriterRun run;
    addContinuousField(run, "day", VORN_Format(VORN_Format::kDATE, 11, 0));
    addTest(run.stats, Stats::kCOneSample, Stats::kAOKolmogorovSmirnov, c.key, {{0}, {0}, {1.5}});
    run.Display();
    const std::vector<const output::Chart*> charts = chartsOf(run);
    ASSERT_EQ(charts.size(), 2u);
    const output::Chart& chart = *charts[0];
    EXPECT_TRUE(contains(chart.specification, c.parameters)) << chart.specification;
    EXPECT_TRUE(contains(chart.specification, c.label)) << chart.specification;
    // Engine days become the dictionary's seconds from 1582.
    EXPECT_EQ(column(chart, "graphSource", "value"),
              (std::vector<std::string>{"12219379200", "12219465600", "12219552000"}));
    EXPECT_EQ(chart.variables.at("value").format, "DATE11");
  }
}

// A negative field index (what a missing or non-numeric parameter reads as) names no field: the
// test gets no chart, where the first field's histogram would stand under its title.
TEST(OneSampleDispatch, ANegativeFieldIndexGivesNoChart) {
  const struct {
    Stats::EnumAlgorithmType algorithm;
    const char* key;
    std::vector<std::vector<double>> parameters;
  } cases[] = {
      {Stats::kAOWilcoxonSignedRanks, "O_WilcoxonSignedRanks_2", {{-1}, {10}}},
      {Stats::kAOKolmogorovSmirnov, "NormalDistribution_O_KolmogorovSmirnov_3", {{-1}, {10}, {2}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.key);
    WriterRun run;
    addContinuousField(run, "x");
    addTest(run.stats, Stats::kCOneSample, c.algorithm, c.key, c.parameters);
    run.Display();
    const std::vector<const output::Chart*> charts = chartsOf(run);
    ASSERT_EQ(charts.size(), 1u) << "the field's own chart only";
    EXPECT_EQ(charts[0]->title, "Continuous Field Information x");
  }
}

namespace {

// Relative luminance (sRGB, linear light) of "#rrggbb", seen as it is or, with `deuteranope`,
// as a reader without green cones sees it (the full-severity matrix of Machado, Oliveira and
// Fernandes 2009, applied in linear light).
double luminance(const std::string& hex, bool deuteranope) {
  double rgb[3];
  for (int i = 0; i < 3; ++i) {
    const double c =
        std::stoi(hex.substr(1 + 2 * static_cast<std::size_t>(i), 2), nullptr, 16) / 255.;
    rgb[i] = c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  }
  if (deuteranope) {
    const double m[3][3] = {{0.367322, 0.860646, -0.227968},
                            {0.280085, 0.672501, 0.047413},
                            {-0.011820, 0.042940, 0.968881}};
    double seen[3];
    for (int i = 0; i < 3; ++i)
      seen[i] = std::clamp(m[i][0] * rgb[0] + m[i][1] * rgb[1] + m[i][2] * rgb[2], 0., 1.);
    std::copy(seen, seen + 3, rgb);
  }
  return 0.2126 * rgb[0] + 0.7152 * rgb[1] + 0.0722 * rgb[2];
}

// The contrast ratio of two luminances (1 to 21), as the web's accessibility guidelines count it.
double contrast(double a, double b) {
  return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

// The tag of the specification's style `id`.
std::string styleOf(const std::string& spec, const std::string& id) {
  const std::size_t at = spec.find("id=\"" + id + "\"");
  if (at == std::string::npos)
    return std::string();
  const std::size_t open = spec.rfind('<', at);
  return spec.substr(open, spec.find('>', at) - open);
}

} // namespace

// The observed and hypothesized medians' guides stay apart, and stand out from the bars and the
// page, in grey and for a deuteranope: luminance contrast of at least 3:1 each way, different
// dashes, and frames that are their key (the drawing draws a sample of the line before each). A
// subtitle moves the plot down; the rest of the specification the examples' stored output pins.
TEST(WilcoxonChart, MedianGuidesStayApartInGreyAndForTheColourBlind) {
  WriterRun run;
  addContinuousField(run, "speed");
  auto* test = dynamic_cast<Stats::HTOWilcoxonSignedRanks*>(
      addTest(run.stats, Stats::kCOneSample, Stats::kAOWilcoxonSignedRanks,
              "O_WilcoxonSignedRanks_2", {{0}, {5}}));
  OneSampleWilcoxonSignedRanks view(&run.strings, &run.stats, test);
  view.setFDD(0);
  std::string subtitle = "Group: 2";
  ASSERT_TRUE(view.createChart(subtitle, false));
  const output::Chart* chart = onlyChart(run);
  ASSERT_NE(chart, nullptr);
  const std::string& spec = chart->specification;
  EXPECT_TRUE(contains(spec, "<location part=\"top\" method=\"fixed\" value=\"15%\""));
  const std::string bar = attributeOf(styleOf(spec, "barStyle"), "fill");
  const std::string hypothesized = styleOf(spec, "lineGuide1Style");
  const std::string observed = styleOf(spec, "lineGuide2Style");
  const std::string first = attributeOf(hypothesized, "color");
  const std::string second = attributeOf(observed, "color");
  ASSERT_EQ(bar.size(), 7u) << spec;
  ASSERT_EQ(first.size(), 7u) << spec;
  ASSERT_EQ(second.size(), 7u) << spec;
  for (const bool deuteranope : {false, true}) {
    SCOPED_TRACE(deuteranope ? "deuteranope" : "grey");
    for (const std::string& guide : {first, second}) {
      EXPECT_GE(contrast(luminance(guide, deuteranope), luminance(bar, deuteranope)), 3) << guide;
      EXPECT_GE(contrast(luminance(guide, deuteranope), 1), 3) << guide;
    }
    EXPECT_GE(contrast(luminance(first, deuteranope), luminance(second, deuteranope)), 3);
  }
  EXPECT_NE(attributeOf(hypothesized, "dash"), attributeOf(observed, "dash"));
  // The frames are the key: each label takes its guide's line.
  for (const auto& [label, guide] :
       {std::pair{"label1Style", hypothesized}, {"label2Style", observed}})
    for (const char* attribute : {"color", "dash", "strokeWidth"})
      EXPECT_EQ(attributeOf(styleOf(spec, label), attribute), attributeOf(guide, attribute))
          << label << " " << attribute;
}

TEST(OneSampleDispatch, ConditionsForAChart) {
  struct Case {
    const char* name;
    std::vector<Stats::EnumMessageType> messages;
    unsigned long fieldIndex;
    bool charted;
  };
  const Case cases[] = {
      {"clean", {}, 0, true},
      {"warnings and help do not stop it", {Stats::kMWarning, Stats::kMHelpMessage}, 0, true},
      {"an error does", {Stats::kMWarning, Stats::kMError}, 0, false},
      {"a field index past the list", {}, 1, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriterRun run;
    addContinuousField(run, "x");
    Stats::BaseHypothesisTest* test =
        addTest(run.stats, Stats::kCOneSample, Stats::kAOKolmogorovSmirnov,
                "NormalDistribution_O_KolmogorovSmirnov_3", {{0}, {10}, {2}});
    for (Stats::EnumMessageType type : c.messages)
      test->fMessages.push_back(outtest::message(222302, type));
    std::string subtitle;
    OneSample(&run.strings, &run.stats).genSubView(test, c.fieldIndex, subtitle, false);
    EXPECT_EQ(chartsOf(run).size(), c.charted ? 1u : 0u);
  }
}
