// NOPROutput, source 4 of 5 (see NOPROutput.h): the pairwise comparison and homogeneous subset
// tables of the k-sample tests, and the orderings of their rows.
#include "NOPRAlgorithmTable.h"
#include "NOPROutput.h"
#include "NOPRUTILITY.h"

#include "dict/CFStatVariableValue.h"
#include "dict/VORN_Variable.h"
#include "pivot/BpCategory.h"
#include "pivot/BpComposite.h"
#include "pivot/BpDataValue.h"
#include "pivot/BpDimension.h"
#include "pivot/BpHeading.h"
#include "pivot/BpNumber.h"
#include "pivot/BpPivotTable.h"
#include "pivot/BpProcedure.h"
#include "pivot/BpString.h"
#include "pivot/BpVariable.h"
#include "proc/CFAssert.h"
#include "text/TextFunctions.h"

#include <algorithm>
#include <optional>
#include <string>

namespace {

const char* const kSource = "backend/nonpar/NOPROutput";
const std::size_t kComparisonColumns = 7;

using Stats = NOPROutputStats;

BpString key(const std::string& text) {
  return BpString(text, true);
}

// What both comparison tables share: where the samples come from and the table itself.
struct ComparisonFrame {
  bool independent = false;
  const VORN_Variable* groupVariable = nullptr;
};

// The frame for an algorithm with comparison tables; nullopt for any other algorithm.
std::optional<ComparisonFrame> frameFor(Stats::EnumAlgorithmType algorithm) {
  const NOPRAlgorithmTable::Row* row = NOPRAlgorithmTable::Find(algorithm);
  if (row == nullptr || row->fComparison == NOPRAlgorithmTable::Comparison::kNone)
    return std::nullopt;
  return ComparisonFrame{row->fComparison == NOPRAlgorithmTable::Comparison::kIndependentSamples,
                         nullptr};
}

// A comparison table with its title, widths, caption and split layers.
BpPivotTable makeTable(BpHeading& heading, const Stats& stats, const ComparisonFrame& frame,
                       const char* relatedTitle, const char* independentTitle, const char* subtitle,
                       const std::string& caption) {
  BpComposite title(frame.independent ? independentTitle : relatedTitle, true);
  if (frame.independent && frame.groupVariable != nullptr)
    title.Add(BpVariable(*frame.groupVariable, BpVariable::kShowLabel));
  title.Finish();
  BpPivotTable table = heading.PivotTable(title, BpString(subtitle, false), false);
  table.MinDataColumnWidth(60);
  table.MaxDataColumnWidth(100);
  BpComposite captionText(caption, true);
  captionText.Add(BpNumber(stats.SigLevel(), BpProcedure::Significance()));
  captionText.Finish();
  table.Caption(captionText);
  stats.SetSplitToTable(table);
  return table;
}

// The data value that names category `index` of the grouping field, when both exist.
std::unique_ptr<BpDataValue> groupValue(const Stats& stats, const ComparisonFrame& frame,
                                        int fieldIndex, int index) {
  const CFStatVariableValue* value = stats.GetDictionaryVariableValue(fieldIndex, index);
  if (frame.groupVariable == nullptr || value == nullptr)
    return nullptr;
  return std::make_unique<BpDataValue>(*frame.groupVariable, value->GetObsValue(), 2);
}

// The text that names sample `index`: a field, or a category of the grouping field.
std::unique_ptr<BpCellText> sampleText(const Stats& stats, const ComparisonFrame& frame,
                                       int fieldIndex, int index) {
  if (frame.independent)
    return groupValue(stats, frame, fieldIndex, index);
  const VORN_Variable* variable = stats.GetDictionaryVariable(index);
  if (variable == nullptr)
    return nullptr;
  return std::make_unique<BpVariable>(*variable, 2);
}

int indexAt(const std::vector<double>& row, std::size_t column) {
  return NOPRUTILITY::truncateToInt(row[column], -1);
}

// Groups rows by their first sample in ascending order of its value, and each group by the value
// of its second sample.
void orderPairs(std::vector<std::vector<double>>& rows, const std::vector<double>& values) {
  std::sort(rows.begin(), rows.end(), pairwiseRankCompare(values, 0));
  std::size_t runStart = 0;
  for (std::size_t i = 1; i < rows.size(); ++i) {
    if (indexAt(rows[i], 0) != indexAt(rows[runStart], 0)) {
      std::sort(rows.begin() + static_cast<long>(runStart), rows.begin() + static_cast<long>(i),
                pairwiseRankCompare(values, 1));
      runStart = i;
    }
  }
  std::sort(rows.begin() + static_cast<long>(runStart), rows.end(), pairwiseRankCompare(values, 1));
}

} // namespace

pairwiseRankCompare::pairwiseRankCompare(const std::vector<double>& values, int column)
    : fValues(values), fColumn(column < 0 ? 0 : static_cast<std::size_t>(column)) {}

