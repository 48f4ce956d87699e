// The two-group histograms of the independent-samples tests.
#include "ISHistogram.h"

#include "ChartOutput.h"
#include "NOPRHypothesisTests.h"

#include "chart/VarDataProcessor.h"
#include "chart/XDocument.h"
#include "chart/XGraph.h"
#include "chart/XVariable.h"
#include "dict/VORN_Variable.h"

#include <vector>

namespace {

const char* const kSource = "graphSource";

// The first number of the last parameter numbered `index` that has numbers, or -1.
int fieldParameter(const NOPROutputStats::ConditionData& condition, int index) {
  int field = -1;
  for (const NOPROutputStats::ParameterData& parameter : condition.fParameters) {
    if (parameter.fIndex == index && !parameter.fValues.empty())
      field = NOPRUTILITY::truncateToInt(parameter.fValues[0], -1);
  }
  return field;
}

const NOPROutputStats::FieldDistributionData* fieldAt(const NOPROutputStats& stats, int index) {
  return index < 0 ? nullptr : stats.GetFieldDistributionData(static_cast<std::size_t>(index));
}

} // namespace

struct ISHistogram::Data {
  const FacSTDictionary* strings = nullptr;
  const NOPROutputStats* stats = nullptr;
  const NOPROutputStats::HTIMannWhitneyU* mannWhitney = nullptr;
  const NOPROutputStats::HTIKolmogorovSmirnov* kolmogorov = nullptr;
  const NOPROutputStats::HTIWaldWolfowitzRuns* waldWolfowitz = nullptr;
  const NOPROutputStats::BaseHypothesisTest* test = nullptr;
  const NOPROutputStats::IS_Group* first = nullptr;
  const NOPROutputStats::IS_Group* second = nullptr;
  const NOPROutputStats::ConditionData* condition = nullptr;
  // The field whose value labels name the groups.
  const NOPROutputStats::FieldDistributionData* groupField = nullptr;
};

ISHistogram::ISHistogram(const FacSTDictionary* strings, const NOPROutputStats* stats,
                         const NOPROutputStats::HTIMannWhitneyU* test)
    : fData(std::make_unique<Data>()) {
  fData->strings = strings;
  fData->stats = stats;
  fData->mannWhitney = test;
  init(test, test == nullptr ? nullptr : &test->fGroups);
}

ISHistogram::ISHistogram(const FacSTDictionary* strings, const NOPROutputStats* stats,
                         const NOPROutputStats::HTIKolmogorovSmirnov* test)
    : fData(std::make_unique<Data>()) {
  fData->strings = strings;
  fData->stats = stats;
  fData->kolmogorov = test;
  init(test, test == nullptr ? nullptr : &test->fGroups);
}

ISHistogram::ISHistogram(const FacSTDictionary* strings, const NOPROutputStats* stats,
                         const NOPROutputStats::HTIWaldWolfowitzRuns* test)
    : fData(std::make_unique<Data>()) {
  fData->strings = strings;
  fData->stats = stats;
  fData->waldWolfowitz = test;
  init(test, test == nullptr ? nullptr : &test->fGroups);
}

ISHistogram::~ISHistogram() = default;

void ISHistogram::init(const NOPROutputStats::BaseHypothesisTest* test,
                       const std::vector<NOPROutputStats::IS_Group>* groups) {
  Data& d = *fData;
  d.test = test;
  if (test == nullptr)
    return;
  d.condition = &test->fCondition;
  if (groups != nullptr && groups->size() >= 2) {
    d.first = &(*groups)[0];
    d.second = &(*groups)[1];
  }
  if (d.stats == nullptr)
    return;
  // The groups are values of the grouping field the condition names; a condition without one
  // leaves the engine's usual place, the second field.
  d.groupField = fieldAt(*d.stats, fieldParameter(test->fCondition, 1));
  if (d.groupField == nullptr && d.stats->GetAllFieldDistributionData().size() >= 2)
    d.groupField = d.stats->GetFieldDistributionData(1);
}

unsigned long ISHistogram::getSource(VarDataProcessor& data) {
  const Data& d = *fData;
  if (d.stats == nullptr || d.test == nullptr || d.first == nullptr || d.second == nullptr ||
      d.condition == nullptr)
    return 0;
  data.AddDataSource(kSource, 0);
  for (const char* variable : {"COUNTS", "MEANS", "LABELNAME", "TYPES"})
    data.AddVariable(kSource, variable, nullptr);

  const NOPROutputStats::FieldDistributionData* testField =
      fieldAt(*d.stats, fieldParameter(*d.condition, 0));
  const VORN_Variable* testVariable = testField == nullptr ? nullptr : testField->fVariable;
  // Engine dates are written as texts in the field's format, which moves them to the
  // dictionary's time base; other values stay numbers shown in the field's format.
  const bool dates =
      testVariable != nullptr && ChartOutput::isDateFormat(testVariable->GetFormat().TypeEx());

  unsigned long row = 0;
  for (const NOPROutputStats::IS_Group* group : {d.first, d.second}) {
    const std::vector<std::vector<double>>& rows = group->fTable.fRows;
    if (rows.size() < 2)
      continue;
    const std::string label = ChartOutput::getFieldValueLabel(d.groupField, group->fGroupIndex);
    for (std::size_t bin = 0; bin < rows[0].size() && bin < rows[1].size(); ++bin) {
      data.SetVariableValue(kSource, "COUNTS", row, rows[0][bin]);
      if (dates)
        data.SetStringVariableValue(kSource, "MEANS", row,
                                    ChartOutput::double2String(rows[1][bin], *testVariable));
      else
        data.SetVariableValue(kSource, "MEANS", row, rows[1][bin]);
      data.SetStringVariableValue(kSource, "LABELNAME", row, label);
      data.SetStringVariableValue(kSource, "TYPES", row, label);
      ++row;
    }
  }
  return row;
}

