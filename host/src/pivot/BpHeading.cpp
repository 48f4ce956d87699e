// Heading handles: child headings and tables, and the live-heading count behind chart placement.
#include "pivot/BpHeading.h"

#include "BpState.h"

#include "pivot/BpPivotTable.h"

BpHeading::BpHeading(std::shared_ptr<BpState> state, output::Heading* node)
    : fState(std::move(state)), fNode(node) {
  fState->Retain(fNode);
}

BpHeading::BpHeading(const BpHeading& other) : fState(other.fState), fNode(other.fNode) {
  fState->Retain(fNode);
}

BpHeading& BpHeading::operator=(const BpHeading& other) {
  if (this != &other) {
    other.fState->Retain(other.fNode);
    fState->Release(fNode);
    fState = other.fState;
    fNode = other.fNode;
  }
  return *this;
}

BpHeading::~BpHeading() {
  fState->Release(fNode);
}

// A new item is where the items before it are most likely done with: the place to let a report
// that is written as it grows catch up.
BpHeading BpHeading::Heading(const BpCellText& text) {
  fState->document->Settle();
  output::Heading* child = fNode->Append(std::make_unique<output::Heading>(fState->Resolve(text)));
  return BpHeading(fState, child);
}

BpPivotTable BpHeading::PivotTable(const BpCellText& title, const BpCellText& subtitle, bool) {
  fState->document->Settle();
  output::Table* table = fNode->Append(
      std::make_unique<output::Table>(fState->Resolve(title), fState->Resolve(subtitle).Text()));
  return BpPivotTable(fState, table);
}
