// The two-dimensional view of a pivot table that the HTML and text writers lay out: which leaf
// categories make the rows, the columns and the layers, and the header nodes above each of them.
#pragma once

#include "output/Dimension.h"

#include <cstddef>
#include <vector>

namespace output {
struct Cell;
class Table;
} // namespace output

class TableGrid {
public:
  using Tuple = std::vector<const output::Category*>;

  // One axis (rows or columns): its dimensions from outermost to innermost (by the builder's
  // level, then creation order) and one tuple of leaf categories per row or column.
  struct Axis {
    std::vector<const output::Dimension*> dimensions;
    std::vector<Tuple> tuples;
    // Per tuple, the header nodes from outermost to innermost: the dimension itself where its
    // label is shown (columns only), the groups that show their labels, then the leaf. Every
    // dimension's part is padded with its leaf to the same depth, so all paths have Levels()
    // entries and a repeated node means "this header cell reaches further down or across".
    std::vector<Tuple> paths;

    size_t Levels() const { return paths.empty() ? 0 : paths.front().size(); }
    // Whether tuples a and b share the header node at `level` and every node above it.
    bool SameUpTo(size_t a, size_t b, size_t level) const;
  };

  // Borrows `table`, which must outlive the grid. An axis without dimensions has one empty tuple
  // (one row or column); an axis with a dimension that has no categories has none. With two or
  // more dimensions on an axis, tuples that hold no cell are left out.
  explicit TableGrid(const output::Table& table);

  const Axis& Rows() const { return fRows; }
  const Axis& Columns() const { return fColumns; }
  // Layer dimensions and every combination of their leaves; one empty combination without layers.
  const std::vector<const output::Dimension*>& LayerDimensions() const {
    return fLayers.dimensions;
  }
  const std::vector<Tuple>& LayerCombinations() const { return fLayers.tuples; }

  // The cell at layer combination `layer`, row `row` and column `column`, or null.
  const output::Cell* Find(size_t layer, size_t row, size_t column) const;

private:
  Axis MakeAxis(output::Dimension::Place place, bool dimensionLabels) const;
  size_t DimensionIndex(const output::Dimension* dimension) const;

  const output::Table& fTable;
  Axis fRows;
  Axis fColumns;
  Axis fLayers;
};
