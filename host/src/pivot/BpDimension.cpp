// Dimension handles: placement.
#include "pivot/BpDimension.h"

#include "BpState.h"

namespace {

output::Dimension::Place ToPlace(int place, bool inTable) {
  if (!inTable) {
    return output::Dimension::Place::kLayer;
  }
  switch (place) {
  case BpDimension::kColumn:
    return output::Dimension::Place::kColumn;
  case BpDimension::kLayer:
    return output::Dimension::Place::kLayer;
  default:
    return output::Dimension::Place::kRow;
  }
}

} // namespace

BpDimension::BpDimension(std::shared_ptr<BpState> state, output::Table* table,
                         output::Dimension* dimension)
    : BpGroup(std::move(state), table, dimension, &dimension->Root()) {}

BpDimension::BpDimension(const BpDimension& other) = default;
BpDimension& BpDimension::operator=(const BpDimension& other) = default;
BpDimension::~BpDimension() = default;

void BpDimension::Position(int place, int level, bool inTable, bool hideLabel) {
  DimensionNode()->SetPlacement(ToPlace(place, inTable), level, !hideLabel);
}