namespace {

// Replaces `length` characters at `at` by `text` when they are inside the specification.
void replaceAt(std::string& text, std::size_t at, std::size_t length, const std::string& by) {
  if (at != std::string::npos && at + length <= text.size())
    text.replace(at, length, by);
}

// Turns the two panels back to back around a shared value axis, smallest values at the bottom.
void setBackToBack(std::string& text) {
  const std::size_t alternating = text.find("alternating=");
  if (alternating != std::string::npos) {
    replaceAt(text, alternating + 13, 5, "true");
    replaceAt(text, text.find('x', alternating + 13), 1, "y");
  }
  const std::size_t invert = text.find("invert=\"");
  if (invert != std::string::npos)
    replaceAt(text, invert + 8, 4, "false");
  replaceAt(text, text.find("3%"), 1, "18");
}

} // namespace

bool ISHistogram::createChart(std::string& subtitle, bool append) {
  const Data& d = *fData;
  if (d.stats == nullptr || d.test == nullptr)
    return false;
  const ChartString title = ChartOutput::lookUpChart(
      d.strings, d.mannWhitney != nullptr  ? "Independent-Samples Mann-Whitney U Test"
                 : d.kolmogorov != nullptr ? "Independent-Samples Kolmogorov-Smirnov Test"
                                           : "Independent-Samples Wald-Wolfowitz Runs Test");
  try {
    VarDataProcessor data;
    if (getSource(data) == 0)
      return false;
    std::string text = ChartOutput::fetchTemplate(d.kolmogorov != nullptr
                                                      ? "NPARKolmogorovSmirnov.viztemplate"
                                                      : "NPARRelatedSamplesHistogram.viztemplate");
    ChartOutput::replaceSubstring(
        text, "xTitle", ChartOutput::xmlEscape(ChartOutput::lookUp(d.strings, "Frequency")));
    const VORN_Variable* testVariable =
        d.stats->GetDictionaryVariable(fieldParameter(*d.condition, 0));
    const int groupIndex = fieldParameter(*d.condition, 1);
    const VORN_Variable* groupVariable = d.stats->GetDictionaryVariable(groupIndex);
    if (groupVariable != nullptr)
      ChartOutput::replaceSubstring(text, "subTitle",
                                    ChartOutput::xmlEscape(groupVariable->GetPreferredLabel()));
    if (testVariable != nullptr) {
      const std::string label = ChartOutput::xmlEscape(testVariable->GetPreferredLabel());
      ChartOutput::replaceSubstring(text, "yTitle0", label);
      ChartOutput::replaceSubstring(text, "yTitle1", label);
    }
    if (d.kolmogorov == nullptr)
      setBackToBack(text);

    XDocument document(text);
    document.setEditor(XDocument::kEditorStatistics);
    document.setLanguage();
    XGraph* graph = document.getExternalGraph();
    graph->setTitle(title.xc_str());
    if (!subtitle.empty())
      graph->setSubtitle(ChartString(subtitle.c_str()).xc_str());

    XVariable labelName = graph->getVariable(ChartString("labelname"), 0);
    for (const NOPROutputStats::IS_Group* group : {d.first, d.second}) {
      ChartString summary = ChartOutput::lookUpChart(d.strings, "N");
      summary.append(" = ");
      summary.append(ChartOutput::double2String(group->fN, 40, 0).c_str());
      if (d.mannWhitney != nullptr) {
        summary.append(u'\n');
        summary.append(ChartOutput::lookUpChart(d.strings, "Mean Rank"));
        summary.append(" = ");
        summary.append(ChartOutput::double2String(group->fMeanOfRank, 40, 2).c_str());
      }
      labelName.addRelabel(
          ChartString(ChartOutput::getFieldValueLabel(d.groupField, group->fGroupIndex).c_str()),
          summary);
    }
    if (d.kolmogorov == nullptr) {
      if (groupVariable != nullptr) {
        XVariable types = graph->getVariable(ChartString("types"), 0);
        ChartOutput::addValueLabels(d.stats->GetFieldDistributionData(groupIndex), types);
      }
      if (testVariable != nullptr)
        graph->getVariable(ChartString("means"), 0).setFormatBasedOnVORNVariable(*testVariable);
    }

    ChartOutput::setDescription(document, title, subtitle, append);
    document.SetChartData(&data);
    document.applyCTemplate(false);
    document.SendChart(true, false, false);
    return true;
  } catch (...) {
    // A chart that cannot be made is left out, and said to be; the tables around it stand.
    return ChartOutput::leftOut(title, std::current_exception());
  }
}
