// Sample data and template edits of the gallery: what a statistician would see from a report.
#include "GallerySamples.h"

#include <cmath>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {

std::string ReadTemplate(const std::string& folder, const std::string& name) {
  std::ifstream in(folder + "/" + name + ".viztemplate", std::ios::binary);
  if (!in)
    throw std::runtime_error("cannot read template " + name);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Replaces the first occurrence, as the views do; a marker that is not there is an error of the
// sample, not of the drawing.
void Edit(std::string& text, const std::string& from, const std::string& to) {
  std::size_t at = text.find(from);
  if (at == std::string::npos)
    throw std::runtime_error("marker not found: " + from);
  text.replace(at, from.size(), to);
}

struct Table {
  VarDataProcessor& data;
  std::string source;
  unsigned long row = 0;
  Table(VarDataProcessor& processor, std::string name, std::vector<std::string> variables)
      : data(processor), source(std::move(name)) {
    data.AddDataSource(source);
    for (const std::string& variable : variables)
      data.AddVariable(source, variable);
  }
  void Number(const std::string& variable, double value) {
    data.SetVariableValue(source, variable, row, value);
  }
  void Text(const std::string& variable, const std::string& value) {
    data.SetStringVariableValue(source, variable, row, value);
  }
};

GalleryChart Make(const std::string& folder, const std::string& name) {
  GalleryChart chart;
  chart.name = name;
  chart.specification = ReadTemplate(folder, name);
  chart.data = std::make_unique<VarDataProcessor>();
  return chart;
}

GalleryChart StackedBar(const std::string& folder) {
  GalleryChart chart = Make(folder, "NPARStackedBar");
  Edit(chart.specification, "yAxisLabel", "Percent");
  Edit(chart.specification, "LegendLabel", "Outcome");
  Edit(chart.specification, "CategoryOrderText", "Success;Failure");
  Table t(*chart.data, "graphSource", {"categories", "type", "value", "tooltip"});
  const char* groups[] = {"Observed", "Hypothesized"};
  double success[] = {63.3, 50};
  for (int g = 0; g < 2; ++g)
    for (int s = 0; s < 2; ++s, ++t.row) {
      double value = s == 0 ? success[g] : 100 - success[g];
      t.Text("categories", groups[g]);
      t.Text("type", s == 0 ? "Success" : "Failure");
      t.Number("value", value);
      t.Text("tooltip", std::string(groups[g]) + " " + (s == 0 ? "Success" : "Failure") + ": " +
                            std::to_string(static_cast<int>(std::round(value))) + "%");
    }
  return chart;
}

GalleryChart ChiSquare(const std::string& folder) {
  GalleryChart chart = Make(folder, "NPARChiSquareTest");
  Edit(chart.specification, "titleText", "Preferred Brand of Coffee");
  Edit(chart.specification, "xAxisText", "Preferred brand");
  Edit(chart.specification, "yAxisText", "Frequency");
  Edit(chart.specification, "legendTitle", "");
  Edit(chart.specification, "<popup ",
       "<popup tokenTemplate=\"Brand: $[category]$&#10;Observed: $[observed]$&#10;"
       "Hypothesized: $[hypothesized]$&#10;Residual: $[residual]$\" ");
  Table t(*chart.data, "graphSource",
          {"Category", "Frequency", "Observed", "Hypothesized", "Type", "Residual"});
  const char* brands[] = {"Arabica Gold", "Morning Roast", "House Blend & Co.", "Espresso <Dark>",
                          "Decaf"};
  double observed[] = {48, 36, 29, 22, 15};
  for (int i = 0; i < 5; ++i)
    for (int type = 0; type < 2; ++type, ++t.row) {
      t.Text("Category", brands[i]);
      t.Number("Frequency", type == 0 ? observed[i] : 30);
      t.Number("Observed", observed[i]);
      t.Number("Hypothesized", 30);
      t.Text("Type", type == 0 ? "Observed" : "Hypothesized");
      t.Number("Residual", observed[i] - 30);
    }
  return chart;
}

GalleryChart Runs(const std::string& folder) {
  GalleryChart chart = Make(folder, "NPAROneSampleRunsTest");
  Edit(chart.specification, "<range max=\"100\"", "<range max=\"52\"");
  Edit(chart.specification, "parameter=\"50\"", "parameter=\"26\"");
  Edit(chart.specification, "secondaryParameter=\"1\"", "secondaryParameter=\"3.47\"");
  Edit(chart.specification, "<lineGuide x=\"500\"", "<lineGuide x=\"26\"");
  Edit(chart.specification, "<lineGuide x=\"20\"", "<lineGuide x=\"19\"");
  Edit(chart.specification, "ObservedRunsText", "Observed number of runs = 19");
  Edit(chart.specification, "TooFewRuns", "Too few runs");
  Edit(chart.specification, "TooManyRuns", "Too many runs");
  return chart;
}

GalleryChart Histogram(const std::string& folder) {
  GalleryChart chart = Make(folder, "NPARHistogram");
  Edit(chart.specification, "xAxisLabel", "Systolic blood pressure (mmHg)");
  Edit(chart.specification, "yAxisLabel", "Frequency");
  Edit(chart.specification, "labelText", "Mean = 128.4\nStd. Deviation = 14.9\nN = 240");
  Edit(chart.specification, "</graph>",
       "<line id=\"fit\" style=\"fitStyle\"><x variable=\"value\"/><y variable=\"count\"/>"
       "<distributionStatistic distribution=\"normal\" parameter=\"128.4\" "
       "secondaryParameter=\"14.9\"/></line></graph>");
  Edit(chart.specification, "<sourceVariable",
       "<style id=\"fitStyle\" stroke=\"#D55E00\" strokeWidth=\"2\"/><sourceVariable");
  Table t(*chart.data, "graphSource", {"value", "count"});
  for (double center = 92.5; center < 170; center += 5, ++t.row) {
    double z = (center - 128.4) / 14.9;
    t.Number("value", center);
    t.Number("count", std::round(240 * 5 * std::exp(-0.5 * z * z) / (14.9 * 2.5066) +
                                 (static_cast<int>(center) % 3 - 1)));
  }
  return chart;
}

void FillGroups(Table& t, const char* const groups[2], const double means[2], double sd, int n) {
  for (int g = 0; g < 2; ++g) {
    for (double rank = 2.5; rank < 60; rank += 5, ++t.row) {
      double z = (rank - means[g]) / sd;
      t.Number("COUNTS", std::round(n * 5 * std::exp(-0.5 * z * z) / (sd * 2.5066)));
      t.Number("MEANS", rank);
      t.Text("TYPES", groups[g]);
      t.Text("LABELNAME", "N = " + std::to_string(n) + "\nMean Rank = " +
                              std::to_string(static_cast<int>(means[g])) + ".00");
    }
  }
}

GalleryChart Kolmogorov(const std::string& folder) {
  GalleryChart chart = Make(folder, "NPARKolmogorovSmirnov");
  Edit(chart.specification, "xTitle", "Frequency");
  Edit(chart.specification, "yTitle0", "Reaction time (ms)");
  Edit(chart.specification, "yTitle1", "Reaction time (ms)");
  Edit(chart.specification, "subTitle", "Treatment group");
  Table t(*chart.data, "graphSource", {"COUNTS", "MEANS", "LABELNAME", "TYPES"});
  const char* const groups[2] = {"Placebo", "Active drug"};
  const double means[2] = {24, 34};
  FillGroups(t, groups, means, 10, 60);
  return chart;
}

GalleryChart BackToBack(const std::string& folder) {
  GalleryChart chart = Make(folder, "NPARRelatedSamplesHistogram");
  Edit(chart.specification, "alternating=\"false\" centre=\"x\"",
       "alternating=\"true \" centre=\"y\"");
  Edit(chart.specification, "xTitle", "Frequency");
  Edit(chart.specification, "yTitle0", "Rank");
  Edit(chart.specification, "yTitle1", "Rank");
  Edit(chart.specification, "subTitle", "Independent-Samples Mann-Whitney U Test");
  Edit(chart.specification, "categoryOrder1", "Female;Male");
  Table t(*chart.data, "graphSource", {"COUNTS", "MEANS", "LABELNAME", "TYPES"});
  const char* const groups[2] = {"Male", "Female"};
  const double means[2] = {33, 26};
  FillGroups(t, groups, means, 13, 58);
  return chart;
}

GalleryChart Boxplot(const std::string& folder) {
  GalleryChart chart = Make(folder, "NPARBoxplot");
  Edit(chart.specification, "yAxisText", "Monthly income ($)");
  Edit(chart.specification, "xAxisText", "Region");
  Edit(chart.specification, "</graph>",
       "<lineGuide y=\"2950\" style=\"medianGuide\"><label><text>Grand median = 2,950"
       "</text></label></lineGuide></graph><labelFrame id=\"medianFrame\" style=\"frameStyle\">"
       "<label><text>Grand median\n= 2,950.00</text></label></labelFrame>");
  Edit(chart.specification, "<sourceVariable",
       "<style id=\"medianGuide\" stroke=\"#D55E00\" strokeWidth=\"1.5\" dash=\"5 3\" "
       "fontSize=\"10\"/><style id=\"frameStyle\" fill=\"#FFFFFF\" stroke=\"#B0B0B0\" "
       "fontSize=\"10\"/><sourceVariable");
  Edit(chart.specification, "</visualization>",
       "<popup target=\"schema\" part=\"median\" tokenTemplate=\"$[Tooltips]$\"/></visualization>");
  Table t(*chart.data, "boxplotSource", {"Value", "Label", "Category", "Tooltips"});
  const char* regions[] = {"North", "South", "East", "West"};
  double centres[] = {2800, 3300, 2500, 3000};
  int caseNumber = 1;
  for (int r = 0; r < 4; ++r) {
    for (int i = 0; i < 30; ++i, ++t.row, ++caseNumber) {
      double spread = (i - 14.5) / 14.5;
      double value = centres[r] + 600 * spread * std::fabs(spread) + 37 * ((i * 7) % 5);
      if (i == 3 && r != 1)
        value = centres[r] + 2200 + 150 * r; // an outlier
      if (i == 5 && r == 2)
        value = centres[r] + 4400; // an extreme
      t.Number("Value", value);
      t.Text("Label", std::to_string(caseNumber));
      t.Text("Category", regions[r]);
      t.Text("Tooltips",
             std::string(regions[r]) + ": median " + std::to_string(static_cast<int>(centres[r])));
    }
  }
  return chart;
}

GalleryChart Wilcoxon(const std::string& folder) {
  GalleryChart chart = Make(folder, "NPARWilcoxonPairSignedRank");
  Edit(chart.specification, "LegendLabel", "(Number of Ties = 3)");
  Edit(chart.specification, "XAxis Text", "Weight after - Weight before (kg)");
  Edit(chart.specification, "YAxis Text", "Frequency");
  Edit(chart.specification, "<when above",
       "<format><relabel key=\"0positive\" label=\"Positive Differences (N = 21)\"/>"
       "<relabel key=\"1negative\" label=\"Negative Differences (N = 36)\"/></format><when above");
  Table t(*chart.data, "graphSource", {"count", "value"});
  for (double center = -9; center <= 6; center += 1, ++t.row) {
    if (center == 0)
      continue;
    double z = (center + 1.5) / 3.2;
    t.Number("value", center);
    t.Number("count", std::max(1., std::round(14 * std::exp(-0.5 * z * z))));
  }
  return chart;
}

GalleryChart FacetBars(const std::string& folder) {
  GalleryChart chart = Make(folder, "FacetBarChart");
  Edit(chart.specification, "TitleText", "Rating before and after the course");
  Edit(chart.specification, "Facet1Text", "After");
  Edit(chart.specification, "Facet2Text", "Before");
  Edit(chart.specification, "tooltipText", "Observed: $[0]$&#10;Hypothesized: $[1]$");
  Edit(chart.specification, "<color ", "<pattern ");
  Table t(*chart.data, "graphSource",
          {"Row", "Column", "Category", "CellValue", "CellText", "ObservedTooltip",
           "HypothesizedTooltip"});
  const char* levels[] = {"Poor", "Fair", "Good"};
  int counts[3][3] = {{12, 9, 4}, {3, 15, 11}, {1, 4, 21}};
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) {
      if (r == c) {
        t.Text("Row", levels[r]);
        t.Text("Column", levels[c]);
        t.Text("CellText", "Count = " + std::to_string(counts[r][c]));
        ++t.row;
        continue;
      }
      double hypothesized = 0.5 * (counts[r][c] + counts[c][r]);
      for (int k = 0; k < 2; ++k, ++t.row) {
        t.Text("Row", levels[r]);
        t.Text("Column", levels[c]);
        t.Text("Category", k == 0 ? "Observed" : "Hypothesized");
        t.Number("CellValue", k == 0 ? counts[r][c] : hypothesized);
        t.Number("ObservedTooltip", counts[r][c]);
        t.Number("HypothesizedTooltip", hypothesized);
      }
    }
  return chart;
}

