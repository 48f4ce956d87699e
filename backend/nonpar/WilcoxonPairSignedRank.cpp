// The paired-differences histogram of the sign and signed rank tests.
#include "WilcoxonPairSignedRank.h"

#include "ChartOutput.h"
#include "NOPRHypothesisTests.h"

#include "chart/VarDataProcessor.h"
#include "chart/XDocument.h"
#include "chart/XGraph.h"
#include "chart/XVariable.h"
#include "dict/CFMetaData.h"
#include "dict/VORN_Variable.h"

namespace {

const char* const kSource = "graphSource";

// "Positive Differences" (or negative), a line feed, and the count in parentheses.
ChartString differenceText(const FacSTDictionary* strings, const char* key, int count) {
  ChartString text = ChartOutput::lookUpChart(strings, key);
  text.append(u"\n(");
  text.appendInteger(count);
  text.append(u")");
  return text;
}

std::string fieldLabel(const CFMetaData& metadata, int index) {
  const CFField* field = metadata.GetField(index);
  return field == nullptr ? std::string() : field->GetLabel();
}

} // namespace

struct WilcoxonPairSignedRank::Data {
  const FacSTDictionary* strings = nullptr;
  const NOPROutputStats* stats = nullptr;
  const NOPROutputStats::RSignDistributionData* distribution = nullptr;
  const NOPROutputStats::BaseHypothesisTest* test = nullptr;
  NOPROutputStats::EnumAlgorithmType algorithm = NOPROutputStats::kANone;
};

WilcoxonPairSignedRank::WilcoxonPairSignedRank(
    const FacSTDictionary* strings, const NOPROutputStats* stats,
    const NOPROutputStats::RSignDistributionData& distribution,
    const NOPROutputStats::BaseHypothesisTest& test, NOPROutputStats::EnumAlgorithmType algorithm)
    : fData(std::make_unique<Data>()) {
  fData->strings = strings;
  fData->stats = stats;
  fData->distribution = &distribution;
  fData->test = &test;
  fData->algorithm = algorithm;
}

WilcoxonPairSignedRank::~WilcoxonPairSignedRank() = default;

bool WilcoxonPairSignedRank::createChart(std::string& subtitle, bool append) {
  const Data& d = *fData;
  if (d.stats == nullptr)
    return false;
  const std::vector<std::vector<double>>& rows = d.distribution->fTable.fRows;
  if (rows.size() < 2 || rows[0].empty())
    return false;
  const ChartString title =
      d.algorithm == NOPROutputStats::kARSign
          ? ChartOutput::lookUpChart(d.strings, "Related-Samples Sign Test")
      : d.algorithm == NOPROutputStats::kARWilcoxonSignedRanks
          ? ChartOutput::lookUpChart(d.strings, "Related-Samples Wilcoxon Signed Rank Test")
          : ChartString();
  try {
    VarDataProcessor data;
    data.AddDataSource(kSource, 0);
    data.AddVariable(kSource, "count", nullptr);
    data.AddVariable(kSource, "value", nullptr);
    if (rows[0].size() == rows[1].size()) {
      for (std::size_t c = 0; c < rows[0].size(); ++c) {
        data.SetVariableValue(kSource, "count", static_cast<unsigned long>(c), rows[0][c]);
        data.SetVariableValue(kSource, "value", static_cast<unsigned long>(c), rows[1][c]);
      }
    }
    std::string text = ChartOutput::fetchTemplate("NPARWilcoxonPairSignedRank.viztemplate");
    ChartString ties = ChartOutput::lookUpChart(d.strings, "Number of Ties = ^1");
    ChartString count;
    count.assignInteger(d.distribution->fTies);
    ties.replaceSubstring(u"^1", count.xc_str());
    ChartOutput::replaceSubstring(text, "LegendLabel", ChartOutput::xmlEscape(ties.toUTF8()));

    // The differences are the second field minus the first; the parameters' first numbers name
    // the two fields.
    const VORN_Variable* firstVariable = nullptr;
    const VORN_Variable* secondVariable = nullptr;
    const std::vector<NOPROutputStats::ParameterData>& parameters = d.test->fCondition.fParameters;
    if (text.find("XAxis Text") != std::string::npos && parameters.size() > 1 &&
        !parameters[0].fValues.empty() && !parameters[1].fValues.empty()) {
      const int first = NOPRUTILITY::truncateToInt(parameters[0].fValues[0], -1);
      const int second = NOPRUTILITY::truncateToInt(parameters[1].fValues[0], -1);
      firstVariable = d.stats->GetDictionaryVariable(first);
      secondVariable = d.stats->GetDictionaryVariable(second);
      if (const CFMetaData* metadata = d.stats->GetLocalMetadata())
        ChartOutput::replaceSubstring(text, "XAxis Text",
                                      ChartOutput::xmlEscape(fieldLabel(*metadata, second) + " - " +
                                                             fieldLabel(*metadata, first)));
    }
    ChartOutput::replaceSubstring(
        text, "YAxis Text", ChartOutput::xmlEscape(ChartOutput::lookUp(d.strings, "Frequency")));

    XDocument document(text);
    document.setEditor(XDocument::kEditorStandard);
    document.setLanguage();
    ChartOutput::setDescription(document, title, subtitle, append);
    XGraph* graph = document.getExternalGraph();
    graph->setTitle(title.xc_str());
    if (!subtitle.empty())
      graph->setSubtitle(ChartString(subtitle.c_str()).xc_str());

    if (firstVariable != nullptr) {
      XVariable type = graph->getVariable(ChartString("type"), 0);
      type.addRelabel(
          ChartString("0positive"),
          differenceText(d.strings, "Positive Differences", d.distribution->fPositiveDifferences));
      type.addRelabel(
          ChartString("1negative"),
          differenceText(d.strings, "Negative Differences", d.distribution->fNegativeDifferences));
      // A difference is shown in the fields' own format only when the two agree on it.
      if (secondVariable != nullptr && firstVariable->GetFormat() == secondVariable->GetFormat()) {
        XVariable value = graph->getVariable(ChartString("value"), 0);
        value.setVORNVariable(*firstVariable);
        value.setFormatBasedOnVORNVariable(*firstVariable);
      }
    }
    document.SetChartData(&data);
    document.applyCTemplate(false);
    document.SendChart(true, false, false);
    return true;
  } catch (...) {
    // A chart that cannot be made is left out, and said to be; the tables around it stand.
    return ChartOutput::leftOut(title, std::current_exception());
  }
}
