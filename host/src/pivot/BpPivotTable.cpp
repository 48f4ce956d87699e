// Table handles: widths, caption and dimensions.
#include "pivot/BpPivotTable.h"

#include "BpState.h"

#include "pivot/BpDimension.h"

#include <algorithm>

BpPivotTable::BpPivotTable(std::shared_ptr<BpState> state, output::Table* table)
    : fState(std::move(state)), fTable(table) {}

BpPivotTable::BpPivotTable(const BpPivotTable& other) = default;
BpPivotTable& BpPivotTable::operator=(const BpPivotTable& other) = default;
BpPivotTable::~BpPivotTable() = default;

void BpPivotTable::MinDataColumnWidth(int width) {
  fTable->SetMinDataColumnWidth(std::max(width, 0));
}

void BpPivotTable::MaxDataColumnWidth(int width) {
  fTable->SetMaxDataColumnWidth(std::max(width, 0));
}

void BpPivotTable::Caption(const BpCellText& text) {
  fTable->SetCaption(fState->Resolve(text));
}

BpDimension BpPivotTable::Dimension(const BpCellText& label, int sort) {
  output::Dimension* dimension = fTable->AddDimension(fState->Resolve(label));
  if (sort == kSortNone) {
    dimension->SetPlacement(output::Dimension::Place::kLayer, 1, true);
  }
  return BpDimension(fState, fTable.get(), dimension);
}
