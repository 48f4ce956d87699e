// The histogram's life: the field's bins into rows (values as the field shows them), the
// template, the document and its titles.
#include "NOPRHistogramChart.h"

#include "ChartOutput.h"
#include "NOPROutputStatsRecords.h"

#include "chart/VarDataProcessor.h"
#include "chart/XDocument.h"
#include "dict/CFStatVariableValue.h"
#include "dict/VORN_Format.h"
#include "dict/VORN_Variable.h"

namespace {

const char* const kSource = "graphSource";

} // namespace

NOPRHistogramChart::NOPRHistogramChart(const FacSTDictionary* dictionary,
                                       const NOPROutputStats* stats)
    : fData(std::make_unique<Data>()) {
  fData->fDictionary = dictionary;
  fData->fStats = stats;
}

NOPRHistogramChart::~NOPRHistogramChart() = default;

void NOPRHistogramChart::setFDD(std::size_t index) {
  if (fData->fStats != nullptr && index < fData->fStats->GetAllFieldDistributionData().size())
    fData->fField = fData->fStats->GetFieldDistributionData(index);
}

const VORN_Variable* NOPRHistogramChart::getVORNVariable() const {
  return fData->fField == nullptr ? nullptr : fData->fField->fVariable;
}

const NOPROutputStats::SimpleTableData* NOPRHistogramChart::getIntervalTable() {
  const NOPROutputStats::FieldDistributionData* field = fData->fField;
  if (field == nullptr)
    return nullptr;
  if (field->fIsCategorical == 0 || (field->fIsCategorical == 1 && field->fOrdinalTreatedAsCont))
    return &field->fTable;
  return nullptr;
}

unsigned long NOPRHistogramChart::getSource(VarDataProcessor& data) {
  const NOPROutputStats::SimpleTableData* table = getIntervalTable();
  if (table == nullptr || table->fRows.size() != 2 ||
      table->fRows[0].size() != table->fRows[1].size())
    return 0;
  data.AddDataSource(kSource, 0);
  data.AddVariable(kSource, "value", nullptr);
  data.AddVariable(kSource, "count", nullptr);

  const NOPROutputStats::FieldDistributionData* field = fData->fField;
  const VORN_Variable* variable = getVORNVariable();
  const VORN_Format format =
      variable != nullptr ? variable->GetFormat() : VORN_Format(VORN_Format::kF, 40, 3);
  const int type = format.TypeEx();
  const std::vector<double>& counts = table->fRows[0];
  const std::vector<double>& values = table->fRows[1];
  for (std::size_t i = 0; i < counts.size(); ++i) {
    const unsigned long row = static_cast<unsigned long>(i);
    data.SetVariableValue(kSource, "count", row, counts[i]);
    double value = values[i];
    const CFStatVariableValue* stored =
        field == nullptr ? nullptr
                         : fData->fStats->GetDictionaryVariableValue(
                               field->fFieldIndex, NOPRUTILITY::truncateToInt(value, -1));
    if (stored != nullptr && (type == VORN_Format::kA || stored->GetType() > 0)) {
      data.SetStringVariableValue(kSource, "value", row,
                                  ChartOutput::storedText(*stored, format.Width()));
      continue;
    }
    if (stored != nullptr)
      value = stored->GetObsValue()->f;
    data.SetVariableValue(kSource, "value", row, NumericFormatCFToStat(value, type));
  }
  return static_cast<unsigned long>(counts.size());
}

void NOPRHistogramChart::modifyStringSpecification(std::string&) {}

void NOPRHistogramChart::modifyDocSpecification(XDocument&) {}

bool NOPRHistogramChart::createChart(std::string& subtitle, bool append) {
  try {
    return build(subtitle, append);
  } catch (...) {
    // A chart that cannot be made is left out, and said to be; the tables around it stand.
    return ChartOutput::leftOut(fData->fTitle, std::current_exception());
  }
}

bool NOPRHistogramChart::build(const std::string& subtitle, bool append) {
  if (fData->fStats == nullptr || fData->fField == nullptr)
    return false;
  VarDataProcessor data;
  if (getSource(data) == 0)
    return false;
  std::string specification = ChartOutput::fetchTemplate("NPARHistogram.viztemplate");
  modifyStringSpecification(specification);

  XDocument document(specification);
  document.setEditor(XDocument::kEditorStandard);
  document.setLanguage();
  ChartOutput::setTitles(document, fData->fTitle, subtitle, true);
  modifyDocSpecification(document);
  ChartOutput::setDescription(document, fData->fTitle, subtitle, append);
  document.SetChartData(&data);
  document.applyCTemplate(false);
  return document.SendChart(true, false, false);
}
