// The box-plot base: data source, template edits and chart variables shared by the box-plot views.
#include "Boxplot.h"

#include "ChartOutput.h"
#include "NOPROutputStatsRecords.h"

#include "chart/VarDataProcessor.h"
#include "chart/XDocument.h"
#include "chart/XGraph.h"
#include "chart/XVariable.h"
#include "dict/VORN_Variable.h"

#include <algorithm>

namespace {

const char* const kSource = "boxplotSource";

bool hasVariable(const NOPROutputStats::FieldDistributionData* field) {
  return field != nullptr && field->fVariable != nullptr;
}

// The field record at a field index read from a condition, or null.
const NOPROutputStats::FieldDistributionData* fieldAt(const NOPROutputStats& stats, double index) {
  const int at = NOPRUTILITY::truncateToInt(index, -1);
  return at < 0 ? nullptr : stats.GetFieldDistributionData(static_cast<std::size_t>(at));
}

} // namespace

struct Boxplot::Data {
  const FacSTDictionary* strings = nullptr;
  const NOPROutputStats* stats = nullptr;
  const NOPROutputStats::FieldDistributionData* groupField = nullptr;
  const NOPROutputStats::FieldDistributionData* testField = nullptr;
  const NOPROutputStats::IS_BoxPlotInfo* boxInfo = nullptr;
  const NOPROutputStats::ConditionData* condition = nullptr;
  ChartString title;
};

Boxplot::Boxplot(const FacSTDictionary* strings, const NOPROutputStats* stats)
    : fData(std::make_unique<Data>()) {
  fData->strings = strings;
  fData->stats = stats;
}

Boxplot::~Boxplot() = default;

void Boxplot::setTitle(const ChartString& title) {
  fData->title = title;
}
const ChartString& Boxplot::getTitle() const {
  return fData->title;
}
void Boxplot::setBoxplotInfo(const NOPROutputStats::IS_BoxPlotInfo* info) {
  fData->boxInfo = info;
}
void Boxplot::setConditionTable(const NOPROutputStats::ConditionData* condition) {
  fData->condition = condition;
}
const FacSTDictionary* Boxplot::getDictionary() const {
  return fData->strings;
}
const NOPROutputStats* Boxplot::getOutputStats() const {
  return fData->stats;
}
const NOPROutputStats::FieldDistributionData* Boxplot::getFDD() const {
  return fData->groupField;
}
const NOPROutputStats::FieldDistributionData* Boxplot::getYFDD() const {
  return fData->testField;
}
const NOPROutputStats::IS_BoxPlotInfo* Boxplot::getBoxplotInfo() const {
  return fData->boxInfo;
}
const NOPROutputStats::ConditionData* Boxplot::getConditionTable() const {
  return fData->condition;
}

std::vector<double> Boxplot::createRowValues(const NOPROutputStats::IS_BoxPlot_Group& group) {
  return {static_cast<double>(group.fGroupIndex)};
}

void Boxplot::modifyStringSpecification(std::string&) {}

void Boxplot::modifyDocSpecification(XDocument&) {}

Boxplot::BoxValues Boxplot::makeBoxValues(const NOPROutputStats::IS_BoxPlot_Group& group) {
  BoxValues box;
  if (group.fBox.fRows.empty() || group.fBox.fRows[0].size() < 5)
    return box;
  const std::vector<double>& b = group.fBox.fRows[0];
  std::vector<double> low;
  std::vector<double> high;
  const std::vector<std::vector<double>>& outliers = group.fOutliers.fRows;
  if (!outliers.empty()) {
    for (std::size_t i = 0; i < outliers[0].size(); ++i) {
      const double v = outliers[0][i];
      if (outliers.size() > 1 && i < outliers[1].size())
        box.caseLabels[v] = outliers[1][i];
      (v < b[2] ? low : high).push_back(v);
    }
  }
  // The whisker end once and the quartile as often as everything below it, so that the quartile
  // is the median of the half whatever the number of outliers.
  low.push_back(b[0]);
  low.push_back(b[1]);
  low.insert(low.end(), low.size() - 1, b[1]);
  high.push_back(b[4]);
  high.push_back(b[3]);
  high.insert(high.end(), high.size() - 1, b[3]);
  // Equal halves keep the median in the middle; the padding is taken from the middle of the
  // shorter half, which is its quartile.
  std::vector<double>& shorter = low.size() < high.size() ? low : high;
  const std::size_t difference = std::max(low.size(), high.size()) - shorter.size();
  for (std::size_t k = 0; k < difference; ++k)
    shorter.push_back(shorter[shorter.size() / 2]);

  box.values = low;
  box.values.push_back(b[2]);
  box.values.insert(box.values.end(), high.begin(), high.end());
  return box;
}

