// Every text edit and every document edit the chart views make, applied to the shipped templates:
// each marker must be where the edit looks for it, and each edited text must still be a chart
// document that says what the view means.
#include "ViZNode.h"

#include "chart/XDocument.h"
#include "dict/VORN_Format.h"
#include "dict/VORN_Variable.h"
#include "strings/PathFactory.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

// Texts as a string table would give them: not all ASCII, with blanks and punctuation.
const char* const kFrequency = "H\xC3\xA4ufigkeit";
const char* const kFieldLabel = "Weight at six weeks (g)";

// The text edits of the views, each failing the test when its marker is not there: a view would
// skip the edit silently and draw the placeholder or miss the fragment.
void ReplaceFirst(std::string& text, const std::string& marker, const std::string& replacement) {
  const std::size_t at = text.find(marker);
  if (at == std::string::npos) {
    ADD_FAILURE() << "no \"" << marker << "\"";
    return;
  }
  text.replace(at, marker.size(), replacement);
}

void InsertBefore(std::string& text, const std::string& marker, const std::string& fragment) {
  const std::size_t at = text.find(marker);
  if (at == std::string::npos) {
    ADD_FAILURE() << "no \"" << marker << "\"";
    return;
  }
  text.insert(at, fragment);
}

// Replaces `count` characters that follow `marker` (from `offset` characters into it).
void ReplaceBehind(std::string& text, const std::string& marker, std::size_t offset,
                   std::size_t count, const std::string& replacement) {
  const std::size_t at = text.find(marker);
  if (at == std::string::npos) {
    ADD_FAILURE() << "no \"" << marker << "\"";
    return;
  }
  text.replace(at + offset, count, replacement);
}

// Erases from the first `start` through the end of the first `end` after it.
void EraseThrough(std::string& text, const std::string& start, const std::string& end,
                  std::size_t from = 0) {
  const std::size_t first = text.find(start, from);
  const std::size_t last = first == std::string::npos ? first : text.find(end, first);
  if (last == std::string::npos) {
    ADD_FAILURE() << "no \"" << start << "\" ... \"" << end << "\"";
    return;
  }
  text.erase(first, last + end.size() - first);
}

std::size_t Count(const std::string& text, const std::string& marker) {
  std::size_t count = 0;
  for (std::size_t at = text.find(marker); at != std::string::npos;
       at = text.find(marker, at + marker.size()))
    ++count;
  return count;
}

// The line guide and label frames the median views add, with the host's numbers for parts and
// methods.
void AddMedianGuides(XDocument& document) {
  ViZVisualization visualization = document.getVisualization();
  ViZGraph graph = visualization.getGraph(0);
  ViZStyle first = visualization.addStyle();
  first.setColor("green");
  first.setId("lineGuide1Style");
  ViZStyle second = visualization.addStyle();
  second.setColor("blue");
  second.setId("lineGuide2Style");
  ViZLineGuide hypothesized = graph.addLineGuide();
  hypothesized.setX("850");
  hypothesized.setStyle(first);
  ViZLineGuide observed = graph.addLineGuide();
  observed.setX("912.5");
  observed.setStyle(second);
  ViZLocation right = graph.getLocation(1);
  right.setMethod(0);
  right.setValue("80%");
  right.setSpecifiedByUser(true);
  ViZLocation top = graph.getLocation(2);
  top.setValue(visualization.getExtension().hasSubtitle() ? "15%" : "10%");
  top.setSpecifiedByUser(true);

  struct Frame {
    const char* id;
    const char* color;
    const char* styleId;
    const char* text;
  };
  const Frame frames[] = {
      {"frameHypotheticalMedian", "green", "label1Style", "Hypothetical Median\n= 850.00"},
      {"frameObservedMedian", "blue", "label2Style", "Observed Median\n= 912.50"},
  };
  ViZLabelFrame previous;
  for (const Frame& spec : frames) {
    ViZLabelFrame frame = visualization.addLabelFrame();
    frame.setId(spec.id);
    const ViZElement& target = previous.isValid() ? static_cast<const ViZElement&>(previous)
                                                  : static_cast<const ViZElement&>(graph);
    const int placement[4][3] = {{2, previous.isValid() ? 3 : 2, 1},
                                 {0, previous.isValid() ? 2 : 3, 1},
                                 {5, 1, 0},
                                 {1, previous.isValid() ? 2 : 0, previous.isValid() ? 1 : 0}};
    for (const auto& [part, method, targeted] : placement) {
      ViZLocation location = frame.addLocation();
      location.setPart(part);
      location.setMethod(method);
      if (targeted)
        location.setTarget(target);
      else if (part == 1)
        location.setValue("100%");
    }
    ViZStyle style = visualization.addStyle();
    style.setColor(spec.color);
    style.setFontWeight(2);
    style.setId(spec.styleId);
    ViZLabel label = frame.getLabel();
    label.setStyle(style);
    label.getText().setText(spec.text);
    previous = frame;
  }
}

