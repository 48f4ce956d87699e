// A note on a category, dimension or cell, and the footnote a table lists for it.
#pragma once

#include "output/Label.h"

#include <string>

namespace output {

// The note's full label and the footnote mark its table gave it ("a", "b", ...). Notes with the
// same shown text share one mark.
struct Note {
  Label label;
  std::string mark;
};

// One line under a table: a mark and the shown text of the notes that carry it.
struct Footnote {
  std::string mark;
  std::string text;
};

} // namespace output
