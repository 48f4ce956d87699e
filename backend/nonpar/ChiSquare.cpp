// The chi-square chart: its rows, the template's texts and the tooltip template.
#include "ChiSquare.h"

#include "ChartOutput.h"
#include "NOPROutputStatsRecords.h"

#include "chart/VarDataProcessor.h"
#include "chart/XDocument.h"
#include "dict/VORN_Variable.h"

#include <cstdlib>

namespace {

const char* const kSource = "graphSource";
const char* const kTitleKey = "One-Sample Chi-Square Test";

} // namespace

ChiSquare::ChiSquare(const FacSTDictionary* dictionary, const NOPROutputStats* stats,
                     const NOPROutputStats::HTOChiSquare* test)
    : fData(std::make_unique<Data>()) {
  fData->fDictionary = dictionary;
  fData->fStats = stats;
  fData->fTest = test;
  if (stats == nullptr || test == nullptr)
    return;
  const std::vector<double> fields = ChartOutput::getFieldParameterValueList(test->fCondition);
  const int index = fields.empty() ? -1 : NOPRUTILITY::truncateToInt(fields[0], -1);
  if (index >= 0 && static_cast<std::size_t>(index) < stats->GetAllFieldDistributionData().size()) {
    fData->fField = stats->GetFieldDistributionData(static_cast<std::size_t>(index));
    if (fData->fField != nullptr)
      fData->fVariable = fData->fField->fVariable;
  }
}

ChiSquare::~ChiSquare() = default;

unsigned long ChiSquare::getSource(VarDataProcessor& data) {
  if (fData->fStats == nullptr || fData->fTest == nullptr || fData->fVariable == nullptr)
    return 0;
  const NOPROutputStats::SimpleTableData& table = fData->fTest->fComparison.fTable;
  if (table.fName != "Content")
    return 0;
  data.AddDataSource(kSource, 0);
  for (const char* variable :
       {"Category", "Frequency", "Observed", "Hypothesized", "Type", "Residual"})
    data.AddVariable(kSource, variable, nullptr);

  unsigned long row = 0;
  const std::vector<std::string>& keys = table.fNames[0];
  for (std::size_t i = 0; i < keys.size() && i < table.fRows.size(); ++i) {
    const std::vector<double>& counts = table.fRows[i];
    if (counts.size() < 2)
      continue;
    const double observed = counts[0];
    const double expected = counts[1];
    std::string label;
    if (keys[i] != "-1") {
      const int code = NOPRUTILITY::truncateToInt(std::atof(keys[i].c_str()), -1);
      label = ChartOutput::getFieldValueLabel(fData->fField, code);
    }
    const bool missing =
        NOPRUTILITY::isSystemMissing(observed) || NOPRUTILITY::isSystemMissing(expected);
    const std::string residual = ChartOutput::double2String(
        missing ? NOPRUTILITY::getSysMissing() : observed - expected, 40, 2);
    for (unsigned long r = row; r < row + 2; ++r) {
      const bool first = r == row;
      data.SetStringVariableValue(kSource, "Category", r, label);
      data.SetVariableValue(kSource, "Frequency", r, first ? observed : expected);
      data.SetVariableValue(kSource, "Observed", r, observed);
      data.SetVariableValue(kSource, "Hypothesized", r, expected);
      data.SetStringVariableValue(kSource, "Type", r,
                                  first ? fData->fObservedType : fData->fHypothesizedType);
      data.SetStringVariableValue(kSource, "Residual", r, residual);
    }
    row += 2;
  }
  return row;
}

bool ChiSquare::createChart(std::string& subtitle, bool append) {
  try {
    return build(subtitle, append);
  } catch (...) {
    // A chart that cannot be made is left out, and said to be; the tables around it stand.
    return ChartOutput::leftOut(ChartOutput::lookUpChart(fData->fDictionary, kTitleKey),
                                std::current_exception());
  }
}

bool ChiSquare::build(const std::string& subtitle, bool append) {
  if (fData->fStats == nullptr || fData->fTest == nullptr)
    return false;
  VarDataProcessor data;
  if (getSource(data) == 0)
    return false;
  std::string specification = ChartOutput::fetchTemplate("NPARChiSquareTest.viztemplate");

  const FacSTDictionary* strings = fData->fDictionary;
  const ChartString title = ChartOutput::lookUpChart(strings, kTitleKey);
  const std::string fieldLabel = fData->fVariable->GetPreferredLabel();
  const std::string frequency = ChartOutput::xmlEscape(ChartOutput::lookUp(strings, "Frequency"));
  ChartOutput::replaceSubstring(specification, "titleText", ChartOutput::xmlEscape(title.toUTF8()));
  ChartOutput::replaceSubstring(specification, "xAxisText", ChartOutput::xmlEscape(fieldLabel));
  ChartOutput::replaceSubstring(specification, "yAxisText", frequency);
  // The axis names the measure; the legend's entries (observed, hypothesized) need no title, and
  // the same word over both would read as two measures.
  ChartOutput::replaceSubstring(specification, "legendTitle", "");

  const std::size_t popup = specification.find("<popup");
  if (popup != std::string::npos && popup + 7 <= specification.size()) {
    const std::string tooltip =
        fieldLabel + "=$[category]$\n" + ChartOutput::lookUp(strings, "Observed") +
        "=$[observed]$\n" + ChartOutput::lookUp(strings, "Hypothesized") + "=$[hypothesized]$\n" +
        ChartOutput::lookUp(strings, "E61605") + "=$[residual]$";
    specification.insert(popup + 7, "tokenTemplate=\"" + ChartOutput::xmlEscape(tooltip) + "\" ");
  }

  XDocument document(specification);
  document.setEditor(XDocument::kEditorStandard);
  document.setLanguage();
  ChartOutput::setDescription(document, title, subtitle, append);
  document.SetChartData(&data);
  XVariable type = document.getExternalGraph()->getVariable(ChartString("Type"), 0);
  type.addRelabel(ChartString(fData->fObservedType.c_str()),
                  ChartOutput::lookUpChart(strings, "Observed"));
  type.addRelabel(ChartString(fData->fHypothesizedType.c_str()),
                  ChartOutput::lookUpChart(strings, "Hypothesized"));
  ChartOutput::setTitles(document, title, subtitle, false);
  document.applyCTemplate(false);
  return document.SendChart(true, false, false);
}
