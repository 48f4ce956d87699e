// The pairwise comparison network chart.
//
// A comparison row names its two samples by sample index, the numbers of the information table's
// first row (positions in the grouping field's values, or dictionary indexes of related fields),
// as the comparison table reads them. Nodes are valued and labelled by the same indexes, so each
// edge joins the two samples its table row names (docs/chart-views.md).
#include "PairwiseComparison.h"

#include "ChartOutput.h"
#include "ChartViewText.h"
#include "NOPROutputStatsRecords.h"

#include "chart/VarDataProcessor.h"
#include "chart/XDocument.h"
#include "chart/XGraph.h"
#include "chart/XVariable.h"
#include "dict/CFMetaData.h"
#include "dict/VORN_Variable.h"
#include "pivot/BpComposite.h"
#include "pivot/BpError.h"
#include "pivot/BpString.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace {

const char* const kNodes = "nodeSource_1";
const char* const kEdges = "edgeSource_1";
// Beyond this many samples the network's nodes, labels and lines run into each other (a hundred
// samples make nearly five thousand lines), and its drawing grows with the pairs to megabytes: the
// table lists every pair, and a note stands where the network would.
constexpr std::size_t kMaxNetworkSamples = 40;
const char* const kNotDrawnKey =
    "The network of the ^1 samples is not drawn: beyond ^2 samples its "
    "nodes and lines cannot be told apart. The table lists every pair.";

// The text of a value of a field's value list: its display text, else the value itself.
std::string valueText(const CFValue& value) {
  if (!value.GetDisplayLabel().empty())
    return value.GetDisplayLabel();
  if (value.IsMissing())
    return std::string();
  if (value.GetKind() == CFDatum::kString)
    return value.GetString();
  ChartString number;
  number.assignDouble(value.AsDouble(), 16);
  return number.toUTF8();
}

} // namespace

std::string PairwiseComparison::significanceText(double p) {
  if (NOPRUTILITY::isSystemMissing(p) || !std::isfinite(p) || p < 0 || p > 1)
    return std::string();
  if (p < 0.001)
    return "<.001";
  // Three decimals without the leading zero, as a paper writes a significance.
  std::string text = ChartOutput::double2String(p, 40, 3);
  if (text.rfind("0.", 0) == 0)
    text.erase(0, 1);
  return text;
}

struct PairwiseComparison::Data {
  const NOPROutputStats* stats = nullptr;
  const NOPROutputStats::CompareResultTableData* compare = nullptr;
  const FacSTDictionary* strings = nullptr;
  bool medians = false;

  const std::vector<double>& samples() const {
    static const std::vector<double> none;
    const auto& rows = compare->fTables[0].fRows;
    return rows.empty() ? none : rows[0];
  }

  // One column of the comparison table, or an empty list without that column.
  std::vector<double> copyRows(const std::string& name) const {
    const NOPROutputStats::SimpleTableData& content = compare->fTables[1];
    const std::vector<std::string>& names = content.fNames[1];
    const auto column = std::find(names.begin(), names.end(), name);
    if (column == names.end())
      return {};
    const auto at = static_cast<std::size_t>(column - names.begin());
    std::vector<double> cells;
    for (const std::vector<double>& row : content.fRows)
      cells.push_back(at < row.size() ? row[at] : NOPRUTILITY::getSysMissing());
    return cells;
  }

  // 1 for a pair whose adjusted significance is below the run's level, else 2.
  std::vector<double> getEdgeType(const std::vector<double>& adjusted) const {
    std::vector<double> types;
    for (double p : adjusted)
      types.push_back(stats->SigLevel() > p ? 1.0 : 2.0);
    return types;
  }

  // The samples' indexes ordered by their values (the information table's second row), ties and
  // missing values keeping the table's order: a category order. Empty without values.
  std::string nodeOrder() const {
    const auto& info = compare->fTables[0].fRows;
    const std::vector<double>& indexes = samples();
    if (info.size() < 2)
      return std::string();
    std::vector<std::size_t> order(indexes.size());
    for (std::size_t i = 0; i < order.size(); ++i)
      order[i] = i;
    const auto value = [&](std::size_t i) {
      const double v = i < info[1].size() ? info[1][i] : NOPRUTILITY::getSysMissing();
      return NOPRUTILITY::isSystemMissing(v) || !std::isfinite(v) ? HUGE_VAL : v;
    };
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return value(a) < value(b); });
    std::string text;
    for (std::size_t i : order) {
      ChartString key;
      key.assignDouble(indexes[i], 16);
      text += (text.empty() ? "" : ";") + key.toUTF8();
    }
    return text;
  }

  // The chart shows one comparison; the template's layers would split it into empty panels.
  static void removeFaceting(std::string& text) {
    ChartViewText::eraseSpan(text, "<faceting", "</faceting>");
    ChartViewText::eraseSpan(text, "<facetLayout", "</facetLayout>");
  }
};