unsigned long Boxplot::getSource(VarDataProcessor& data) {
  Data& d = *fData;
  if (d.boxInfo == nullptr || d.condition == nullptr || d.stats == nullptr)
    return 0;
  const std::vector<double> fields = ChartOutput::getFieldParameterValueList(*d.condition);
  if (fields.size() >= 2 && d.stats->GetAllFieldDistributionData().size() >= 2) {
    d.testField = fieldAt(*d.stats, fields[0]);
    d.groupField = fieldAt(*d.stats, fields[1]);
  }

  data.AddDataSource(kSource, 0);
  for (const char* variable : {"Value", "Label", "Category", "Tooltips"})
    data.AddVariable(kSource, variable, nullptr);

  unsigned long row = 0;
  for (const NOPROutputStats::IS_BoxPlot_Group& group : d.boxInfo->fGroups) {
    const std::vector<double> rowValues = createRowValues(group);
    const BoxValues box = makeBoxValues(group);
    for (double value : box.values) {
      data.SetVariableValue(kSource, "Value", row, value);
      const auto label = box.caseLabels.find(value);
      if (label != box.caseLabels.end())
        data.SetVariableValue(kSource, "Label", row, label->second);
      if (!rowValues.empty())
        data.SetVariableValue(kSource, "Category", row, rowValues[0]);
      if (rowValues.size() > 1)
        data.SetStringVariableValue(kSource, "Tooltips", row,
                                    ChartOutput::double2String(rowValues[1], 40, 2));
      ++row;
    }
  }
  return row;
}

bool Boxplot::createChart(std::string& subtitle, bool append) {
  Data& d = *fData;
  if (d.stats == nullptr)
    return false;
  try {
    VarDataProcessor data;
    if (getSource(data) == 0)
      return false;
    std::string text = ChartOutput::fetchTemplate("NPARBoxplot.viztemplate");
    if (hasVariable(d.testField))
      ChartOutput::replaceSubstring(
          text, "yAxisText", ChartOutput::xmlEscape(d.testField->fVariable->GetPreferredLabel()));
    if (hasVariable(d.groupField))
      ChartOutput::replaceSubstring(
          text, "xAxisText", ChartOutput::xmlEscape(d.groupField->fVariable->GetPreferredLabel()));
    modifyStringSpecification(text);

    XDocument document(text);
    document.setEditor(XDocument::kEditorStandard);
    document.setLanguage();
    modifyDocSpecification(document);

    XGraph* graph = document.getExternalGraph();
    graph->setTitle(d.title.xc_str());
    if (!subtitle.empty())
      graph->setSubtitle(ChartString(subtitle.c_str()).xc_str());
    if (hasVariable(d.testField)) {
      XVariable value = graph->getVariable(ChartString("Value"), 0);
      value.setVORNVariable(*d.testField->fVariable);
      value.setFormatBasedOnVORNVariable(*d.testField->fVariable);
    }
    if (hasVariable(d.groupField)) {
      XVariable category = graph->getVariable(ChartString("Category"), 0);
      ChartOutput::addValueLabels(d.groupField, category);
      category.setVORNVariable(*d.groupField->fVariable);
      category.setLabel(ChartOutput::lookUpChart(d.strings, "E62935"));
    }

    ChartOutput::setDescription(document, d.title, subtitle, append);
    document.SetChartData(&data);
    document.applyCTemplate(false);
    document.SendChart(true, false, false);
    return true;
  } catch (...) {
    // A chart that cannot be made is left out, and said to be; the tables around it stand.
    return ChartOutput::leftOut(d.title, std::current_exception());
  }
}
