// Cochran's Q stacked bars.
#include "RSCochransQ.h"

#include "ChartOutput.h"
#include "NOPRHypothesisTests.h"

#include "chart/ChartString.h"
#include "chart/XUtility.h"
#include "dict/VORN_Variable.h"

#include <cstdlib>

namespace {

const NOPROutputStats::FieldDistributionData* fieldAt(const NOPROutputStats* stats, int index) {
  if (stats == nullptr || index < 0)
    return nullptr;
  return stats->GetFieldDistributionData(static_cast<std::size_t>(index));
}

} // namespace

RSCochransQ::RSCochransQ(const FacSTDictionary* strings, const NOPROutputStats* stats,
                         const NOPROutputStats::HTRCochransQ* test)
    : NOPRStackedChart(strings, stats), fTest(test) {
  setTitleKey("Related-Samples Cochran's Q Test");
}

std::string RSCochransQ::getCategoryValue(const std::string& categoryKey) {
  const NOPROutputStats::FieldDistributionData* field =
      fieldAt(getOutputStats(), std::atoi(categoryKey.c_str()));
  if (field == nullptr || field->fVariable == nullptr)
    return categoryKey;
  return field->fVariable->GetPreferredLabel();
}

std::string RSCochransQ::getTypeValue(const std::string& categoryKey, const std::string& typeKey,
                                      bool escape) {
  const auto shown = [escape](const std::string& text) {
    return escape ? ChartOutput::xmlEscape(text) : text;
  };
  const NOPROutputStats::FieldDistributionData* category =
      fieldAt(getOutputStats(), std::atoi(categoryKey.c_str()));
  if (category == nullptr || category->fIsCategorical != 1)
    return shown(typeKey);
  VORN_Format format(VORN_Format::kF, 40, 3);
  if (category->fVariable != nullptr)
    format = category->fVariable->GetFormat();
  const NOPROutputStats::FieldDistributionData* field =
      fieldAt(getOutputStats(), category->fFieldIndex);
  if (field == nullptr)
    return shown(typeKey);
  const int valueIndex = std::atoi(typeKey.c_str());
  if (valueIndex < 0 || static_cast<std::size_t>(valueIndex) >= field->fValueLabels.size())
    return shown(typeKey);
  const NOPROutputStats::NPValueLabel& label =
      field->fValueLabels[static_cast<std::size_t>(valueIndex)];
  const OBS* value = label.fValue.GetObsValue();
  if (value == nullptr)
    return shown(typeKey);
  std::string valueText;
  if (format.IsString()) {
    valueText = XUtility::ChartStringFromLocalCodePage(
                    ChartOutput::storedText(label.fValue, format.Width()).c_str())
                    .toUTF8();
  } else {
    ChartString number;
    number.assignDouble(value->f, 16);
    valueText = number.toUTF8();
  }
  if (label.fLabel.empty())
    return shown(valueText);
  // A label that only repeats the value adds nothing to the key.
  return shown(label.fLabel == valueText ? typeKey : label.fLabel);
}

const std::vector<NOPROutputStats::ParameterData>* RSCochransQ::getParameterData() {
  return fTest == nullptr ? nullptr : &fTest->fCondition.fParameters;
}

const NOPROutputStats::TSComparisonData* RSCochransQ::getTwoClassComparisonTable() {
  return fTest == nullptr ? nullptr : &fTest->fComparison;
}

void RSCochransQ::modifyStringSpecification(std::string& specification) {
  ChartOutput::replaceSubstring(specification, "LegendLabel", "");
}

void RSCochransQ::modifyDocSpecification(XDocument&) {}
