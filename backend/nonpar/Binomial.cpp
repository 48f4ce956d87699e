// The binomial chart's texts: category and class names, the legend's title and the class order.
#include "Binomial.h"

#include "ChartOutput.h"
#include "NOPROutputStatsRecords.h"

#include "chart/XUtility.h"
#include "dict/CFDatum.h"
#include "dict/CFField.h"
#include "dict/CFMetaData.h"
#include "dict/VORN_Format.h"
#include "dict/VORN_Variable.h"

namespace {

const char* const kBinaryKey = "ABinaryTestVariableIsSpecified_O_Binomial_5";
const char* const kCutPointKey = "ACutPointIsSpecified_O_Binomial_4";

} // namespace

Binomial::Binomial(const FacSTDictionary* dictionary, const NOPROutputStats* stats,
                   const NOPROutputStats::HTOBinomial* test)
    : NOPRStackedChart(dictionary, stats), fTest(test) {
  setTitleKey("One-Sample Binomial Test");
}

const NOPROutputStats::TSComparisonData* Binomial::getTwoClassComparisonTable() {
  return fTest == nullptr ? nullptr : &fTest->fComparison;
}

const std::vector<NOPROutputStats::ParameterData>* Binomial::getParameterData() {
  return fTest == nullptr ? nullptr : &fTest->fCondition.fParameters;
}

double Binomial::parameter(std::size_t k, double absent) const {
  if (fTest == nullptr)
    return absent;
  const auto& parameters = fTest->fCondition.fParameters;
  if (k >= parameters.size() || parameters[k].fValues.empty())
    return absent;
  return parameters[k].fValues[0];
}

const NOPROutputStats::FieldDistributionData* Binomial::testField() const {
  const NOPROutputStats* stats = getOutputStats();
  const int index = NOPRUTILITY::truncateToInt(parameter(0, -1), -1);
  if (stats == nullptr || index < 0)
    return nullptr;
  return stats->GetFieldDistributionData(static_cast<std::size_t>(index));
}

std::string Binomial::getCategoryValue(const std::string& categoryKey) {
  return ChartOutput::lookUp(getDictionary(),
                             categoryKey == "Hypothesized" ? "Hypothesized" : "E60564");
}

std::string Binomial::getTypeValue(const std::string&, const std::string& typeKey, bool escape) {
  const std::string& key = fTest == nullptr ? std::string() : fTest->fCondition.fConditionKey;
  const NOPROutputStats::FieldDistributionData* field = testField();
  const VORN_Variable* variable = field == nullptr ? nullptr : field->fVariable;

  if (key == kCutPointKey) {
    VORN_Format format = variable == nullptr ? VORN_Format() : variable->GetFormat();
    const std::string cutPoint =
        ChartOutput::double2String(parameter(1, 0), variable == nullptr ? nullptr : &format);
    if (typeKey == "0")
      return (escape ? " &lt;= " : " <= ") + cutPoint;
    return (escape ? " &gt; " : " > ") + cutPoint;
  }
  if (key == kBinaryKey) {
    const NOPROutputStats* stats = getOutputStats();
    const CFMetaData* metadata = stats == nullptr ? nullptr : stats->GetLocalMetadata();
    const CFField* cfField =
        metadata == nullptr || field == nullptr ? nullptr : metadata->GetField(field->fFieldIndex);
    if (cfField != nullptr) {
      const std::vector<CFValue>& labels = cfField->GetValueLabels();
      const int which = NOPRUTILITY::truncateToInt(parameter(typeKey == "0" ? 1 : 2, 0), -1);
      if (which >= 0 && static_cast<std::size_t>(which) < labels.size()) {
        const std::string& label = labels[static_cast<std::size_t>(which)].GetDisplayLabel();
        return escape ? ChartOutput::xmlEscape(label) : label;
      }
    }
  }
  return escape ? ChartOutput::xmlEscape(typeKey) : typeKey;
}

void Binomial::modifyStringSpecification(std::string& specification) {
  const auto* parameters = getParameterData();
  const bool named = parameters != nullptr && parameters->size() >= 2 &&
                     !(*parameters)[0].fValues.empty() && !(*parameters)[1].fValues.empty();
  const NOPROutputStats::FieldDistributionData* field = named ? testField() : nullptr;
  std::string legend;
  if (field != nullptr && field->fVariable != nullptr)
    legend = XUtility::ChartStringFromLocalCodePage(field->fVariable->GetPreferredLabel().c_str())
                 .toUTF8();
  ChartOutput::replaceSubstring(specification, "LegendLabel", ChartOutput::xmlEscape(legend));
  ChartOutput::replaceSubstring(specification, "CategoryOrderText",
                                getTypeValue("", "0", true) + ";" + getTypeValue("", "1", true));
}

void Binomial::modifyDocSpecification(XDocument&) {}
