// The field charts: title by kind, axis labels, the statistics frame, and for a categorical field
// its categories and value labels.
#include "FieldInformation.h"

#include "ChartOutput.h"
#include "NOPROutputStatsRecords.h"

#include "chart/XDocument.h"
#include "chart/XUtility.h"
#include "dict/CFStatVariableValue.h"
#include "dict/VORN_Format.h"
#include "dict/VORN_Variable.h"

namespace {

std::string WithMoreDecimals(double value, VORN_Format format, int more) {
  format.Decimals(static_cast<unsigned char>(format.Decimals() + more));
  return ChartOutput::double2String(value, &format);
}

} // namespace

FieldInformation::FieldInformation(const FacSTDictionary* dictionary, const NOPROutputStats* stats,
                                   bool categorical)
    : NOPRHistogramChart(dictionary, stats), fCategorical(categorical) {}

const NOPROutputStats::SimpleTableData* FieldInformation::getIntervalTable() {
  const NOPROutputStats::FieldDistributionData* field = getFDD();
  if (field == nullptr || field->fTable.fName != "Interval" ||
      (field->fIsCategorical == 1) != fCategorical)
    return nullptr;
  ChartString title =
      ChartOutput::lookUpChart(getDictionary(), fCategorical ? "Categorical Field Information"
                                                             : "Continuous Field Information");
  if (const VORN_Variable* variable = getVORNVariable()) {
    title.append(" ");
    title.append(variable->GetPreferredLabel().c_str());
  }
  setTitle(title);
  return &field->fTable;
}

std::string FieldInformation::statisticsLabel() const {
  const NOPROutputStats::FieldDistributionData* field = getFDD();
  if (field == nullptr)
    return std::string();
  const FacSTDictionary* strings = getDictionary();
  std::string label;
  if (fCategorical) {
    label = ChartOutput::lookUp(strings, "TotalN") + " = ";
    label = XUtility::ChartStringFromOLANG(label.c_str()).toUTF8() + " " +
            std::to_string(field->fTotalN);
  } else {
    const VORN_Variable* variable = getVORNVariable();
    const VORN_Format format =
        variable != nullptr ? variable->GetFormat() : VORN_Format(VORN_Format::kF, 40, 3);
    const int type = format.TypeEx();
    VORN_Format shown = format;
    const std::string spread =
        ChartOutput::isDateFormat(type)
            ? ChartOutput::durationText(ChartOutput::spreadInDays(field->fStdDev, type), strings)
            : WithMoreDecimals(field->fStdDev, format, 2);
    label = ChartOutput::lookUp(strings, "histoN") + " " + std::to_string(field->fTotalN) +
            ChartOutput::lookUp(strings, "histoMin") + " " +
            ChartOutput::double2String(field->fMin, &shown) +
            ChartOutput::lookUp(strings, "histoMax") + " " +
            ChartOutput::double2String(field->fMax, &shown) +
            ChartOutput::lookUp(strings, "histoMean") + " " +
            WithMoreDecimals(field->fMean, format, 1) +
            ChartOutput::lookUp(strings, "histoStdDev") + " " + spread;
  }
  // The string table writes line breaks of chart texts as a backslash and "n"; one at the very
  // start would open the frame with an empty line.
  label = ChartOutput::xmlEscape(label);
  if (label.compare(0, 2, "\\n") == 0)
    label.erase(0, 2);
  std::string joined;
  for (std::size_t i = 0; i < label.size(); ++i) {
    if (label[i] == '\\' && i + 1 < label.size() && label[i + 1] == 'n') {
      joined += "&#10;";
      ++i;
    } else {
      joined += label[i];
    }
  }
  return joined;
}

void FieldInformation::modifyStringSpecification(std::string& specification) {
  if (getFDD() == nullptr)
    return;
  const VORN_Variable* variable = getVORNVariable();
  ChartOutput::replaceSubstring(
      specification, "xAxisLabel",
      ChartOutput::xmlEscape(variable == nullptr ? std::string() : variable->GetPreferredLabel()));
  if (fCategorical) {
    // Categories are bars of their own counts, not bins.
    ChartOutput::replaceSubstring(specification, "<binStatistic/>", "");
    ChartOutput::replaceSubstring(specification, "<summaryStatistic method=\"sum\"/>", "");
  }
  ChartOutput::replaceSubstring(specification, "yAxisLabel",
                                ChartOutput::xmlEscape(ChartOutput::lookUp(
                                    getDictionary(), fCategorical ? "E60352" : "Frequency")));
  if (specification.find("labelText") == std::string::npos)
    return;
  ChartOutput::replaceSubstring(specification, "labelText", statisticsLabel());
}

void FieldInformation::relabelCategories(XDocument& document) {
  const NOPROutputStats::FieldDistributionData* field = getFDD();
  const VORN_Variable* variable = getVORNVariable();
  XGraph* graph = document.getExternalGraph();
  XVariable value = graph->getVariable(ChartString("value"), 0);
  value.setCategorical(true);
  if (variable != nullptr && field->fOrdinalTreatedAsCont) {
    ChartString note = ChartOutput::lookUpChart(getDictionary(), "ORDINAL_AS_CON");
    note.replaceSubstring(u"^1", ChartString(variable->GetPreferredLabel().c_str()).xc_str());
    graph->setThirdText(note.xc_str());
  }
  const bool stringValues =
      variable != nullptr && variable->GetFormat().TypeEx() == VORN_Format::kA;
  for (const NOPROutputStats::NPValueLabel& entry : field->fValueLabels) {
    if (entry.fLabel.empty())
      continue;
    ChartString key;
    if (stringValues || entry.fValue.GetType() > 0) {
      const int width =
          variable != nullptr ? variable->GetFormat().Width() : entry.fValue.GetType();
      key = XUtility::ChartStringFromLocalCodePage(
          ChartOutput::storedText(entry.fValue, width).c_str());
    } else {
      const double number = entry.fValue.GetObsValue()->f;
      if (NOPRUTILITY::isSystemMissing(number))
        continue;
      key.assignDouble(number, 16);
    }
    const ChartString label(entry.fLabel.c_str());
    if (!label.equals(key))
      value.addRelabel(key, label);
  }
}

void FieldInformation::modifyDocSpecification(XDocument& document) {
  try {
    const VORN_Variable* variable = getVORNVariable();
    XVariable value = document.getExternalGraph()->getVariable(ChartString("value"), 0);
    if (variable != nullptr) {
      value.setVORNVariable(*variable);
      value.setFormatBasedOnVORNVariable(*variable);
    }
    if (fCategorical && getFDD() != nullptr)
      relabelCategories(document);
  } catch (...) {
    // The chart is still drawn, without the field's labels.
  }
}