bool pairwiseRankCompare::operator()(const std::vector<double>& a,
                                     const std::vector<double>& b) const {
  if (fColumn >= a.size() || fColumn >= b.size())
    return true;
  const double x = a[fColumn];
  const double y = b[fColumn];
  if (!(x >= 0) || !(y >= 0) || x >= static_cast<double>(fValues.size()) ||
      y >= static_cast<double>(fValues.size()))
    return true;
  return fValues[static_cast<std::size_t>(x)] < fValues[static_cast<std::size_t>(y)];
}

bool subsetSort(const std::vector<double>& a, const std::vector<double>& b) {
  return a[0] < b[0];
}

void NOPROutput::DspPairwiseCompOutput(BpHeading& heading,
                                       const Stats::CompareResultTableData* compare,
                                       Stats::EnumAlgorithmType algorithm,
                                       const std::vector<Stats::MessageData>& messages,
                                       const FacSTDictionary* strings) {
  if (compare == nullptr)
    return;
  std::optional<ComparisonFrame> frame = frameFor(algorithm);
  if (!frame)
    return;
  if (frame->independent)
    frame->groupVariable = fStats->GetDictionaryVariable(compare->fFieldIndex);
  const NOPRAlgorithmTable::Row* row = NOPRAlgorithmTable::Find(algorithm);
  const char* caption = row->fPairwiseCaption;
  BpPivotTable table =
      makeTable(heading, *fStats, *frame, "Pairwise Comparisons", "Pairwise Comparisons of ^1",
                "Pairwise Comparisons Table", caption);
  BpDimension samples =
      table.Dimension(BpString("Sample 1-Sample 2", false), BpPivotTable::kSortAsMade);
  samples.Position(BpDimension::kRow, BpDimension::kOutermost, false, false);
  BpDimension statistics = table.Dimension(key("Statistics"), BpPivotTable::kSortAsMade);
  statistics.Position(BpDimension::kColumn, BpDimension::kOutermost, true, false);

  const Stats::SimpleTableData& rankData = compare->fTables[0];
  CF_ASSERT_DESCRIBED(rankData.fRows.size() == 2, "DspPairwiseCompOutput", kSource,
                      "the mean ranks of its pairwise comparisons (PairwiseInfo) have " +
                          std::to_string(rankData.fRows.size()) +
                          " rows where 2 are needed (Sample, MeanRank)");
  const std::vector<double>& sampleIndexes = rankData.fRows[0];
  const std::vector<double>& sampleValues = rankData.fRows[1];
  if (sampleIndexes.size() != sampleValues.size())
    return;
  std::vector<double> values(sampleIndexes.size(), 0.0);
  for (std::size_t j = 0; j < sampleIndexes.size(); ++j) {
    if (!(sampleIndexes[j] >= 0) || sampleIndexes[j] > 1e6)
      continue;
    const auto i = static_cast<std::size_t>(sampleIndexes[j]);
    if (i >= values.size())
      values.resize(i + 1, 0.0);
    values[i] = sampleValues[j];
  }
  const double m = static_cast<double>(values.size());

  const std::size_t nCol = compare->fTables[1].fNames[1].size();
  CF_ASSERT_DESCRIBED(nCol == 7, "DspPairwiseCompOutput", kSource,
                      "its pairwise comparison table has " + std::to_string(nCol) +
                          " columns where 7 are needed (Sample1, Sample2, TestStatistic, "
                          "StdError, StdTestStatistic, Sig, AdjSig)");
  std::vector<std::vector<double>> rows = compare->fTables[1].fRows;
  for (std::vector<double>& row : rows) {
    if (row.size() < kComparisonColumns || !(row[0] >= 0) || !(row[1] >= 0) || row[0] >= m ||
        row[1] >= m)
      return;
    if (values[static_cast<std::size_t>(row[0])] > values[static_cast<std::size_t>(row[1])])
      std::swap(row[0], row[1]);
  }
  orderPairs(rows, values);

  const bool median = row->fMedianPairs;
  for (const std::vector<double>& row : rows) {
    const int a = indexAt(row, 0);
    const int b = indexAt(row, 1);
    BpComposite label("^1-^2", true);
    for (int sample : {a, b}) {
      if (std::unique_ptr<BpCellText> text =
              sampleText(*fStats, *frame, compare->fFieldIndex, sample))
        label.Add(*text);
    }
    label.Finish();
    samples.Category(label);

    BpCategory statistic = statistics.Category(key("Test Statistic"));
    statistic.Cell(BpNumber(row[2], BpProcedure::Coefficient()));
    AddComparasionMessage(statistic, messages, a, b);
    if (!median) {
      statistics.Category(key("Std. Error")).Cell(BpNumber(row[3], BpProcedure::Coefficient()));
      statistics.Category(key("Std. Test Statistic"))
          .Cell(BpNumber(row[4], BpProcedure::Coefficient()));
    }
    statistics.Category(key("Sig.")).Cell(BpNumber(row[5], BpProcedure::Significance()));
    BpCategory adjusted = statistics.Category(key("Adj. Sig."));
    adjusted.Cell(BpNumber(row[6], BpProcedure::Significance()));
    adjusted.Note(BpAnnotation(key("Significance values have been adjusted by the Bonferroni "
                                   "correction for multiple tests.")));
  }
  DspPairwiseChart(*compare, strings, median);
}