GalleryChart Network(const std::string& folder) {
  GalleryChart chart = Make(folder, "GLMMPairwiseContrasts");
  std::size_t begin = chart.specification.find("<faceting");
  std::size_t end = chart.specification.find("</facetLayout>");
  if (begin != std::string::npos && end != std::string::npos)
    chart.specification.erase(begin, end + std::string("</facetLayout>").size() - begin);
  Edit(chart.specification, "TitleText", "Pairwise Comparisons of Diet");
  Edit(chart.specification, "FootnoteText",
       "Each node shows the sample average rank of Diet. Orange lines are significant "
       "(adjusted p &lt; .05).");
  Edit(chart.specification, "variable=\"type\" categorical=\"true\"",
       "variable=\"type\" categorical=\"true\" categoryOrder=\"Significant;Not significant\"");
  VarDataProcessor& data = *chart.data;
  Table nodes(data, "nodeSource_1", {"node"});
  const char* diets[] = {"Low fat", "Low carb", "Mediterranean", "Vegan", "Control"};
  for (int i = 0; i < 5; ++i, ++nodes.row)
    nodes.Text("node", diets[i]);
  Table edges(data, "edgeSource_1", {"from", "to", "weight", "weightInPopup", "type", "tooltip"});
  double p[] = {0.412, 0.003, 0.018, 0.990, 0.051, 0.240, 0.0004, 0.7, 0.032, 0.11};
  int k = 0;
  for (int a = 0; a < 5; ++a)
    for (int b = a + 1; b < 5; ++b, ++k, ++edges.row) {
      edges.Text("from", diets[a]);
      edges.Text("to", diets[b]);
      edges.Number("weight", p[k]);
      edges.Number("weightInPopup", p[k]);
      edges.Text("type", p[k] < 0.05 ? "Significant" : "Not significant");
    }
  return chart;
}

} // namespace

std::vector<GalleryChart> BuildGalleryCharts(const std::string& folder) {
  std::vector<GalleryChart> charts;
  for (auto make : {StackedBar, ChiSquare, Runs, Histogram, Kolmogorov, BackToBack, Boxplot,
                    Wilcoxon, FacetBars, Network})
    charts.push_back(make(folder));
  return charts;
}
