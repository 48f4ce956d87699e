// Dimension handles: placement.
#include "pivot/BpDimension.h"

#include "BpState.h"

namespace {

output::Dimension::Place ToPlace(int place) {
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

void BpDimension::Position(int place, int level, bool hideLabel, bool) {
  output::Dimension* dimension = DimensionNode();
  bool layer = dimension->GetPlace() == output::Dimension::Place::kLayer;
  dimension->SetPlacement(layer ? output::Dimension::Place::kLayer : ToPlace(place), level,
                          !hideLabel);
}
