// Group handles: subgroups, categories and label notes.
#include "pivot/BpGroup.h"

#include "BpState.h"

#include "pivot/BpCategory.h"

BpGroup::BpGroup(std::shared_ptr<BpState> state, output::Table* table, output::Dimension* dimension,
                 output::Category* node)
    : fState(std::move(state)), fTable(table), fDimension(dimension), fNode(node) {}

BpGroup::BpGroup(const BpGroup& other) = default;
BpGroup& BpGroup::operator=(const BpGroup& other) = default;
BpGroup::~BpGroup() = default;

BpGroup BpGroup::Group(const BpCellText& label, bool showLabel, int) {
  output::Category* group = fNode->FindOrAddChild(fState->Resolve(label), true);
  group->SetShowsLabel(showLabel);
  return BpGroup(fState, fTable.get(), fDimension, group);
}

BpCategory BpGroup::Category(const BpCellText& label) {
  output::Category* category = fNode->FindOrAddChild(fState->Resolve(label), false);
  fDimension->SetLatest(category);
  return BpCategory(fState, fTable.get(), fDimension, category);
}

void BpGroup::Note(const BpAnnotation& note) {
  fNode->AddNote(fState->MakeNote(*fTable, note.Text()));
}
