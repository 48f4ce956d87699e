// A handle on a node of a dimension's category tree: a group, or the dimension itself.
#pragma once

#include "output/ItemHold.h"
#include "pivot/BpAnnotation.h"
#include "pivot/BpCellText.h"

#include <memory>

namespace output {
class Category;
class Dimension;
class Table;
} // namespace output
class BpCategory;
struct BpState;

// Naming a group or category again with an equal label (kind, key, text, raw values and items)
// under the same node gives the same group or category.
class BpGroup {
public:
  BpGroup(const BpGroup& other);
  BpGroup& operator=(const BpGroup& other);
  virtual ~BpGroup();

  // The subgroup with this label. `showLabel` false hides the group's label; `sort` as in
  // BpPivotTable::Sort.
  BpGroup Group(const BpCellText& label, bool showLabel, int sort);
  // The category with this label; it becomes the dimension's latest category, the one that cells
  // written on other dimensions go to.
  BpCategory Category(const BpCellText& label);
  // A note on the group's (or dimension's) label.
  void Note(const BpAnnotation& note);

protected:
  BpGroup(std::shared_ptr<BpState> state, output::Table* table, output::Dimension* dimension,
          output::Category* node);
  const std::shared_ptr<BpState>& State() const { return fState; }
  output::Table* TableNode() const { return fTable.get(); }
  output::Dimension* DimensionNode() const { return fDimension; }

private:
  std::shared_ptr<BpState> fState;
  output::ItemHold<output::Table> fTable;
  output::Dimension* fDimension;
  output::Category* fNode;
};
