// A cell of a table: where it stands (one category per dimension), its text and its notes.
#pragma once

#include "output/Category.h"
#include "output/Label.h"
#include "output/Note.h"

#include <optional>
#include <vector>

namespace output {

struct Cell {
  // One leaf category per dimension of the table, in dimension creation order. An entry is null
  // only for a dimension made after the cell was written.
  std::vector<const Category*> categories;
  Label label;
  std::vector<Note> notes;

  // The raw number of a number cell; nullopt when system-missing or not a number.
  std::optional<double> Value() const;
};

} // namespace output
