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

#include <algorithm>
#include <cmath>
#include <tuple>
#include <utility>

namespace {

const char* const kSource = "graphSource";
// The template's colours of positive and negative differences and of ties.
const char* const kPositiveColor = "#0072B2";
const char* const kNegativeColor = "#D55E00";
const char* const kTieColor = "#B8B8B8";

// "Positive Differences" (negative, or ties), a line feed, and the count in parentheses.
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

std::vector<WilcoxonPairSignedRank::SignedBin>
WilcoxonPairSignedRank::splitBySign(const std::vector<double>& counts,
                                    const std::vector<double>& centres,
                                    const NOPROutputStats::RSignDistributionData& totals) {
  std::vector<SignedBin> bins;
  const std::size_t n = std::min(counts.size(), centres.size());
  // A centre that is not a number has no sign (and no bar): it must not count as a tie.
  const auto signOf = [](double value) {
    return value > 0 ? 1. : value < 0 ? -1. : value == 0 ? 0. : NAN;
  };
  // Half a bin: half the smallest gap between centres (one bin: it holds every difference).
  double half = HUGE_VAL;
  for (std::size_t i = 1; i < n; ++i)
    if (centres[i] > centres[i - 1])
      half = std::min(half, (centres[i] - centres[i - 1]) / 2);
  const double tolerance = std::isfinite(half) ? half * 1e-9 : 0;
  // A bin ending at zero holds negatives only when another bin starts there (the bins include
  // their lower end).
  bool startsAtZero = false;
  for (std::size_t i = 0; i < n; ++i)
    startsAtZero = startsAtZero || std::fabs(centres[i] - half) <= tolerance;
  std::size_t mixed = n, mixedCount = 0;
  double negatives = totals.fNegativeDifferences, positives = totals.fPositiveDifferences;
  for (std::size_t i = 0; i < n; ++i) {
    const double low = centres[i] - half, high = centres[i] + half;
    if (high < -tolerance || (std::fabs(high) <= tolerance && startsAtZero))
      negatives -= counts[i];
    else if (low > tolerance)
      positives -= counts[i];
    else
      mixed = i, ++mixedCount;
  }
  const double ties = totals.fTies;
  bool split = mixedCount == 1 && negatives >= 0 && positives >= 0 &&
               negatives + ties + positives == counts[mixed];
  // A bin from zero holds no negatives; the last bin, ending at zero, no positives.
  if (split && std::fabs(centres[mixed] - half) <= tolerance)
    split = negatives == 0;
  if (split && std::fabs(centres[mixed] + half) <= tolerance)
    split = positives == 0;
  for (std::size_t i = 0; i < n; ++i) {
    if (!split || i != mixed) {
      bins.push_back({counts[i], centres[i], signOf(centres[i])});
      continue;
    }
    for (const auto& [count, sign] : {std::pair{negatives, -1.}, {ties, 0.}, {positives, 1.}})
      if (count > 0)
        bins.push_back({count, centres[i], sign});
  }
  return bins;
}

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
    data.AddVariable(kSource, "sign", nullptr);
    const std::vector<SignedBin> bins = rows[0].size() == rows[1].size()
                                            ? splitBySign(rows[0], rows[1], *d.distribution)
                                            : std::vector<SignedBin>();
    for (std::size_t c = 0; c < bins.size(); ++c) {
      data.SetVariableValue(kSource, "count", static_cast<unsigned long>(c), bins[c].count);
      data.SetVariableValue(kSource, "value", static_cast<unsigned long>(c), bins[c].value);
      data.SetVariableValue(kSource, "sign", static_cast<unsigned long>(c), bins[c].sign);
    }
    std::string text = ChartOutput::fetchTemplate("NPARWilcoxonPairSignedRank.viztemplate");
    // The categories take the palette's colours in order, among those present: each sign keeps
    // its own colour only when the palette lists the colours of the signs present, and a sign
    // absent from the data gets no legend entry.
    std::string order, palette;
    for (const auto& [sign, category, color] : {std::tuple{1., "0positive", kPositiveColor},
                                                {-1., "1negative", kNegativeColor},
                                                {0., "2tie", kTieColor}}) {
      if (std::none_of(bins.begin(), bins.end(),
                       [sign = sign](const SignedBin& bin) { return bin.sign == sign; }))
        continue;
      order += (order.empty() ? "" : ";") + std::string(category);
      palette += (palette.empty() ? "" : ";") + std::string(color);
    }
    if (!order.empty()) {
      ChartOutput::replaceSubstring(text, "0positive;1negative;2tie", order);
      ChartOutput::replaceSubstring(text, "#0072B2;#D55E00;#B8B8B8", palette);
    }
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
      // A zero difference is a tie: neither sign's colour, and an entry of its own.
      type.addRelabel(ChartString("2tie"),
                      differenceText(d.strings, "Ties", d.distribution->fTies));
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