void AttachField(XDocument& document, const char* variable) {
  VORN_Variable weight("weight", 0, VORN_Format(VORN_Format::kF, 8, 1));
  weight.SetLabel(kFieldLabel);
  XVariable chartVariable = document.getExternalGraph()->getVariable(variable);
  EXPECT_TRUE(chartVariable.exists()) << variable;
  chartVariable.setVORNVariable(weight);
  chartVariable.setFormatBasedOnVORNVariable(weight);
}

void Relabel(XDocument& document, const char* variable,
             std::vector<std::pair<const char*, const char*>> relabels) {
  XVariable chartVariable = document.getExternalGraph()->getVariable(variable);
  EXPECT_TRUE(chartVariable.exists()) << variable;
  for (const auto& [key, label] : relabels)
    chartVariable.addRelabel(ChartString(key), ChartString(label));
}

const ViZNode& Find(const ViZNode& root, const char* id) {
  const ViZNode* node = root.FindById(id);
  if (node == nullptr)
    throw std::runtime_error(std::string("no element with the id ") + id);
  return *node;
}

const ViZNode& Child(const ViZNode& node, const char* name) {
  const ViZNode* child = node.FirstChild(name);
  if (child == nullptr)
    throw std::runtime_error(node.name + " has no " + name);
  return *child;
}

std::string Text(const ViZNode& holder) {
  return Child(holder, "text").text;
}

struct ViewEdits {
  const char* file;
  const char* view;
  std::function<void(std::string&)> editText;
  std::function<void(XDocument&)> editDocument;
  // What the edited chart must say, read from its tree as the drawing reads it.
  std::function<void(const ViZNode&)> check;
};

