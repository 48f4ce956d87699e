// Category handles: cells at the latest-category place, cell notes and label notes.
#include "pivot/BpCategory.h"

#include "BpState.h"

BpCategory::BpCategory(std::shared_ptr<BpState> state, output::Table* table,
                       output::Dimension* dimension, output::Category* node)
    : fState(std::move(state)), fTable(table), fDimension(dimension), fNode(node) {}

BpCategory::BpCategory(const BpCategory& other) = default;
BpCategory& BpCategory::operator=(const BpCategory& other) = default;
BpCategory::~BpCategory() = default;

std::vector<const output::Category*> BpCategory::Place() const {
  std::vector<const output::Category*> place;
  for (const auto& dimension : fTable->Dimensions()) {
    const output::Category* category = dimension.get() == fDimension ? fNode : dimension->Latest();
    if (category == nullptr) {
      return {};
    }
    place.push_back(category);
  }
  return place;
}

bool BpCategory::Cell(const BpCellText& text) {
  std::vector<const output::Category*> place = Place();
  if (place.empty()) {
    return false;
  }
  fTable->CellAt(place).label = fState->Resolve(text);
  return true;
}

bool BpCategory::CellNote(const BpAnnotation& note) {
  std::vector<const output::Category*> place = Place();
  if (place.empty()) {
    return false;
  }
  fTable->CellAt(place).notes.push_back(fState->MakeNote(*fTable, note.Text()));
  return true;
}

void BpCategory::Note(const BpAnnotation& note) {
  fNode->AddNote(fState->MakeNote(*fTable, note.Text()));
}
