// The Friedman and Kendall rank histograms.
#include "RSHistogram.h"

#include "ChartOutput.h"
#include "ChartViewText.h"
#include "NOPRHypothesisTests.h"

#include "chart/VarDataProcessor.h"
#include "chart/XDocument.h"
#include "chart/XGraph.h"
#include "chart/XVariable.h"
#include "dict/VORN_Variable.h"

#include <algorithm>
#include <set>
#include <vector>

namespace {

const char* const kSource = "graphSource";

} // namespace

struct RSHistogram::Data {
  const FacSTDictionary* strings = nullptr;
  const NOPROutputStats* stats = nullptr;
  const NOPROutputStats::HTRKendallsCoefficient* kendall = nullptr;
  const NOPROutputStats::HTRFriedmansTwoWayByRanks* friedman = nullptr;
  std::set<int> groupIndexes;
  std::vector<double> meanRanks;

  const NOPROutputStats::BaseHypothesisTest* test() const {
    if (kendall != nullptr)
      return kendall;
    return friedman;
  }
  const std::vector<NOPROutputStats::VariableInformationData>* variables() const {
    if (kendall != nullptr)
      return &kendall->fVariableInfos;
    return friedman == nullptr ? nullptr : &friedman->fVariableInfos;
  }
};

RSHistogram::RSHistogram(const FacSTDictionary* strings, const NOPROutputStats* stats,
                         const NOPROutputStats::HTRFriedmansTwoWayByRanks* test)
    : fData(std::make_unique<Data>()) {
  fData->strings = strings;
  fData->stats = stats;
  fData->friedman = test;
}

RSHistogram::RSHistogram(const FacSTDictionary* strings, const NOPROutputStats* stats,
                         const NOPROutputStats::HTRKendallsCoefficient* test)
    : fData(std::make_unique<Data>()) {
  fData->strings = strings;
  fData->stats = stats;
  fData->kendall = test;
}

RSHistogram::~RSHistogram() = default;

double RSHistogram::frameWidth(std::size_t variables) {
  if (variables > 3)
    return std::min(static_cast<double>(variables) / 2.0, 3.0);
  return 1.8;
}

unsigned long RSHistogram::getSource(VarDataProcessor& data) {
  Data& d = *fData;
  const std::vector<NOPROutputStats::VariableInformationData>* variables = d.variables();
  if (variables == nullptr)
    return 0;
  data.AddDataSource(kSource, 0);
  for (const char* variable : {"COUNTS", "MEANS", "LABELNAME", "TYPES"})
    data.AddVariable(kSource, variable, nullptr);
  unsigned long row = 0;
  for (const NOPROutputStats::VariableInformationData& variable : *variables) {
    d.groupIndexes.insert(variable.fGroupIndex);
    d.meanRanks.push_back(variable.fMeanOfRank);
    const std::vector<std::vector<double>>& rows = variable.fTable.fRows;
    if (rows.size() != 2)
      continue;
    for (std::size_t c = 0; c < rows[0].size() && c < rows[1].size(); ++c) {
      data.SetVariableValue(kSource, "COUNTS", row, rows[0][c]);
      data.SetVariableValue(kSource, "MEANS", row, rows[1][c]);
      data.SetVariableValue(kSource, "LABELNAME", row, variable.fMeanOfRank);
      data.SetVariableValue(kSource, "TYPES", row, variable.fGroupIndex);
      ++row;
    }
  }
  return row;
}

bool RSHistogram::createChart(std::string& subtitle, bool append) {
  Data& d = *fData;
  if (d.test() == nullptr || d.stats == nullptr)
    return false;
  const ChartString title = ChartOutput::lookUpChart(
      d.strings, d.kendall != nullptr
                     ? "Related-Samples Kendall's Coefficient of Concordance"
                     : "Related-Samples Friedman's Two-Way Analysis of Variance by Ranks");
  try {
    VarDataProcessor data;
    if (getSource(data) == 0)
      return false;
    std::string text = ChartOutput::fetchTemplate("NPARRelatedSamplesHistogram.viztemplate");
    const std::string rank = ChartOutput::xmlEscape(ChartOutput::lookUp(d.strings, "Rank"));
    ChartOutput::replaceSubstring(
        text, "xTitle", ChartOutput::xmlEscape(ChartOutput::lookUp(d.strings, "Frequency")));
    ChartOutput::replaceSubstring(text, "yTitle0", rank);
    ChartOutput::replaceSubstring(text, "yTitle1", rank);
    // The panels are the variables; their heading names them, so the facet needs no title.
    ChartViewText::eraseSpan(text, "<label id=\"subLabel\">", "</label>");
    const std::vector<NOPROutputStats::ParameterData>& parameters =
        d.test()->fCondition.fParameters;
    if (!parameters.empty() && parameters[0].fIndex == 0) {
      std::string order;
      for (double value : parameters[0].fValues) {
        if (!order.empty())
          order += ";";
        order += ChartOutput::double2String(value, static_cast<VORN_Format*>(nullptr));
      }
      ChartOutput::replaceSubstring(text, "categoryOrder1", order);
    }

    XDocument document(text);
    document.setEditor(XDocument::kEditorStatistics);
    document.setLanguage();
    XGraph* graph = document.getExternalGraph();
    graph->setTitle(title.xc_str());
    if (!subtitle.empty())
      graph->setSubtitle(ChartString(subtitle.c_str()).xc_str());
    graph->setOuterFrameWidth(frameWidth(d.groupIndexes.size()));
    graph->setOuterFrameHeight(1.2);
    ChartOutput::setDescription(document, title, subtitle, append);
    document.SetChartData(&data);

    XVariable types = graph->getVariable(ChartString("types"), 0);
    for (int group : d.groupIndexes) {
      const VORN_Variable* variable = d.stats->GetDictionaryVariable(group);
      if (variable == nullptr)
        continue;
      ChartString key;
      key.assignInteger(group);
      types.addRelabel(key, ChartString(variable->GetPreferredLabel().c_str()));
    }
    XVariable labelName = graph->getVariable(ChartString("labelname"), 0);
    for (double meanRank : d.meanRanks) {
      ChartString key;
      // The key must read back as the very number in the data: mean ranks such as 157/43 need
      // seventeen digits.
      key.assignDouble(meanRank, 0);
      ChartString label = ChartOutput::lookUpChart(d.strings, "Mean Rank");
      label.append(" = ");
      label.append(ChartOutput::double2String(meanRank, 40, 2).c_str());
      labelName.addRelabel(key, label);
    }
    document.applyCTemplate(false);
    document.SendChart(true, false, false);
    return true;
  } catch (...) {
    // A chart that cannot be made is left out, and said to be; the tables around it stand.
    return ChartOutput::leftOut(title, std::current_exception());
  }
}
