// The Moses test's box plots.
#include "IMoses.h"

#include "ChartOutput.h"
#include "ChartViewText.h"
#include "NOPRHypothesisTests.h"

#include "chart/XDocument.h"

IMoses::IMoses(const FacSTDictionary* strings, const NOPROutputStats* stats,
               const NOPROutputStats::HTIMoses* test)
    : Boxplot(strings, stats), fIData(std::make_unique<IData>()) {
  fIData->test = test;
  setTitle(ChartOutput::lookUpChart(strings, "Independent-Samples Moses Test of Extreme Reaction"));
  if (test != nullptr) {
    setBoxplotInfo(&test->fBoxPlotInfo);
    setConditionTable(&test->fCondition);
  }
}

IMoses::~IMoses() = default;

std::vector<double> IMoses::createRowValues(const NOPROutputStats::IS_BoxPlot_Group& group) {
  fIData->groupIndexes.push_back(group.fGroupIndex);
  fIData->groupCounts.push_back(group.fN);
  return {static_cast<double>(group.fGroupIndex)};
}

void IMoses::modifyStringSpecification(std::string&) {}

void IMoses::modifyDocSpecification(XDocument& document) {
  ViZVisualization visualization = document.getVisualization();
  ViZSourceVariable label;
  ViZSourceVariable category;
  for (const ViZSourceVariable& variable : visualization.getSourceVariables()) {
    const ChartString id = variable.getId();
    if (!label.isValid() && id.equals(u"Label"))
      label = variable;
    else if (!category.isValid() && id.equals(u"Category"))
      category = variable;
  }
  if (visualization.getGraphCount() == 0)
    return;
  ViZGraph graph = visualization.getGraph(0);
  if (graph.getSchemaElementCount() == 0)
    return;
  ViZSchemaElement element = graph.getSchemaElement(0);
  if (label.isValid())
    element.addLabeling().setVariable(label);
  if (!category.isValid())
    return;

  ViZDerivedVariable derived = visualization.addDerivedVariable();
  derived.setId(ChartString("Category_Derived"));
  derived.setValue(ChartString("Category"));
  ViZColorAesthetic color = element.addColorAesthetic();
  color.setId(ChartString("color1"));
  color.setVariable(derived);
  ViZLegend legend = visualization.addLegend();
  legend.setId(ChartString("legend1"));
  ViZLegendTarget target = legend.addLegendTarget();
  target.setId(ChartString("legend1_target"));
  target.setTarget(color);
  visualization.addExtension().setLegend(0, legend);

  const IData& d = *fIData;
  if (d.groupIndexes.size() < 2)
    return;
  ChartString control = ChartViewText::breakLines(
      ChartOutput::lookUpChart(getDictionary(), "NPAR_BOXPLOT_CONTROLGROUP"));
  control.appendInteger(d.groupCounts[0]);
  ChartString experimental = ChartViewText::breakLines(
      ChartOutput::lookUpChart(getDictionary(), "NPAR_BOXPLOT_EXPERIMENTALGROUP"));
  experimental.appendInteger(d.groupCounts[1]);
  ViZFormat format = derived.addFormat();
  ChartString first;
  first.assignInteger(d.groupIndexes[0]);
  format.addRelabel(first, control);
  ChartString second;
  second.assignDouble(d.groupIndexes[1], 16);
  format.addRelabel(second, experimental);
}
