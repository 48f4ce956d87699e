// The field information charts and the chart utilities they share with the test charts.
#include "ChartOutput.h"
#include "FieldInformation.h"
#include "ScratchFolder.h"
#include "ViewTestSupport.h"

#include "dict/VORN_Format.h"

using namespace viewtest;

namespace {

Stats::FieldDistributionData* addField(WriterRun& run, const std::string& name, int categorical,
                                       const VORN_Format& format = VORN_Format()) {
  Stats::FieldDistributionData* field = run.AddField(name);
  run.data->GetVariable(field->fFieldIndex)->SetFormat(format);
  field->fIsCategorical = categorical;
  field->fTable.fName = "Interval";
  field->fTable.fRows = {{4, 6}, {0, 1}};
  field->fTotalN = 10;
  field->fMin = 1;
  field->fMax = 9;
  field->fMean = 4.5;
  field->fStdDev = 1.5;
  return field;
}

} // namespace

TEST(FieldCharts, ExactlyOneViewPerIntervalTable) {
  struct Case {
    const char* name;
    int categorical;
    bool ordinalAsContinuous;
    const char* tableName;
    std::vector<std::vector<double>> rows;
    const char* title; // empty: no chart
  };
  const Case cases[] = {
      {"continuous", 0, false, "Interval", {{4, 6}, {0, 1}}, "Continuous Field Information x"},
      {"ordinal as continuous",
       1,
       true,
       "Interval",
       {{4, 6}, {0, 1}},
       "Categorical Field Information x"},
      {"another table", 0, false, "Bins", {{4, 6}, {0, 1}}, ""},
      {"rows of unequal length", 0, false, "Interval", {{4, 6}, {0}}, ""},
      {"one row", 1, false, "Interval", {{4, 6}}, ""},
      {"three rows", 0, false, "Interval", {{4, 6}, {0, 1}, {2, 3}}, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriterRun run;
    Stats::FieldDistributionData* field = addField(run, "x", c.categorical);
    field->fOrdinalTreatedAsCont = c.ordinalAsContinuous;
    field->fTable.fName = c.tableName;
    field->fTable.fRows = c.rows;
    run.Display();
    std::vector<std::string> titles;
    for (const output::Chart* chart : chartsOf(run.document))
      titles.push_back(chart->title);
    EXPECT_EQ(titles,
              *c.title == '\0' ? std::vector<std::string>{} : std::vector<std::string>{c.title});
  }
}

// The statistics take their decimals from the field's format (F8.2 fields and a date field's span
// of days the examples' stored output pins).
TEST(FieldCharts, ContinuousStatisticsFrame) {
  WriterRun run;
  addField(run, "x", 0, VORN_Format(VORN_Format::kF, 40, 3));
  run.Display();
  const std::vector<const output::Chart*> charts = chartsOf(run.document);
  ASSERT_EQ(charts.size(), 1u);
  EXPECT_TRUE(contains(
      charts[0]->specification,
      "<text>N 10\nMinimum 1.000\nMaximum 9.000\nMean 4.5000\nStd. Deviation 1.50000</text>"))
      << charts[0]->specification;
  EXPECT_TRUE(contains(charts[0]->specification, "<binStatistic/>"));
}

TEST(FieldCharts, CategoricalBarsLabelsAndOrdinalNote) {
  WriterRun run;
  Stats::FieldDistributionData* field = addField(run, "grade", 1);
  // The second label reads like its own value, so it needs no relabelling.
  run.LabelValues(field, {"Low", "2", "High"});
  field->fOrdinalTreatedAsCont = true;
  run.Display();
  const std::vector<const output::Chart*> charts = chartsOf(run.document);
  ASSERT_EQ(charts.size(), 1u);
  const output::Chart& chart = *charts[0];
  EXPECT_TRUE(chart.variables.at("value").categorical);
  EXPECT_EQ(chart.variables.at("value").relabels,
            (std::vector<std::pair<std::string, std::string>>{{"1", "Low"}, {"3", "High"}}));
  EXPECT_EQ(chart.thirdText.value_or(""), "grade is ordinal and is treated as continuous.");
  EXPECT_FALSE(contains(chart.specification, "binStatistic")) << "counts per category, not bins";
  // The bins' codes are positions among the value labels; the chart shows their values.
  EXPECT_EQ(column(chart, "graphSource", "value"), (std::vector<std::string>{"1", "2"}));
}

TEST(FieldCharts, StatisticsLabelLineBreaks) {
  // A string table may write the line breaks of chart texts as a backslash and "n": one at the
  // very start of the label is dropped, every later one becomes a line break.
  ScratchFolder folder;
  folder.Write("en/nonparametric-tests.strings",
               "histoN\t\\\\nN\nhistoMin\t\\\\nMin\nhistoMax\t\\\\nMax\nhistoMean\t\\\\nMean\n"
               "histoStdDev\t\\\\nSD\n");
  FacSTDictionary strings(folder.File("en"));
  ASSERT_TRUE(strings.SetProcedure("Nonparametric Tests")) << strings.LastError();
  WriterRun run;
  addField(run, "x", 0);
  FieldInformation view(&strings, &run.stats, false);
  view.setFDD(0);
  EXPECT_EQ(view.statisticsLabel(), "N 10&#10;Min 1.00&#10;Max 9.00&#10;Mean 4.500&#10;SD 1.5000");
  FieldInformation none(&strings, &run.stats, false);
  none.setFDD(5);
  EXPECT_EQ(none.statisticsLabel(), "") << "an index past the list chooses no field";
}

TEST(ChartOutputTexts, NumbersDatesAndDurations) {
  VORN_Format weekday(VORN_Format::kWKDAY, 9, 0);
  EXPECT_EQ(ChartOutput::double2String(1, &weekday), "SUNDAY") << "a day number, not a date";
  VORN_Format date(VORN_Format::kDATE, 11, 0);
  EXPECT_EQ(ChartOutput::double2String(0, &date), "01-JAN-1970") << "engine day 0";
  EXPECT_EQ(date.Width(), 40) << "the caller's format is widened";
  VORN_Format stamp(VORN_Format::kYMDHMS, 19, 0);
  EXPECT_EQ(ChartOutput::double2String(61.0, &stamp), "1970-01-01 00:01:01");
  EXPECT_EQ(ChartOutput::double2String(2.5, nullptr), "2.5");
  EXPECT_EQ(ChartOutput::double2String(3, 40, 0), "3");
  EXPECT_EQ(ChartOutput::double2String(3.14159, 8, 2), "3.14");
  EXPECT_EQ(
      ChartOutput::double2String(12.25, VORN_Variable("w", 0, VORN_Format(VORN_Format::kF, 6, 1))),
      "12.3");
  VORN_Format text(VORN_Format::kA, 8, 0);
  EXPECT_EQ(ChartOutput::double2String(2.0, &text), "2.00") << "a number in a string format";

  // A spread is read as a duration ("28.2 days"); the chart grammar reads it as an ISO one.
  FacSTDictionary strings(PathFactory::getPathInstance(3)->getPath());
  strings.SetProcedure("Nonparametric Tests");
  struct Span {
    double days;
    const char* duration;
    const char* iso;
  };
  const Span spans[] = {
      {28.2, "28.2 days", "P28DT04H48M00S"},
      {1.5, "1.5 days", "P1DT12H00M00S"},
      {0.25, "6.0 hours", "P0DT06H00M00S"},
      {59.6 / 86400, "1.0 minutes", "P0DT00H01M00S"}, // seconds round
      {2 + 3.0 / 24 + 4.0 / 1440 + 5.0 / 86400, "2.1 days", "P2DT03H04M05S"},
      {NOPRUTILITY::getSysMissing(), "", ""},
  };
  for (const Span& span : spans) {
    EXPECT_EQ(ChartOutput::durationText(span.days, &strings), span.duration) << span.days;
    EXPECT_EQ(ChartOutput::isoDuration(span.days), span.iso) << span.days;
  }
  EXPECT_EQ(ChartOutput::spreadInDays(129600, VORN_Format::kDATETIME), 1.5);
  EXPECT_EQ(ChartOutput::spreadInDays(1.5, VORN_Format::kDATE), 1.5);
  EXPECT_TRUE(ChartOutput::isDateFormat(VORN_Format::kSDATE));
  EXPECT_FALSE(ChartOutput::isDateFormat(VORN_Format::kWKDAY));
  EXPECT_FALSE(ChartOutput::isDateFormat(VORN_Format::kTIME));
}
