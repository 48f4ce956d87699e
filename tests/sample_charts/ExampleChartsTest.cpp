// The bundled examples through the procedure object: each independent- or related-samples test
// gets its chart, each pairwise table its network, in output order; every chart is drawn and keeps
// none of its template's placeholders.
#include "NOPRProcCustom.h"
#include "SampleChartsSupport.h"

#include "proc/CFStatXMLInfoBlock.h"

using namespace outtest;
using namespace chartstest;

namespace {

// The titles of the charts of the example that are not one-sample or field charts; every chart's
// problems are added to `problems`.
std::vector<std::string> sampleChartTitles(const std::string& name, std::string& problems) {
  const std::string xml = readFile(sourcePath("examples/" + name + ".xml"));
  WriterRun run(xml);
  NOPRProcCustom proc;
  proc.SetProcedure(run.procedure.get());
  proc.SetDataSource(run.data.get());
  CFStatXMLInfoBlock block;
  block.fResultXML = xml;
  EXPECT_TRUE(proc.ProcessOutputXML("", block)) << name;
  std::vector<std::string> titles;
  for (const output::Chart* chart : chartsOf(run)) {
    if (chart->svg.find("<svg") == std::string::npos)
      problems += chart->title + ": not drawn; ";
    // A marker a view did not find is left in the chart as it stands in the template. (Not the
    // stacked bars' CategoryOrderText: an attribute value the Cochran's Q view leaves as it is.)
    for (const char* placeholder :
         {"xAxisText",   "yAxisText",   "TitleText",   "titleText",  "FootnoteText",
          "Facet1Text",  "Facet2Text",  "tooltipText", "XAxis Text", "YAxis Text",
          "LegendLabel", "legendTitle", "xTitle",      "yTitle0",    "yTitle1",
          "subTitle",    "xAxisLabel",  "yAxisLabel",  "labelText",  "ObservedRunsText",
          "TooFewRuns",  "TooManyRuns"}) {
      if (chart->specification.find(placeholder) != std::string::npos)
        problems += chart->title + ": a placeholder is left (" + placeholder + "); ";
    }
    if (chart->title.rfind("One-Sample", 0) != 0 &&
        chart->title.find("Field Information") == std::string::npos)
      titles.push_back(chart->title);
  }
  return titles;
}

} // namespace

TEST(ExampleSampleCharts, EveryTestAndPairwiseTableHasItsChart) {
  const struct {
    const char* example;
    std::vector<std::string> titles;
  } cases[] = {
      {"chickwts",
       {"Independent-Samples Kruskal-Wallis Test", "Pairwise Comparisons of Feed supplement",
        "Independent-Samples Median Test"}},
      // Homogeneous subsets have no network.
      {"independent_insectsprays", {"Independent-Samples Kruskal-Wallis Test"}},
      {"independent_warpbreaks_tension",
       {"Independent-Samples Jonckheere-Terpstra Test for Ordered Alternatives",
        "Pairwise Comparisons of Tension"}},
      {"independent_warpbreaks_wool",
       {"Independent-Samples Mann-Whitney U Test", "Independent-Samples Wald-Wolfowitz Runs Test",
        "Independent-Samples Kolmogorov-Smirnov Test",
        "Independent-Samples Moses Test of Extreme Reaction"}},
      {"related_judges_cochran", {"Related-Samples Cochran's Q Test", "Pairwise Comparisons"}},
      {"related_judges_friedman",
       {"Related-Samples Friedman's Two-Way Analysis of Variance by Ranks", "Pairwise Comparisons",
        "Related-Samples Kendall's Coefficient of Concordance"}},
      {"related_occupational",
       {"Related-Samples McNemar Change Test", "Related-Samples Marginal Homogeneity Test"}},
      // The signed rank test's warning does not keep it from its chart.
      {"related_sleep", {"Related-Samples Sign Test", "Related-Samples Wilcoxon Signed Rank Test"}},
      // One-sample tests and fields only (their order is checked in tests/views).
      {"onesample_mtcars", {}},
      {"onesample_morley", {}},
      {"ks_ozone_dates", {}},
  };
  for (const auto& c : cases) {
    std::string problems;
    EXPECT_EQ(sampleChartTitles(c.example, problems), c.titles) << c.example;
    EXPECT_EQ(problems, "") << c.example;
  }
}
