// Axes of a pivot table: products of the leaf categories of the dimensions placed on each side.
#include "render/TableGrid.h"

#include "output/Table.h"

#include <algorithm>
#include <set>

using namespace output;

namespace {

// More rows than any reader could use; the cap keeps a pathological product from exhausting
// memory.
constexpr size_t kMaxTuples = 100000;

std::vector<const Category*> ShownGroupsAbove(const Category& leaf) {
  std::vector<const Category*> groups;
  for (const Category* node : leaf.PathFromTop())
    if (node != &leaf && node->IsGroup() && node->ShowsLabel())
      groups.push_back(node);
  return groups;
}

size_t Depth(const Dimension& dimension, bool withLabel) {
  size_t depth = 1;
  for (const Category* leaf : dimension.Root().Leaves())
    depth = std::max(depth, ShownGroupsAbove(*leaf).size() + 1);
  return depth + (withLabel ? 1 : 0);
}

} // namespace

bool TableGrid::Axis::SameUpTo(size_t a, size_t b, size_t level) const {
  for (size_t l = 0; l <= level; ++l)
    if (paths[a][l] != paths[b][l])
      return false;
  return true;
}

TableGrid::TableGrid(const Table& table) : fTable(table) {
  fRows = MakeAxis(Dimension::Place::kRow, false);
  fColumns = MakeAxis(Dimension::Place::kColumn, true);
  fLayers = MakeAxis(Dimension::Place::kLayer, false);
}

size_t TableGrid::DimensionIndex(const Dimension* dimension) const {
  const auto& all = fTable.Dimensions();
  for (size_t i = 0; i < all.size(); ++i)
    if (all[i].get() == dimension)
      return i;
  return all.size();
}

TableGrid::Axis TableGrid::MakeAxis(Dimension::Place place, bool dimensionLabels) const {
  Axis axis;
  for (const auto& dimension : fTable.Dimensions())
    if (dimension->GetPlace() == place)
      axis.dimensions.push_back(dimension.get());
  std::stable_sort(axis.dimensions.begin(), axis.dimensions.end(),
                   [](const Dimension* a, const Dimension* b) { return a->Level() < b->Level(); });

  axis.tuples.emplace_back();
  for (const Dimension* dimension : axis.dimensions) {
    std::vector<Tuple> longer;
    for (const Tuple& tuple : axis.tuples)
      for (const Category* leaf : dimension->Root().Leaves()) {
        if (longer.size() == kMaxTuples)
          break;
        longer.push_back(tuple);
        longer.back().push_back(leaf);
      }
    axis.tuples = std::move(longer);
  }

  // A row that no cell uses and no note marks says nothing (the procedure names some categories
  // only to hang notes on them, and may then put none there); it is left out of the grid.
  if (place == Dimension::Place::kRow && axis.dimensions.size() == 1) {
    const size_t index = DimensionIndex(axis.dimensions[0]);
    std::set<const Category*> used;
    for (const Cell& cell : fTable.Cells())
      if (index < cell.categories.size())
        used.insert(cell.categories[index]);
    axis.tuples.erase(std::remove_if(axis.tuples.begin(), axis.tuples.end(),
                                     [&](const Tuple& t) {
                                       return used.count(t[0]) == 0 && t[0]->Notes().empty();
                                     }),
                      axis.tuples.end());
  }
  if (axis.dimensions.size() >= 2) {
    std::set<Tuple> used;
    for (const Cell& cell : fTable.Cells()) {
      Tuple key;
      for (const Dimension* dimension : axis.dimensions) {
        const size_t index = DimensionIndex(dimension);
        key.push_back(index < cell.categories.size() ? cell.categories[index] : nullptr);
      }
      used.insert(std::move(key));
    }
    axis.tuples.erase(std::remove_if(axis.tuples.begin(), axis.tuples.end(),
                                     [&](const Tuple& t) { return used.count(t) == 0; }),
                      axis.tuples.end());
  }

  std::vector<size_t> depths;
  for (const Dimension* dimension : axis.dimensions)
    depths.push_back(Depth(*dimension, dimensionLabels && dimension->ShowsLabel()));
  for (const Tuple& tuple : axis.tuples) {
    Tuple path;
    for (size_t d = 0; d < tuple.size(); ++d) {
      const size_t start = path.size();
      if (dimensionLabels && axis.dimensions[d]->ShowsLabel())
        path.push_back(&axis.dimensions[d]->Root());
      for (const Category* group : ShownGroupsAbove(*tuple[d]))
        path.push_back(group);
      path.resize(start + depths[d], tuple[d]);
    }
    axis.paths.push_back(std::move(path));
  }
  return axis;
}

const Cell* TableGrid::Find(size_t layer, size_t row, size_t column) const {
  Tuple categories(fTable.Dimensions().size(), nullptr);
  auto place = [&](const Axis& axis, size_t at) {
    for (size_t d = 0; d < axis.dimensions.size(); ++d) {
      const size_t index = DimensionIndex(axis.dimensions[d]);
      if (index < categories.size())
        categories[index] = axis.tuples[at][d];
    }
  };
  place(fLayers, layer);
  place(fRows, row);
  place(fColumns, column);
  return fTable.FindCell(categories);
}
