// A table dimension and its placement.
#include "output/Dimension.h"

namespace output {

Dimension::Dimension(Label label) : fRoot(std::move(label), true, nullptr) {}
Dimension::~Dimension() = default;

void Dimension::SetPlacement(Place place, int level, bool showsLabel) {
  fPlace = place;
  fLevel = level;
  fShowsLabel = showsLabel;
}

const char* PlaceName(Dimension::Place place) {
  switch (place) {
  case Dimension::Place::kRow:
    return "row";
  case Dimension::Place::kColumn:
    return "column";
  case Dimension::Place::kLayer:
    return "layer";
  }
  return "row";
}

} // namespace output
