// A handle on a dimension of a table; also usable as its top-level group.
#pragma once

#include "pivot/BpGroup.h"

class BpDimension : public BpGroup {
public:
  enum Place { kRow = 0, kColumn = 1, kLayer = 2 };

  ~BpDimension() override;
  BpDimension(const BpDimension& other);
  BpDimension& operator=(const BpDimension& other);

  // Places the dimension. `level` orders dimensions of the same place (1 = outermost). `inTable`
  // false puts the dimension among the layers whatever `place` says (the split variables are
  // placed so); `hideLabel` true asks writers not to show the dimension's label. An unknown
  // place is taken as kRow.
  void Position(int place, int level, bool inTable, bool hideLabel);

private:
  friend class BpPivotTable;
  BpDimension(std::shared_ptr<BpState> state, output::Table* table, output::Dimension* dimension);
};
