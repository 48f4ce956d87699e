// The bundled examples through the procedure object: each test and field gets its chart, each
// pairwise table its network, in output order; every chart is drawn and keeps none of its
// template's placeholders.
#include "NOPRProcCustom.h"
#include "SampleChartsSupport.h"

#include "proc/CFStatXMLInfoBlock.h"

using namespace outtest;
using namespace chartstest;

namespace {

// The titles of the example's charts (without the one-sample and field charts unless `all`);
// every chart's problems are added to `problems`.
std::vector<std::string> chartTitles(const std::string& name, bool all, std::string& problems) {
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
    if (all || (chart->title.rfind("One-Sample", 0) != 0 &&
                chart->title.find("Field Information") == std::string::npos))
      titles.push_back(chart->title);
  }
  return titles;
}

} // namespace

TEST(ExampleCharts, EveryTestFieldAndPairwiseTableHasItsChart) {
  const struct {
    const char* example;
    std::vector<std::string> titles;
    bool all = false; // the one-sample and field charts too
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
      // One-sample tests and fields only: every test and field in the document's order.
      {"onesample_mtcars",
       {"One-Sample Chi-Square Test", "One-Sample Binomial Test", "One-Sample Binomial Test",
        "Continuous Field Information Miles per gallon",
        "Categorical Field Information Transmission"},
       true},
      {"onesample_morley",
       {"One-Sample Runs Test", "One-Sample Wilcoxon Signed Rank Test",
        "One-Sample Kolmogorov-Smirnov Normal Test",
        "Continuous Field Information Speed of light (km/s minus 299000)"},
       true},
      {"ks_ozone_dates",
       {"One-Sample Kolmogorov-Smirnov Uniform Test",
        "Continuous Field Information Date of measurement"},
       true},
  };
  for (const auto& c : cases) {
    std::string problems;
    EXPECT_EQ(chartTitles(c.example, c.all, problems), c.titles) << c.example;
    EXPECT_EQ(problems, "") << c.example;
  }
}