void NOPROutput::DspHomogSubsetCompTable(BpHeading& heading,
                                         const Stats::CompareResultTableData* compare,
                                         Stats::EnumAlgorithmType algorithm,
                                         const std::vector<Stats::MessageData>& messages) {
  if (compare == nullptr)
    return;
  std::optional<ComparisonFrame> frame = frameFor(algorithm);
  if (!frame)
    return;
  if (frame->independent)
    frame->groupVariable = fStats->GetDictionaryVariable(compare->fFieldIndex);
  BpPivotTable table =
      makeTable(heading, *fStats, *frame, "Homogeneous Subsets", "Homogeneous Subsets based on ^1",
                "Homogeneous Subsets Table", "HomogeneousSubsetsTableCaption^1");
  BpDimension statistics =
      table.Dimension(BpString("Statistics", false), BpPivotTable::kSortAsMade);
  statistics.Position(BpDimension::kRow, BpDimension::kOutermost, true, false);
  BpDimension subsets = table.Dimension(key("Subset"), BpPivotTable::kSortAsMade);
  subsets.Position(BpDimension::kColumn, BpDimension::kOutermost, false, false);

  const Stats::SimpleTableData& info = compare->fTables[0];
  if (info.fRows.size() != 2 || info.fRows[0].size() != info.fRows[1].size() ||
      compare->fTables[1].fNames[1].size() != kComparisonColumns)
    return;
  const std::vector<double>& order = info.fRows[0];
  const std::vector<double>& shown = info.fRows[1];
  const double n = static_cast<double>(order.size());

  std::vector<std::vector<double>> rows;
  for (const std::vector<double>& row : compare->fTables[1].fRows) {
    // Rows that are too short or name positions outside the sample order cannot be shown.
    if (row.size() >= kComparisonColumns && row[0] >= 0 && row[0] <= row[1] && row[1] < n)
      rows.push_back(row);
  }
  std::stable_sort(rows.begin(), rows.end(), subsetSort);

  const NOPRAlgorithmTable::Row* row = NOPRAlgorithmTable::Find(algorithm);
  BpComposite note(row->fSubsetNote, true);
  if (frame->independent && frame->groupVariable != nullptr)
    note.Add(BpVariable(*frame->groupVariable, BpVariable::kShowLabel));
  note.Finish();
  BpGroup sampleGroup = statistics.Group(key("Sample"), true, BpPivotTable::kSortAsMade);
  sampleGroup.Note(BpAnnotation(note));

  const bool oneSided = row->fOneSidedSubsets;
  for (std::size_t k = 0; k < rows.size(); ++k) {
    const std::vector<double>& row = rows[k];
    const int from = indexAt(row, 0);
    const int to = indexAt(row, 1);
    subsets.Category(BpString(Integer2String(static_cast<long>(k + 1)), false));
    for (int j = from; j <= to; ++j) {
      const int sample = NOPRUTILITY::truncateToInt(order[static_cast<std::size_t>(j)], -1);
      std::unique_ptr<BpCellText> text = sampleText(*fStats, *frame, compare->fFieldIndex, sample);
      if (text == nullptr)
        continue;
      sampleGroup.Category(*text).Cell(
          BpNumber(shown[static_cast<std::size_t>(j)], BpProcedure::Coefficient()));
    }
    BpCategory statistic = statistics.Category(key("Test Statistic"));
    statistic.Cell(BpNumber(row[2], BpProcedure::Coefficient()));
    AddComparasionMessage(statistic, messages, from, to);
    if (oneSided) {
      statistics.Category(key("Standard Error")).Cell(BpNumber(row[3], BpProcedure::Coefficient()));
      statistics.Category(key("Standardized Test Statistic"))
          .Cell(BpNumber(row[4], BpProcedure::Coefficient()));
      statistics.Category(key("Sig. (1-sided test)"))
          .Cell(BpNumber(row[5], BpProcedure::Significance()));
      statistics.Category(key("Adjusted Sig. (1-sided test)"))
          .Cell(BpNumber(row[6], BpProcedure::Significance()));
    } else {
      statistics.Category(key("Sig. (2-sided test)"))
          .Cell(BpNumber(row[5], BpProcedure::Significance()));
      statistics.Category(key("Adjusted Sig. (2-sided test)"))
          .Cell(BpNumber(row[6], BpProcedure::Significance()));
    }
  }
}

void NOPROutput::AddComparasionMessage(BpCategory& category,
                                       const std::vector<Stats::MessageData>& messages, int first,
                                       int second) {
  const std::string pairKey = Integer2String(first) + ";" + Integer2String(second);
  for (const Stats::MessageData& message : messages) {
    const bool comparison =
        Stats::IsPairwiseMessage(message.fCode) || Stats::IsStepwiseMessage(message.fCode);
    if (comparison && message.fGroup == pairKey)
      category.CellNote(BpAnnotation(key(Integer2String(static_cast<long>(message.fCode)))));
  }
}