PairwiseComparison::PairwiseComparison(const NOPROutputStats& stats,
                                       const NOPROutputStats::CompareResultTableData& compare,
                                       const FacSTDictionary& strings)
    : fData(std::make_unique<Data>()) {
  fData->stats = &stats;
  fData->compare = &compare;
  fData->strings = &strings;
}

PairwiseComparison::~PairwiseComparison() = default;

void PairwiseComparison::setMedians(bool medians) {
  fData->medians = medians;
}

unsigned long PairwiseComparison::getSource(VarDataProcessor& data) const {
  const Data& d = *fData;
  data.AddDataSource(kNodes, 0);
  data.AddDataSource(kEdges, 0);
  data.AddVariable(kNodes, "node", nullptr);
  for (const char* variable :
       {"from", "to", "weight", "weightInPopup", "type", "tooltip", "significance"})
    data.AddVariable(kEdges, variable, nullptr);

  const std::vector<double>& samples = d.samples();
  for (std::size_t i = 0; i < samples.size(); ++i)
    data.SetVariableValue(kNodes, "node", static_cast<unsigned long>(i), samples[i]);

  const std::set<double> nodes(samples.begin(), samples.end());
  const std::vector<double> first = d.copyRows("Sample1");
  const std::vector<double> second = d.copyRows("Sample2");
  const std::vector<double> adjusted = d.copyRows("AdjSig");
  const std::vector<double> types = d.getEdgeType(adjusted);
  const std::size_t pairs = std::min({first.size(), second.size(), adjusted.size()});
  unsigned long edge = 0;
  for (std::size_t j = 0; j < pairs; ++j) {
    // An edge to a sample that has no node could not be drawn; it is left out.
    if (nodes.count(first[j]) == 0 || nodes.count(second[j]) == 0)
      continue;
    data.SetVariableValue(kEdges, "from", edge, first[j]);
    data.SetVariableValue(kEdges, "to", edge, second[j]);
    data.SetVariableValue(kEdges, "weight", edge, 1.0);
    data.SetVariableValue(kEdges, "weightInPopup", edge, adjusted[j]);
    data.SetVariableValue(kEdges, "type", edge, types[j]);
    data.SetVariableValue(kEdges, "tooltip", edge, adjusted[j]);
    data.SetStringVariableValue(kEdges, "significance", edge, significanceText(adjusted[j]));
    ++edge;
  }
  return static_cast<unsigned long>(samples.size());
}

