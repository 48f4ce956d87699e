// A handle on a category: writes cells and notes.
#pragma once

#include "output/ItemHold.h"
#include "pivot/BpAnnotation.h"
#include "pivot/BpCellText.h"

#include <memory>
#include <vector>

namespace output {
class Category;
class Dimension;
class Table;
} // namespace output
struct BpState;

class BpCategory {
public:
  BpCategory(const BpCategory& other);
  BpCategory& operator=(const BpCategory& other);
  ~BpCategory();

  // Writes the cell at this category and at the latest category of every other dimension. A
  // second write at the same place replaces the text and keeps the cell's notes. Returns false,
  // writing nothing, when another dimension has no category yet.
  bool Cell(const BpCellText& text);
  // A note on the cell at the same place (an empty cell is made when none is there). Returns
  // false, doing nothing, when another dimension has no category yet.
  bool CellNote(const BpAnnotation& note);
  // A note on the category's label.
  void Note(const BpAnnotation& note);

  const output::Category& Node() const { return *fNode; }

private:
  friend class BpGroup;
  BpCategory(std::shared_ptr<BpState> state, output::Table* table, output::Dimension* dimension,
             output::Category* node);
  // The cell's categories, or an empty list when a dimension has none yet.
  std::vector<const output::Category*> Place() const;

  std::shared_ptr<BpState> fState;
  output::ItemHold<output::Table> fTable;
  output::Dimension* fDimension;
  output::Category* fNode;
};
