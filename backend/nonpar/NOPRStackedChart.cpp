// The stacked bar chart's life: percentages into rows and tooltips, the template's texts, the
// document and its titles.
#include "NOPRStackedChart.h"

#include "ChartOutput.h"
#include "NOPROutputStatsRecords.h"

#include "chart/VarDataProcessor.h"
#include "chart/XDocument.h"

#include <algorithm>

namespace {

const char* const kSource = "graphSource";

} // namespace

NOPRStackedChart::NOPRStackedChart(const FacSTDictionary* dictionary, const NOPROutputStats* stats)
    : fData(std::make_unique<Data>()) {
  fData->fDictionary = dictionary;
  fData->fStats = stats;
}

NOPRStackedChart::~NOPRStackedChart() = default;

std::string NOPRStackedChart::getCategoryValue(const std::string& categoryKey) {
  return categoryKey;
}

std::string NOPRStackedChart::getTypeValue(const std::string&, const std::string& typeKey,
                                           bool escape) {
  return escape ? ChartOutput::xmlEscape(typeKey) : typeKey;
}

const std::vector<NOPROutputStats::ParameterData>* NOPRStackedChart::getParameterData() {
  return nullptr;
}

void NOPRStackedChart::modifyStringSpecification(std::string&) {}

void NOPRStackedChart::modifyDocSpecification(XDocument&) {}

bool NOPRStackedChart::createChart(std::string& subtitle, bool append) {
  // A chart that cannot be built is left out; it must never take the tables with it.
  try {
    return build(subtitle, append);
  } catch (...) {
    // A chart that cannot be made is left out, and said to be; the tables around it stand.
    return ChartOutput::leftOut(ChartOutput::lookUpChart(fData->fDictionary, fData->fTitleKey),
                                std::current_exception());
  }
}

bool NOPRStackedChart::build(const std::string& subtitle, bool append) {
  if (fData->fStats == nullptr)
    return false;
  const NOPROutputStats::TSComparisonData* comparison = getTwoClassComparisonTable();
  if (comparison == nullptr)
    return false;
  const NOPROutputStats::SimpleTableData& table = comparison->fTable;
  const std::vector<std::string>& categories = table.fNames[0];
  const std::vector<std::string>& types = table.fNames[1];

  VarDataProcessor data;
  data.AddDataSource(kSource, 0);
  for (const char* variable : {"categories", "type", "value", "tooltip"})
    data.AddVariable(kSource, variable, nullptr);

  unsigned long row = 0;
  for (std::size_t i = 0; i < categories.size() && i < table.fRows.size(); ++i) {
    const std::string& category = categories[i];
    const std::vector<double>& percentages = table.fRows[i];
    const std::size_t typeCount = std::min(types.size(), percentages.size());
    const std::string shown = getCategoryValue(category);
    // The tooltip names every type, even those too small to draw a segment.
    std::string tooltip;
    for (std::size_t j = 0; j < typeCount; ++j) {
      tooltip += getTypeValue(category, types[j], false) + " " +
                 ChartOutput::double2String(percentages[j], 40, 0) + "%\n";
    }
    for (std::size_t j = 0; j < typeCount; ++j) {
      if (!(percentages[j] > 0) || NOPRUTILITY::isSystemMissing(percentages[j]))
        continue;
      data.SetStringVariableValue(kSource, "categories", row, shown);
      data.SetStringVariableValue(kSource, "type", row, getTypeValue(category, types[j], false));
      data.SetVariableValue(kSource, "value", row, percentages[j]);
      data.SetStringVariableValue(kSource, "tooltip", row, tooltip);
      ++row;
    }
  }
  if (row == 0)
    return false;

  std::string specification = ChartOutput::fetchTemplate("NPARStackedBar.viztemplate");
  ChartOutput::replaceSubstring(
      specification, "yAxisLabel",
      ChartOutput::xmlEscape(ChartOutput::lookUp(fData->fDictionary, "E60703")));
  modifyStringSpecification(specification);

  XDocument document(specification);
  document.setEditor(XDocument::kEditorStandard);
  document.setLanguage();
  const ChartString title = ChartOutput::lookUpChart(fData->fDictionary, fData->fTitleKey);
  ChartOutput::setTitles(document, title, subtitle, true);
  ChartOutput::setDescription(document, title, subtitle, append);
  document.SetChartData(&data);
  modifyDocSpecification(document);
  return document.SendChart(true, false, false);
}