bool PairwiseComparison::createChart(std::string& subtitle, bool append) {
  const Data& d = *fData;
  if (d.samples().size() > kMaxNetworkSamples) {
    BpComposite note(kNotDrawnKey, true);
    note.Add(BpString(std::to_string(d.samples().size()), false));
    note.Add(BpString(std::to_string(kMaxNetworkSamples), false));
    note.Finish();
    BpError(note, BpError::kShow, BpError::kLevelWarning);
    return false;
  }
  ChartString title;
  try {
    VarDataProcessor data;
    getSource(data);
    const int fieldIndex = d.compare->fFieldIndex;
    const VORN_Variable* fieldVariable = d.stats->GetDictionaryVariable(fieldIndex);
    const CFMetaData* metadata = d.stats->GetLocalMetadata();
    const CFField* field = metadata == nullptr ? nullptr : metadata->GetField(fieldIndex);
    const bool groups = fieldVariable != nullptr && field != nullptr;
    ChartString footnote;
    if (groups) {
      const std::string& label =
          field->GetLabel().empty() ? fieldVariable->GetPreferredLabel() : field->GetLabel();
      const ChartString fieldLabel(label.c_str());
      title = ChartOutput::lookUpChart(d.strings, "Pairwise Comparisons of ^1");
      title.replaceSubstring(u"^1", fieldLabel.xc_str());
      footnote = ChartOutput::lookUpChart(
          d.strings, d.medians ? "Each node shows the\nsample median of\n^1."
                               : "Each node shows the\nsample average rank of\n^1.");
      footnote.replaceSubstring(u"^1", fieldLabel.xc_str());
    } else {
      title = ChartOutput::lookUpChart(d.strings, "Pairwise Comparisons");
      // Related samples are valued by their numbers of successes (Cochran's Q) or their mean
      // ranks (Friedman, Kendall); the information table's second row is named for which.
      const std::vector<std::string>& rowNames = d.compare->fTables[0].fNames[0];
      const bool ranks = rowNames.size() > 1 && rowNames[1] == "MeanRank";
      footnote = ChartOutput::lookUpChart(
          d.strings, ranks ? "Each node shows the sample average rank."
                           : "Each node shows the sample number of successes.");
    }
    // Fetched once the title is known, so that a template that cannot be read names the chart.
    std::string text = ChartOutput::fetchTemplate("GLMMPairwiseContrasts.viztemplate");
    Data::removeFaceting(text);
    ChartOutput::replaceSubstring(text, "TitleText", ChartOutput::xmlEscape(title.toUTF8()));
    ChartOutput::replaceSubstring(text, "FootnoteText", ChartOutput::xmlEscape(footnote.toUTF8()));
    // The samples along a line in the order of their values (mean ranks, medians or successes),
    // each pair an arc labelled with its adjusted significance: pairs far apart in rank, the
    // ones likely to differ, span the others instead of crossing them as chords of a circle do.
    ChartOutput::replaceSubstring(text, "method=\"circle\"", "method=\"line\"");
    ChartOutput::replaceSubstring(text, "<labeling variable=\"weightInPopup\"",
                                  "<labeling variable=\"significance\"");
    ChartOutput::insertBefore(text, "<sourceVariable id=\"type\"",
                              "<sourceVariable id=\"significance\" source=\"edgeSource_1\" "
                              "variable=\"significance\"/>");
    const std::string order = d.nodeOrder();
    if (!order.empty())
      ChartOutput::insertBefore(text, "source=\"nodeSource_1\"",
                                "categoryOrder=\"" + order + "\" ");
    const std::string adjusted =
        ChartOutput::xmlEscape(ChartOutput::lookUp(d.strings, "Adj. Sig."));
    ChartOutput::insertBefore(text, "$[1]$", adjusted + " = ");

    XDocument document(text);
    document.setEditor(XDocument::kEditorStatistics);
    document.setLanguage();
    document.SetChartData(&data);
    XGraph* graph = document.getExternalGraph();
    if (!subtitle.empty())
      graph->setSubtitle(ChartString(subtitle.c_str()).xc_str());
    XVariable node = graph->getVariable(ChartString("node"), 0);
    XVariable type = graph->getVariable(ChartString("type"), 0);

    const auto& info = d.compare->fTables[0].fRows;
    const std::vector<double>& samples = d.samples();
    const auto sampleValue = [&](std::size_t i) {
      const double value =
          info.size() > 1 && i < info[1].size() ? info[1][i] : NOPRUTILITY::getSysMissing();
      return ChartOutput::double2String(value, 40, 2);
    };
    if (groups) {
      node.setVORNVariable(*fieldVariable);
      node.setFormatBasedOnVORNVariable(*fieldVariable);
      node.SetNumberFormat(0, false, nullptr, nullptr);
      const std::vector<CFValue>& values = field->GetValueLabels();
      for (std::size_t i = 0; i < samples.size(); ++i) {
        const int sample = NOPRUTILITY::truncateToInt(samples[i], -1);
        if (sample < 0 || static_cast<std::size_t>(sample) >= values.size())
          continue;
        ChartString key;
        key.assignDouble(samples[i], 0);
        ChartString label(valueText(values[static_cast<std::size_t>(sample)]).c_str());
        label.append(u'\n');
        label.append(sampleValue(i).c_str());
        node.addRelabel(key, label);
      }
    } else if (info.size() > 1) {
      for (std::size_t i = 0; i < samples.size(); ++i) {
        const VORN_Variable* variable =
            d.stats->GetDictionaryVariable(NOPRUTILITY::truncateToInt(samples[i], -1));
        if (variable == nullptr)
          continue;
        ChartString key;
        key.assignDouble(samples[i], 0);
        ChartString label(variable->GetPreferredLabel().c_str());
        label.append(u'\n');
        label.append(sampleValue(i).c_str());
        node.addRelabel(key, label);
      }
    }
    // The legend tells significant pairs from the others by the level they were judged at.
    ChartString level;
    level.assignDouble(d.stats->SigLevel(), 16);
    ChartString below("< ");
    below.append(level);
    ChartString notBelow(">= ");
    notBelow.append(level);
    type.addRelabel(ChartString("1"), below);
    type.addRelabel(ChartString("2"), notBelow);

    ChartOutput::setDescription(document, title, subtitle, append);
    std::vector<ViZLegend> legends = document.getVisualization().getLegends();
    if (!legends.empty())
      legends.front().addLabel().addText().setText(
          ChartOutput::lookUpChart(d.strings, "Adj. Sig."));
    document.applyCTemplate(false);
    document.SendChart(true, false, false);
    return true;
  } catch (...) {
    // A chart that cannot be made is left out, and said to be; the table above it stands.
    if (title.empty())
      title = ChartOutput::lookUpChart(d.strings, "Pairwise Comparisons");
    return ChartOutput::leftOut(title, std::current_exception());
  }
}
