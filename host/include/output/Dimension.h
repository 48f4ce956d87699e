// A dimension of a table: rows, columns or a layer, with its tree of groups and categories.
#pragma once

#include "output/Category.h"
#include "output/Label.h"

namespace output {

class Dimension {
public:
  // Where a dimension is shown. Layers are shown above the table, one category at a time.
  enum class Place { kRow, kColumn, kLayer };

  explicit Dimension(Label label);
  ~Dimension();
  Dimension(const Dimension&) = delete;
  Dimension& operator=(const Dimension&) = delete;

  const Label& GetLabel() const { return fRoot.GetLabel(); }
  // Dimensions are rows until placed.
  Place GetPlace() const { return fPlace; }
  // Nesting level among the dimensions of the same place (1 = outermost), as the builder gave it.
  int Level() const { return fLevel; }
  // Whether writers show the dimension's own label.
  bool ShowsLabel() const { return fShowsLabel; }
  void SetPlacement(Place place, int level, bool showsLabel);

  // The dimension itself as a node: its label, its notes and its top-level categories.
  const Category& Root() const { return fRoot; }
  Category& Root() { return fRoot; }
  // Top-level groups and categories in creation order.
  const std::vector<std::unique_ptr<Category>>& Categories() const { return fRoot.Children(); }

  // The category that cells written on another dimension go to: the one most recently made or
  // named again; null while the dimension has none.
  const Category* Latest() const { return fLatest; }
  void SetLatest(const Category* category) { fLatest = category; }

private:
  Category fRoot;
  Place fPlace = Place::kRow;
  int fLevel = 1;
  bool fShowsLabel = true;
  const Category* fLatest = nullptr;
};

// "row", "column", "layer".
const char* PlaceName(Dimension::Place place);

} // namespace output
