// The McNemar crosstab chart.
#include "RSMcNemarChangeTestView.h"

#include "ChartOutput.h"
#include "ChartViewText.h"
#include "NOPROutputStatsRecords.h"

#include "chart/VarDataProcessor.h"
#include "chart/XDocument.h"
#include "chart/XGraph.h"
#include "chart/XUtility.h"
#include "chart/XVariable.h"
#include "dict/VORN_Variable.h"

namespace {

const char* const kSource = "graphSource";

const NOPROutputStats::FieldDistributionData* fieldOf(const NOPROutputStats& stats,
                                                      const NOPROutputStats::CategoryFieldData& f) {
  return f.fFieldIndex < 0
             ? nullptr
             : stats.GetFieldDistributionData(static_cast<std::size_t>(f.fFieldIndex));
}

bool hasVariable(const NOPROutputStats::FieldDistributionData* field) {
  return field != nullptr && field->fVariable != nullptr;
}

} // namespace

struct RSMcNemarChangeTestView::Data {
  const NOPROutputStats* stats = nullptr;
  const NOPROutputStats::CategoryFieldsComparisonData* crosstab = nullptr;
  const FacSTDictionary* strings = nullptr;
  unsigned long rows = 0;

  // The observed count of cell (i, j) and, off the diagonal, the count the hypothesis expects.
  std::vector<double> makeRowCellValues(std::size_t i, std::size_t j) const {
    const auto& table = crosstab->fTable.fRows;
    const double observed = table[i][j];
    if (i == j || j >= table.size() || i >= table[j].size())
      return {observed};
    return {observed, (observed + table[j][i]) / 2.0};
  }

  void makeSourceRow(VarDataProcessor& data, std::size_t i, std::size_t j, bool hypothesized,
                     const std::vector<double>& values) {
    data.SetVariableValue(kSource, "Row", rows, static_cast<double>(i));
    data.SetVariableValue(kSource, "Column", rows, static_cast<double>(j));
    data.SetVariableValue(kSource, "Category", rows, hypothesized ? 1.0 : 0.0);
    if (i != j) {
      data.SetVariableValue(kSource, "CellValue", rows,
                            hypothesized && values.size() > 1 ? values[1] : values[0]);
      data.SetStringVariableValue(kSource, "CellText", rows, std::string());
    } else {
      data.SetStringVariableValue(kSource, "CellValue", rows, std::string());
      data.SetVariableValue(kSource, "CellText", rows, values[0]);
    }
    data.SetVariableValue(kSource, "ObservedTooltip", rows, values[0]);
    data.SetVariableValue(kSource, "HypothesizedTooltip", rows,
                          values.size() > 1 ? values[1] : 0.0);
    ++rows;
  }

  void fillRowList(VarDataProcessor& data, std::size_t i, std::size_t j) {
    const std::vector<double> values = makeRowCellValues(i, j);
    makeSourceRow(data, i, j, false, values);
    if (i != j && values.size() > 1)
      makeSourceRow(data, i, j, true, values);
  }

  // Category 0 of an axis is the field's success categories, category 1 its failure categories.
  void retriveFieldValueMap(XVariable& variable,
                            const NOPROutputStats::CategoryFieldData& f) const {
    const NOPROutputStats::FieldDistributionData* field = fieldOf(*stats, f);
    variable.addRelabel(
        0, ChartString(
               constructFieldValue(f.fCategoryLists[0], field, f.fValsNotInCategories).c_str()));
    variable.addRelabel(
        1, ChartString(
               constructFieldValue(f.fCategoryLists[1], field, f.fValsNotInCategories).c_str()));
  }
};

RSMcNemarChangeTestView::RSMcNemarChangeTestView(
    const NOPROutputStats& stats, const NOPROutputStats::CategoryFieldsComparisonData& crosstab,
    const FacSTDictionary& strings)
    : fData(std::make_unique<Data>()) {
  fData->stats = &stats;
  fData->crosstab = &crosstab;
  fData->strings = &strings;
}

RSMcNemarChangeTestView::~RSMcNemarChangeTestView() = default;

std::string
RSMcNemarChangeTestView::constructFieldValue(const std::vector<double>& codes,
                                             const NOPROutputStats::FieldDistributionData* field,
                                             const std::vector<std::string>& outside) {
  if (field == nullptr)
    return std::string();
  std::string text;
  std::size_t nextOutside = 0;
  for (std::size_t k = 0; k < codes.size(); ++k) {
    if (k > 0)
      text += ", ";
    const int code = NOPRUTILITY::truncateToInt(codes[k], -1);
    if (code >= 0 && static_cast<std::size_t>(code) < field->fValueLabels.size()) {
      text += field->fValueLabels[static_cast<std::size_t>(code)].fLabel;
      continue;
    }
    const std::string* value = nextOutside < outside.size() ? &outside[nextOutside++] : nullptr;
    if (value != nullptr && !value->empty())
      text += *value;
    else
      text +=
          ChartOutput::double2String(static_cast<double>(k), static_cast<VORN_Format*>(nullptr));
  }
  return text;
}