std::vector<ViewEdits> AllViews() {
  const auto none = [](XDocument&) {};
  const auto stackedText = [](std::string& text) { ReplaceFirst(text, "yAxisLabel", "Prozent"); };
  const auto histogramAxes = [](std::string& text) {
    ReplaceFirst(text, "xAxisLabel", kFieldLabel);
    ReplaceFirst(text, "yAxisLabel", kFrequency);
  };
  return {
      {"NPARStackedBar.viztemplate", "binomial",
       [=](std::string& text) {
         stackedText(text);
         ReplaceFirst(text, "LegendLabel", kFieldLabel);
         ReplaceFirst(text, "CategoryOrderText", " &lt;= 5;  &gt; 5");
       },
       none,
       [](const ViZNode& root) {
         EXPECT_EQ(Find(root, "type").AttributeOr("categoryOrder", ""), " <= 5;  > 5");
         EXPECT_EQ(Text(Child(Find(root, "typeLegend"), "label")), kFieldLabel);
         EXPECT_EQ(Text(Child(*Child(root, "graph").Children("axis")[1], "label")), "Prozent");
       }},
      {"NPARStackedBar.viztemplate", "Cochran's Q",
       [=](std::string& text) {
         stackedText(text);
         ReplaceFirst(text, "LegendLabel", "");
       },
       none,
       [](const ViZNode& root) { EXPECT_EQ(Text(Child(Find(root, "typeLegend"), "label")), ""); }},
      {"NPARChiSquareTest.viztemplate", "chi-square",
       [](std::string& text) {
         ReplaceFirst(text, "titleText", "One-Sample Chi-Square Test");
         ReplaceFirst(text, "xAxisText", kFieldLabel);
         ReplaceFirst(text, "yAxisText", kFrequency);
         ReplaceFirst(text, "legendTitle", kFrequency);
         ReplaceBehind(text, "<popup", 7, 0,
                       std::string("tokenTemplate=\"") + kFieldLabel +
                           "=$[category]$\nObserved=$[observed]$\n"
                           "Hypothesized=$[hypothesized]$\nResidual=$[residual]$\" ");
       },
       [](XDocument& document) {
         Relabel(document, "Type", {{"a", "Observed"}, {"b", "Hypothesized"}});
         document.getExternalGraph()->setSubtitle(u"group = 1");
       },
       [](const ViZNode& root) {
         const ViZNode& popup = Child(root, "popup");
         EXPECT_EQ(popup.AttributeOr("target", ""), "bars");
         EXPECT_EQ(popup.AttributeOr("tokenTemplate", ""),
                   std::string(kFieldLabel) +
                       "=$[category]$\nObserved=$[observed]$\nHypothesized=$[hypothesized]$\n"
                       "Residual=$[residual]$");
         EXPECT_EQ(Text(Child(root, "title")), "One-Sample Chi-Square Test");
         EXPECT_EQ(Text(Child(Find(root, "typeLegend"), "label")), kFrequency);
       }},
      {"NPAROneSampleRunsTest.viztemplate", "runs",
       [](std::string& text) {
         // Mean 18.5, standard deviation 2.25, 24 runs observed, with a split subtitle.
         ReplaceBehind(text, "<range max=\"", 12, 3, "37");
         ReplaceBehind(text, "parameter=\"", 11, 2, "18.5");
         ReplaceBehind(text, "secondaryParameter=\"", 20, 1, "2.25");
         ReplaceBehind(text, "<lineGuide x=\"20", 14, 2, "24");
         ReplaceFirst(text, "ObservedRunsText", "Observed Number of Runs = 24");
         ReplaceBehind(text, "<lineGuide x=\"500", 14, 3, "18.5");
         ReplaceFirst(text, "TooFewRuns", "Too few runs");
         ReplaceFirst(text, "TooManyRuns", "Too many runs");
         ReplaceFirst(text, "10%", "15%");
       },
       [](XDocument& document) {
         document.getExternalGraph()->setTitle(u"One-Sample Runs Test");
         document.getExternalGraph()->setSubtitle(u"group = 1");
       },
       [](const ViZNode& root) {
         const ViZNode& graph = Child(root, "graph");
         EXPECT_EQ(Child(Child(graph, "axis"), "range").AttributeOr("max", ""), "37");
         const ViZNode& curve = Child(Find(root, "curve"), "distributionStatistic");
         EXPECT_EQ(curve.AttributeOr("parameter", ""), "18.5");
         EXPECT_EQ(curve.AttributeOr("secondaryParameter", ""), "2.25");
         const std::vector<ViZNode*> guides = graph.Children("lineGuide");
         ASSERT_EQ(guides.size(), 2u);
         EXPECT_EQ(guides[0]->AttributeOr("x", ""), "18.5"); // the mean
         EXPECT_EQ(guides[1]->AttributeOr("x", ""), "24");   // the observed runs, labelled
         EXPECT_EQ(Text(Child(*guides[1], "label")), "Observed Number of Runs = 24");
         EXPECT_EQ(Child(graph, "location").AttributeOr("value", ""), "15%");
       }},
      {"NPARHistogram.viztemplate", "Kolmogorov-Smirnov",
       [=](std::string& text) {
         InsertBefore(text, "</graph>",
                      "<line><distributionStatistic distribution=\"normal\" parameter=\"850.5\" "
                      "secondaryParameter=\"12.25\"/><x variable=\"value\"/>"
                      "<y variable=\"count\"/></line>");
         histogramAxes(text);
         ReplaceFirst(text, "labelText",
                      "Normal Parameters&#10;Mean 850.50&#10;Std. Deviation 12.250");
       },
       [](XDocument& document) { AttachField(document, "value"); },
       [](const ViZNode& root) {
         const ViZNode& line = Child(Child(root, "graph"), "line");
         EXPECT_EQ(Child(line, "distributionStatistic").AttributeOr("distribution", ""), "normal");
         EXPECT_EQ(Text(Child(Find(root, "statisticsFrame"), "label")),
                   "Normal Parameters\nMean 850.50\nStd. Deviation 12.250");
         EXPECT_EQ(Find(root, "value").AttributeOr("label", ""), kFieldLabel);
       }},
      {"NPARHistogram.viztemplate", "one-sample Wilcoxon",
       [=](std::string& text) {
         histogramAxes(text);
         ReplaceFirst(text, "labelText", "");
       },
       [](XDocument& document) {
         document.getExternalGraph()->setTitle(u"One-Sample Wilcoxon Signed Rank Test");
         document.getExternalGraph()->setSubtitle(u"group = 1");
         AddMedianGuides(document);
         AttachField(document, "value");
       },
       [](const ViZNode& root) {
         const ViZNode& graph = Child(root, "graph");
         EXPECT_EQ(graph.Children("lineGuide").size(), 2u);
         const std::vector<ViZNode*> locations = graph.Children("location");
         ASSERT_EQ(locations.size(), 2u); // the template's right location was taken over
         EXPECT_EQ(locations[0]->AttributeOr("value", ""), "80%");
         EXPECT_EQ(locations[1]->AttributeOr("value", ""), "15%");
         const ViZNode& observed = Find(root, "frameObservedMedian");
         EXPECT_EQ(Child(observed, "location").AttributeOr("target", ""),
                   "frameHypotheticalMedian");
         EXPECT_EQ(Child(observed, "label").AttributeOr("style", ""), "label2Style");
         EXPECT_EQ(Find(root, "label2Style").AttributeOr("fontWeight", ""), "2");
       }},
      {"NPARHistogram.viztemplate", "categorical field",
       [=](std::string& text) {
         ReplaceFirst(text, "xAxisLabel", kFieldLabel);
         ReplaceFirst(text, "<binStatistic/>", "");
         ReplaceFirst(text, "<summaryStatistic method=\"sum\"/>", "");
         ReplaceFirst(text, "yAxisLabel", "Count");
         ReplaceFirst(text, "labelText", "Total N = 60");
       },
       [](XDocument& document) {
         AttachField(document, "value");
         XVariable value = document.getExternalGraph()->getVariable("value");
         value.setCategorical(true);
         document.getExternalGraph()->setThirdText(u"Weight is ordinal, shown as continuous.");
         value.addRelabel("1", "low");
         value.addRelabel("2", "high");
       },
       [](const ViZNode& root) {
         const ViZNode& bars = Find(root, "bars");
         EXPECT_EQ(bars.FirstChild("binStatistic"), nullptr);
         EXPECT_EQ(bars.FirstChild("summaryStatistic"), nullptr);
         EXPECT_EQ(Find(root, "value").AttributeOr("categorical", ""), "true");
         EXPECT_EQ(Text(Child(root, "footnote")), "Weight is ordinal, shown as continuous.");
       }},
      {"NPARKolmogorovSmirnov.viztemplate", "independent-samples Kolmogorov-Smirnov",
       [](std::string& text) {
         ReplaceFirst(text, "xTitle", kFrequency);
         ReplaceFirst(text, "subTitle", "Group");
         ReplaceFirst(text, "yTitle0", kFieldLabel);
         ReplaceFirst(text, "yTitle1", kFieldLabel);
       },
       [](XDocument& document) {
         Relabel(document, "labelname", {{"ctrl", "N = 10"}});
       },
       [](const ViZNode& root) {
         const ViZNode& layout = Child(Child(root, "graph"), "facetLayout");
         EXPECT_EQ(layout.AttributeOr("alternating", ""), "false");
         EXPECT_EQ(layout.AttributeOr("gap", ""), "3%");
         EXPECT_EQ(Text(Find(root, "subLabel")), "Group");
       }},
      {"NPARRelatedSamplesHistogram.viztemplate", "Mann-Whitney U",
       [](std::string& text) {
         ReplaceFirst(text, "xTitle", kFrequency);
         ReplaceFirst(text, "subTitle", "Group");
         ReplaceFirst(text, "yTitle0", kFieldLabel);
         ReplaceFirst(text, "yTitle1", kFieldLabel);
         const std::size_t alternating = text.find("alternating=");
         ASSERT_NE(alternating, std::string::npos);
         text.replace(alternating + 13, 5, "true");
         const std::size_t x = text.find('x', alternating + 13);
         ASSERT_NE(x, std::string::npos);
         text[x] = 'y';
         ReplaceBehind(text, "invert=\"", 8, 4, "false");
         ReplaceBehind(text, "3%", 0, 1, "18");
       },
       [](XDocument& document) {
         Relabel(document, "labelname", {{"ctrl", "N = 10\nMean Rank = 8.20"}});
         Relabel(document, "types", {{"0", "ctrl"}, {"1", "trt1"}});
         AttachField(document, "means");
       },
       [](const ViZNode& root) {
         const ViZNode& layout = Child(Child(root, "graph"), "facetLayout");
         EXPECT_EQ(layout.AttributeOr("alternating", ""), "true");
         EXPECT_EQ(layout.AttributeOr("centre", ""), "y");
         EXPECT_EQ(layout.AttributeOr("invert", ""), "false");
         EXPECT_EQ(layout.AttributeOr("gap", ""), "18%");
       }},
      {"NPARRelatedSamplesHistogram.viztemplate", "Friedman",
       [](std::string& text) {
         ReplaceFirst(text, "xTitle", kFrequency);
         ReplaceFirst(text, "yTitle0", "Rank");
         ReplaceFirst(text, "yTitle1", "Rank");
         EraseThrough(text, "<label id=\"subLabel\">", "</label>");
         ReplaceFirst(text, "categoryOrder1", "2;0;1");
       },
       [](XDocument& document) {
         document.getExternalGraph()->setOuterFrameWidth(2.5);
         document.getExternalGraph()->setOuterFrameHeight(1.2);
         XVariable types = document.getExternalGraph()->getVariable("types");
         for (int group = 0; group < 3; ++group)
           types.addRelabel(ChartString().assignInteger(group), ChartString("variable"));
         Relabel(document, "labelname", {{"2.5", "Mean Rank = 2.50"}});
       },
       [](const ViZNode& root) {
         EXPECT_EQ(root.FindById("subLabel"), nullptr);
         EXPECT_EQ(Find(root, "types").AttributeOr("categoryOrder", ""), "2;0;1");
         EXPECT_EQ(root.AttributeOr("frameWidth", ""), "2.5");
         const ViZNode& facet = Child(Child(Child(root, "graph"), "faceting"), "facet");
         EXPECT_NE(facet.FirstChild("panelLabel"), nullptr);
       }},
      {"NPARBoxplot.viztemplate", "median test",
       [](std::string& text) {
         ReplaceFirst(text, "yAxisText", kFieldLabel);
         ReplaceFirst(text, "xAxisText", "Feed supplement");
         InsertBefore(text, "</graph>", "<lineGuide y=\"261.31\"/>");
         const std::size_t end = text.find("</graph>");
         ASSERT_NE(end, std::string::npos);
         text.insert(end + 8,
                     "<labelFrame><location method=\"sizeToContent\" part=\"width\"/>"
                     "<location method=\"fixed\" part=\"bottom\" value=\"35%\"/>"
                     "<location method=\"same\" part=\"right\" target=\"graph1\"/><label><text>"
                     "Grand Median = 261.31</text></label></labelFrame>");
       },
       [](XDocument& document) {
         AttachField(document, "Value");
         Relabel(document, "Category", {{"0", "casein"}, {"1", "horsebean"}});
         document.getExternalGraph()->getVariable("Category").setLabel("Feed supplement");
       },
       [](const ViZNode& root) {
         const ViZNode& graph = Find(root, "graph1");
         EXPECT_EQ(Child(graph, "lineGuide").AttributeOr("y", ""), "261.31");
         const ViZNode& frame = Child(root, "labelFrame");
         EXPECT_EQ(Text(Child(frame, "label")), "Grand Median = 261.31");
         EXPECT_EQ(frame.Children("location")[2]->AttributeOr("target", ""), "graph1");
       }},
      {"NPARBoxplot.viztemplate", "Kruskal-Wallis",
       [](std::string& text) {
         ReplaceFirst(text, "yAxisText", kFieldLabel);
         ReplaceFirst(text, "xAxisText", "Feed supplement");
         InsertBefore(text, "</visualization>",
                      "<popup part=\"median\" target=\"schema\" tokenTemplate=\"Mean Rank=$[1]$\">"
                      "<tokenMapping valueToken=\"1\" variable=\"Tooltips\"/></popup>");
       },
       none,
       [](const ViZNode& root) {
         const ViZNode& popup = Child(root, "popup");
         EXPECT_EQ(popup.AttributeOr("target", ""), "schema");
         EXPECT_EQ(Find(root, "schema").name, "schema");
         EXPECT_EQ(Child(popup, "tokenMapping").AttributeOr("variable", ""), "Tooltips");
         EXPECT_NE(root.FindById("Tooltips"), nullptr);
       }},
      {"NPARBoxplot.viztemplate", "Moses",
       [](std::string& text) {
         ReplaceFirst(text, "yAxisText", kFieldLabel);
         ReplaceFirst(text, "xAxisText", "Feed supplement");
       },
       [](XDocument& document) {
         ViZVisualization visualization = document.getVisualization();
         ViZSourceVariable label;
         ViZSourceVariable category;
         for (const ViZSourceVariable& variable : visualization.getSourceVariables()) {
           if (variable.getId().equals(u"Label"))
             label = variable;
           if (variable.getId().equals(u"Category"))
             category = variable;
         }
         ASSERT_TRUE(label.isValid() && category.isValid());
         ViZGraph graph = visualization.getGraph(0);
         ASSERT_GT(graph.getSchemaElementCount(), 0u);
         ViZSchemaElement box = graph.getSchemaElement(0);
         box.addLabeling().setVariable(label);
         ViZDerivedVariable derived = visualization.addDerivedVariable();
         derived.setId("Category_Derived");
         derived.setValue("Category");
         ViZColorAesthetic color = box.addColorAesthetic();
         color.setId("color1");
         color.setVariable(derived);
         ViZLegend legend = visualization.addLegend();
         legend.setId("legend1");
         ViZLegendTarget target = legend.addLegendTarget();
         target.setId("legend1_target");
         target.setTarget(color);
         visualization.addExtension().setLegend(0, legend);
         ViZFormat format = derived.addFormat();
         format.addRelabel(ChartString().assignInteger(0), "Control Group\nN = 12");
         format.addRelabel(ChartString().assignDouble(1, 16), "Experimental Group\nN = 10");
       },
       [](const ViZNode& root) {
         const ViZNode& box = Find(root, "schema");
         EXPECT_EQ(box.Children("labeling").back()->AttributeOr("variable", ""), "Label");
         EXPECT_EQ(Child(box, "color").AttributeOr("variable", ""), "Category_Derived");
         EXPECT_EQ(Find(root, "legend1_target").AttributeOr("target", ""), "color1");
         EXPECT_EQ(Child(Find(root, "Category_Derived"), "format").Children("relabel").size(), 2u);
       }},
      {"NPARWilcoxonPairSignedRank.viztemplate", "sign and Wilcoxon signed rank",
       [](std::string& text) {
         ReplaceFirst(text, "LegendLabel", "Number of Ties = 12");
         ReplaceFirst(text, "XAxis Text", "After - Before");
         ReplaceFirst(text, "YAxis Text", kFrequency);
       },
       [](XDocument& document) {
         Relabel(document, "type",
                 {{"0positive", "Positive Differences\n(N = 7)"},
                  {"1negative", "Negative Differences\n(N = 3)"}});
         AttachField(document, "value");
       },
       [](const ViZNode& root) {
         EXPECT_EQ(Text(Child(Find(root, "signLegend"), "label")), "Number of Ties = 12");
         EXPECT_EQ(Child(Find(root, "type"), "format").Children("relabel").size(), 2u);
       }},
      {"FacetBarChart.viztemplate", "McNemar, drawn with patterns",
       [](std::string& text) {
         ReplaceFirst(text, "TitleText", "Related-Samples McNemar Change Test");
         ReplaceFirst(text, "Facet1Text", "After");
         ReplaceFirst(text, "Facet2Text", "Before");
         ReplaceFirst(text, "tooltipText", "Observed=$[0]$ &#10;Hypothesized=$[1]$");
         ReplaceBehind(text, "<color", 1, 5, "pattern");
       },
       [](XDocument& document) {
         XGraph& graph = *document.getExternalGraph();
         graph.getVariable("celltext").SetFormatPrefix(u"Observed\nFrequency ");
         AttachField(document, "Row");
         Relabel(document, "Row", {{"0", "yes"}, {"1", "no"}});
         XVariable category = graph.getVariable("category");
         category.setLabel("Category");
         category.addRelabel(0, "Observed");
         category.addRelabel(1, "Hypothesized");
       },
       [](const ViZNode& root) {
         const ViZNode& bars = Find(root, "bars");
         EXPECT_EQ(bars.FirstChild("color"), nullptr);
         EXPECT_EQ(Child(bars, "pattern").AttributeOr("id", ""), "categoryAesthetic");
         EXPECT_EQ(Find(root, "categoryLegend_target").AttributeOr("target", ""),
                   "categoryAesthetic"); // the legend now lists the patterns
         EXPECT_EQ(Child(root, "popup").AttributeOr("tokenTemplate", ""),
                   "Observed=$[0]$ \nHypothesized=$[1]$");
         EXPECT_EQ(Child(Find(root, "celltext"), "format").AttributeOr("prefix", ""),
                   "Observed\nFrequency ");
       }},
      {"FacetBarChart.viztemplate", "marginal homogeneity",
       [](std::string& text) {
         ReplaceFirst(text, "TitleText", "Related-Samples Marginal Homogeneity Test");
         ReplaceFirst(text, "Facet1Text", "After");
         ReplaceFirst(text, "Facet2Text", "Before");
         ReplaceFirst(text, "tooltipText", "Observed=$[0]$");
         EraseThrough(text, "<legend", "</legend>");
         ASSERT_GE(Count(text, "<tokenMapping"), 2u);
         EraseThrough(text, "<tokenMapping", "/>", text.find("<tokenMapping") + 1);
       },
       [](XDocument& document) {
         Relabel(document, "Row", {{"1", "yes"}});
         Relabel(document, "Column", {{"1", "yes"}});
       },
       [](const ViZNode& root) {
         EXPECT_TRUE(root.Children("legend").empty());
         const std::vector<ViZNode*> mappings = Child(root, "popup").Children("tokenMapping");
         ASSERT_EQ(mappings.size(), 1u);
         EXPECT_EQ(mappings[0]->AttributeOr("valueToken", ""), "0");
       }},
      {"GLMMPairwiseContrasts.viztemplate", "pairwise comparisons",
       [](std::string& text) {
         EraseThrough(text, "<faceting", "</faceting>");
         EraseThrough(text, "<facetLayout", "</facetLayout>");
         ReplaceFirst(text, "TitleText", "Pairwise Comparisons of Feed supplement");
         InsertBefore(text, "id=\"style7\"", " visible=\"false\" ");
         ReplaceFirst(text, "FootnoteText", "Each node shows the\nsample average rank of\nFeed.");
         InsertBefore(text, "</graphLayoutStatistic>", "<swap/>");
         InsertBefore(text, "$[1]$", "Adj. Sig. = ");
       },
       [](XDocument& document) {
         XGraph& graph = *document.getExternalGraph();
         XVariable node = graph.getVariable("node");
         AttachField(document, "node");
         node.SetNumberFormat(0, false, nullptr, nullptr);
         node.addRelabel(ChartString().assignDouble(0, 0), "casein\n42.50");
         node.addRelabel(ChartString().assignDouble(1, 0), "horsebean\n8.10");
         Relabel(document, "type", {{"1", "< 0.05"}, {"2", ">= 0.05"}});
         std::vector<ViZLegend> legends = document.getVisualization().getLegends();
         ASSERT_FALSE(legends.empty());
         legends[0].addLabel().addText().setText("Adj. Sig.");
       },
       [](const ViZNode& root) {
         const ViZNode& graph = Child(root, "graph");
         EXPECT_EQ(graph.FirstChild("faceting"), nullptr);
         EXPECT_EQ(graph.FirstChild("facetLayout"), nullptr);
         EXPECT_EQ(Find(root, "style7").AttributeOr("visible", ""), "false");
         EXPECT_NE(Child(Find(root, "nodes"), "graphLayoutStatistic").FirstChild("swap"), nullptr);
         EXPECT_EQ(Child(root, "popup").AttributeOr("tokenTemplate", ""), "Adj. Sig. = $[1]$");
         EXPECT_EQ(Text(Child(root, "footnote")),
                   "Each node shows the\nsample average rank of\nFeed.");
         EXPECT_EQ(Text(Child(Child(root, "legend"), "label")), "Adj. Sig.");
       }},
  };
}

