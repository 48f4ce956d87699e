// The marginal homogeneity crosstab chart.
#include "MarginalHomogeneity.h"

#include "ChartOutput.h"
#include "ChartViewText.h"
#include "NOPROutputStatsRecords.h"

#include "chart/VarDataProcessor.h"
#include "chart/XDocument.h"
#include "chart/XGraph.h"
#include "chart/XVariable.h"
#include "dict/VORN_Variable.h"

#include <algorithm>
#include <cmath>

namespace {

const char* const kSource = "graphSource";
// The frame of the crosstab template.
constexpr double kFrameWidth = 2.0;
constexpr double kFrameHeight = 1.6;
constexpr double kMaxFrameScale = 1.6;

const NOPROutputStats::FieldDistributionData* fieldOf(const NOPROutputStats& stats,
                                                      const NOPROutputStats::CategoryFieldData& f) {
  return f.fFieldIndex < 0
             ? nullptr
             : stats.GetFieldDistributionData(static_cast<std::size_t>(f.fFieldIndex));
}

bool hasVariable(const NOPROutputStats::FieldDistributionData* field) {
  return field != nullptr && field->fVariable != nullptr;
}

// The axis shows the field's values by their labels, or by the values themselves.
void labelAxis(XVariable variable, const NOPROutputStats::FieldDistributionData* field) {
  if (!hasVariable(field))
    return;
  variable.setVORNVariable(*field->fVariable);
  variable.setFormatBasedOnVORNVariable(*field->fVariable);
  for (const NOPROutputStats::NPValueLabel& label : field->fValueLabels) {
    ChartString key;
    key.assignInteger(label.fIndex);
    if (!label.fLabel.empty()) {
      variable.addRelabel(key, ChartString(label.fLabel.c_str()));
      continue;
    }
    const bool numeric = label.fValue.GetType() == 0;
    if (numeric && NOPRUTILITY::isSystemMissing(label.fValue.GetNumber()))
      continue;
    variable.addRelabel(key, *label.fValue.GetObsValue());
  }
}

} // namespace

struct MarginalHomogeneity::Data {
  const NOPROutputStats* stats = nullptr;
  const NOPROutputStats::CategoryFieldsComparisonData* crosstab = nullptr;
  const FacSTDictionary* strings = nullptr;
};

MarginalHomogeneity::MarginalHomogeneity(
    const NOPROutputStats& stats, const NOPROutputStats::CategoryFieldsComparisonData& crosstab,
    const FacSTDictionary& strings)
    : fData(std::make_unique<Data>()) {
  fData->stats = &stats;
  fData->crosstab = &crosstab;
  fData->strings = &strings;
}

MarginalHomogeneity::~MarginalHomogeneity() = default;

unsigned long MarginalHomogeneity::getSource(VarDataProcessor& data) {
  data.AddDataSource(kSource, 0);
  for (const char* variable :
       {"Row", "Column", "Category", "CellValue", "CellText", "ObservedTooltip"})
    data.AddVariable(kSource, variable, nullptr);
  unsigned long row = 0;
  const auto& table = fData->crosstab->fTable.fRows;
  const std::size_t shown = ChartOutput::kMaxCrosstabCategories;
  for (std::size_t i = 0; i < table.size() && i < shown; ++i) {
    for (std::size_t j = 0; j < table[i].size() && j < shown; ++j) {
      data.SetVariableValue(kSource, "Row", row, static_cast<double>(i));
      data.SetVariableValue(kSource, "Column", row, static_cast<double>(j));
      data.SetVariableValue(kSource, "Category", row, 0.0);
      data.SetVariableValue(kSource, i != j ? "CellValue" : "CellText", row, table[i][j]);
      data.SetVariableValue(kSource, "ObservedTooltip", row, table[i][j]);
      ++row;
    }
  }
  return row;
}

void MarginalHomogeneity::removeHypothesized(std::string& text) {
  ChartViewText::eraseSpan(text, "<legend", "</legend>");
  const std::size_t first = text.find("<tokenMapping");
  if (first == std::string::npos)
    return;
  const std::size_t second = text.find("<tokenMapping", first + 1);
  if (second == std::string::npos)
    return;
  const std::size_t end = text.find("/>", second);
  if (end != std::string::npos)
    text.erase(second, end + 2 - second);
}

bool MarginalHomogeneity::createChart(std::string& subtitle, bool append) {
  const Data& d = *fData;
  const ChartString title =
      ChartOutput::lookUpChart(d.strings, "Related-Samples Marginal Homogeneity Test");
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
        ChartOutput::xmlEscape(ChartOutput::lookUp(d.strings, "Observed")) + "=$[0]$");
    removeHypothesized(text);

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
    // One panel per cell: the template's frame holds four categories a side readably; more get
    // a frame that grows with them, up to 1.6 times the template's: a report page is about that
    // wide, and a wider drawing would be shown shrunk, its texts with it.
    const std::size_t categories = ChartOutput::crosstabCategories(d.crosstab->fTable.fRows);
    const ChartString footnote = ChartOutput::crosstabFootnote(d.strings, categories);
    if (!footnote.empty())
      graph->setThirdText(footnote.xc_str());
    if (categories > 4) {
      const double shown =
          static_cast<double>(std::min(categories, ChartOutput::kMaxCrosstabCategories));
      const double scale = std::min(shown / 4.0, kMaxFrameScale);
      // Tenths of a frame unit are fine enough, and keep the sizes readable in the specification.
      graph->setOuterFrameWidth(std::round(kFrameWidth * scale * 10.0) / 10.0);
      graph->setOuterFrameHeight(std::round(kFrameHeight * scale * 10.0) / 10.0);
    }
    labelAxis(graph->getVariable(ChartString("Row"), 0), rowField);
    labelAxis(graph->getVariable(ChartString("Column"), 0), columnField);

    ChartOutput::setDescription(document, title, subtitle, append);
    document.applyCTemplate(false);
    document.SendChart(true, false, false);
    return true;
  } catch (...) {
    // A chart that cannot be made is left out, and said to be; the tables around it stand.
    return ChartOutput::leftOut(title, std::current_exception());
  }
}