unsigned long RSMcNemarChangeTestView::getSource(VarDataProcessor& data) {
  Data& d = *fData;
  data.AddDataSource(kSource, 0);
  for (const char* variable : {"Row", "Column", "Category", "CellValue", "CellText",
                               "ObservedTooltip", "HypothesizedTooltip"})
    data.AddVariable(kSource, variable, nullptr);
  const auto& table = d.crosstab->fTable.fRows;
  const std::size_t shown = ChartOutput::kMaxCrosstabCategories;
  for (std::size_t i = 0; i < table.size() && i < shown; ++i) {
    for (std::size_t j = 0; j < table[i].size() && j < shown; ++j)
      d.fillRowList(data, i, j);
  }
  return d.rows;
}

bool RSMcNemarChangeTestView::createChart(std::string& subtitle, bool append) {
  Data& d = *fData;
  const ChartString title =
      ChartOutput::lookUpChart(d.strings, "Related-Samples McNemar Change Test");
  try {
    VarDataProcessor data;
    if (getSource(data) == 0)
      return false;
    std::string text = ChartOutput::fetchTemplate("FacetBarChart.viztemplate");
    ChartOutput::replaceSubstring(text, "TitleText", ChartOutput::xmlEscape(title.toUTF8()));
    const NOPROutputStats::FieldDistributionData* rowField =
        fieldOf(*d.stats, d.crosstab->fFields[0]);
    const NOPROutputStats::FieldDistributionData* columnField =
        fieldOf(*d.stats, d.crosstab->fFields[1]);
    if (hasVariable(columnField))
      ChartOutput::replaceSubstring(
          text, "Facet1Text", ChartOutput::xmlEscape(columnField->fVariable->GetPreferredLabel()));
    if (hasVariable(rowField))
      ChartOutput::replaceSubstring(
          text, "Facet2Text", ChartOutput::xmlEscape(rowField->fVariable->GetPreferredLabel()));
    ChartOutput::replaceSubstring(
        text, "tooltipText",
        ChartOutput::xmlEscape(ChartOutput::lookUp(d.strings, "Observed")) + "=$[0]$ &#10;" +
            ChartOutput::xmlEscape(ChartOutput::lookUp(d.strings, "Hypothesized")) + "=$[1]$");
    // Observed and hypothesized bars are told apart by fill pattern unless colours suffice.
    if (!XDocument::useColorsOnly()) {
      const std::size_t color = text.find("<color");
      if (color != std::string::npos)
        text.replace(color + 1, 5, "pattern");
    }

    XDocument document(text);
    document.setEditor(XDocument::kEditorStatistics);
    document.setLanguage();
    document.SetChartData(&data);
    XGraph* graph = document.getExternalGraph();
    ChartString prefix =
        ChartViewText::breakLines(ChartOutput::lookUpChart(d.strings, "ObservedFrequency"));
    prefix.append(u" ");
    graph->getVariable(ChartString("celltext"), 0).SetFormatPrefix(prefix.xc_str());
    graph->setTitle(title.xc_str());
    if (!subtitle.empty())
      graph->setSubtitle(ChartString(subtitle.c_str()).xc_str());
    const ChartString footnote = ChartOutput::crosstabFootnote(
        d.strings, ChartOutput::crosstabCategories(d.crosstab->fTable.fRows));
    if (!footnote.empty())
      graph->setThirdText(footnote.xc_str());

    if (hasVariable(rowField) && hasVariable(columnField)) {
      const NOPROutputStats::CategoryFieldData& rowFieldData = d.crosstab->fFields[0];
      const NOPROutputStats::CategoryFieldData& columnFieldData = d.crosstab->fFields[1];
      XVariable row = graph->getVariable(ChartString("Row"), 0);
      row.setVORNVariable(*rowField->fVariable);
      row.setFormatBasedOnVORNVariable(*rowField->fVariable);
      if (!rowFieldData.fCategoryLists[0].empty() && !rowFieldData.fCategoryLists[1].empty())
        d.retriveFieldValueMap(row, rowFieldData);
      XVariable column = graph->getVariable(ChartString("Column"), 0);
      if (!columnFieldData.fCategoryLists[0].empty() && !columnFieldData.fCategoryLists[1].empty())
        d.retriveFieldValueMap(column, columnFieldData);
    }
    XVariable category = graph->getVariable(ChartString("category"), 0);
    category.setLabel(ChartOutput::lookUpChart(d.strings, "E62935"));
    category.addRelabel(0, ChartOutput::lookUpChart(d.strings, "Observed"));
    category.addRelabel(1, ChartOutput::lookUpChart(d.strings, "Hypothesized"));

    ChartOutput::setDescription(document, title, subtitle, append);
    document.applyCTemplate(false);
    document.SendChart(true, false, false);
    return true;
  } catch (...) {
    // A chart that cannot be made is left out, and said to be; the tables around it stand.
    return ChartOutput::leftOut(title, std::current_exception());
  }
}