class TemplateEditTest : public ::testing::Test {
protected:
  void SetUp() override {
    PathFactory::SetTemplatesRoot(NPTESTS_SOURCE_DIR "/resources/templates");
  }
  void TearDown() override { PathFactory::SetTemplatesRoot(""); }
};

TEST_F(TemplateEditTest, EveryEditOfEveryViewLeavesAChartThatSaysWhatTheViewMeans) {
  for (const ViewEdits& view : AllViews()) {
    SCOPED_TRACE(std::string(view.view) + " on " + view.file);
    std::string text = XDocument::fetchTemplateFile(view.file);
    ASSERT_FALSE(text.empty());
    EXPECT_NO_THROW(XDocument untouched(text));
    view.editText(text);
    try {
      XDocument document(text);
      document.setEditor(XDocument::kEditorStandard);
      document.setLanguage();
      view.editDocument(document);
      document.applyCTemplate(false);
      const std::string written = SerializeSpecification(document.getVisualization().node());
      XDocument again(written); // what the output carries reads back
      view.check(again.getVisualization().node());
    } catch (const std::exception& error) {
      ADD_FAILURE() << error.what() << "\n" << text;
    }
  }
}

TEST_F(TemplateEditTest, EveryTemplateIsUsedAndCarriesItsName) {
  std::vector<std::string> files;
  for (const ViewEdits& view : AllViews())
    if (files.empty() || files.back() != view.file)
      files.push_back(view.file);
  EXPECT_EQ(files.size(), 10u);
  for (const std::string& file : files) {
    const std::string text = XDocument::fetchTemplateFile(file);
    EXPECT_NE(text.find("<?nptests-template " + file + "?>"), std::string::npos) << file;
  }
}

} // namespace
