// NOPROutputStats, continued: the texts of a split-file group (heading, chart subtitle, table
// layers). Kept apart from the record bookkeeping because only these touch the pivot builder.
#include "ChartOutput.h"
#include "NOPROutputStats.h"

#include "dict/VORN_DataSource.h"
#include "pivot/BpCategory.h"
#include "pivot/BpComposite.h"
#include "pivot/BpDataValue.h"
#include "pivot/BpDimension.h"
#include "pivot/BpHeading.h"
#include "pivot/BpPivotTable.h"
#include "pivot/BpVariable.h"
#include "proc/CFStatXMLInfoBlock.h"

namespace {

// The variable and value of split variable `i`, or false when the dictionary lacks it.
bool SplitEntry(const VORN_DataSource& source, const CFStatXMLInfoBlock& block, std::size_t i,
                const VORN_Variable*& variable, const OBS*& value) {
  variable = source.GetVariable(block.fSplitVarIndexes[i]);
  value = i < block.fSplitValues.size() ? block.fSplitValues[i] : nullptr;
  return variable != nullptr;
}

} // namespace

BpHeading* NOPROutputStats::GetSplitHeading(BpHeading* parent) const {
  if (fDataSource == nullptr || parent == nullptr || fInfoBlock == nullptr ||
      fInfoBlock->fSplitVarIndexes.empty() || !fInfoBlock->fSplitByHeading)
    return nullptr;
  BpComposite composite("[%1 = %2:, ^1 = ^2:]1", false);
  composite.Sublist();
  for (std::size_t i = 0; i < fInfoBlock->fSplitVarIndexes.size(); ++i) {
    const VORN_Variable* variable = nullptr;
    const OBS* value = nullptr;
    if (!SplitEntry(*fDataSource, *fInfoBlock, i, variable, value))
      continue;
    composite.Add(BpVariable(*variable, BpVariable::kShowLabel));
    composite.Add(BpDataValue(*variable, value, BpDataValue::kPreferLabel));
  }
  composite.EndSublist();
  composite.Finish();
  return new BpHeading(parent->Heading(composite));
}

std::string NOPROutputStats::GetSplitSubtitleForCharts(bool& layered) const {
  layered = false;
  std::string text;
  if (fDataSource == nullptr || fInfoBlock == nullptr || fInfoBlock->fSplitVarIndexes.empty())
    return text;
  for (std::size_t i = 0; i < fInfoBlock->fSplitVarIndexes.size(); ++i) {
    const VORN_Variable* variable = nullptr;
    const OBS* value = nullptr;
    if (!SplitEntry(*fDataSource, *fInfoBlock, i, variable, value))
      continue;
    if (!text.empty())
      text += ",";
    text += variable->GetPreferredLabel();
    text += ": ";
    const std::string* label =
        value != nullptr ? variable->GetValueLabels().Find(value, variable->GetType()) : nullptr;
    if (label != nullptr)
      text += *label;
    else if (value == nullptr)
      text += ".";
    else if (variable->IsString())
      // A string value has no number to format; its text is shown without the padding.
      text += ChartOutput::trimmedText(value, variable->GetType());
    else
      text += ChartOutput::double2String(value->f, *variable);
  }
  if (!fInfoBlock->fSplitByHeading)
    layered = true;
  return text;
}

void NOPROutputStats::SetSplitToTable(BpPivotTable& table) const {
  if (fDataSource == nullptr || fInfoBlock == nullptr || fInfoBlock->fSplitVarIndexes.empty() ||
      fInfoBlock->fSplitByHeading)
    return;
  for (std::size_t i = 0; i < fInfoBlock->fSplitVarIndexes.size(); ++i) {
    const VORN_Variable* variable = nullptr;
    const OBS* value = nullptr;
    if (!SplitEntry(*fDataSource, *fInfoBlock, i, variable, value))
      continue;
    BpDimension dimension =
        table.Dimension(BpVariable(*variable, BpVariable::kShowLabel), BpPivotTable::kSortNone);
    dimension.Position(BpDimension::kRow, BpDimension::kOutermost, false, false);
    dimension.Category(BpDataValue(*variable, value, BpDataValue::kPreferLabel));
  }
}
