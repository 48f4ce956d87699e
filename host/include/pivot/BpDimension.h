// A handle on a dimension of a table; also usable as its top-level group.
#pragma once

#include "pivot/BpGroup.h"

class BpDimension : public BpGroup {
public:
  enum Place { kRow = 0, kColumn = 1, kLayer = 2 };
  // The level of a dimension nested in no other of its place.
  enum Level { kOutermost = 1 };

  ~BpDimension() override;
  BpDimension(const BpDimension& other);
  BpDimension& operator=(const BpDimension& other);

  // Places the dimension: kRow, kColumn or kLayer (an unknown place is taken as kRow); a
  // dimension made with BpPivotTable::kSortNone stays a layer whatever `place` says. `level`
  // orders dimensions of the same place (kOutermost = 1 first). `hideLabel` hides the dimension's
  // own label: the summary tables hide "Item" and "Statistics", while the pairwise rows show
  // "Sample 1-Sample 2" and the subsets show "Subset" over their numbers. `reserved` is accepted
  // for the callers' sake and has no effect.
  void Position(int place, int level, bool hideLabel, bool reserved);

private:
  friend class BpPivotTable;
  BpDimension(std::shared_ptr<BpState> state, output::Table* table, output::Dimension* dimension);
};
