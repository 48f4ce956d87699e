// A handle on a table: column widths, caption and dimensions.
#pragma once

#include "output/ItemHold.h"
#include "pivot/BpCellText.h"

#include <memory>

namespace output {
class Table;
}
class BpDimension;
struct BpState;

// Releasing the handle leaves the table in the output.
class BpPivotTable {
public:
  // Categories always keep the order they were made in. kSortNone marks a layer dimension: the
  // split variables are made so, one category each, and writers show them above the table.
  // Any other value makes a row dimension until BpDimension::Position places it.
  enum Sort { kSortNone = 0, kSortAscending = 1, kSortAsMade = 2 };

  BpPivotTable(const BpPivotTable& other);
  BpPivotTable& operator=(const BpPivotTable& other);
  ~BpPivotTable();

  // Width bounds of data columns in points; negative values are taken as 0 (no bound).
  void MinDataColumnWidth(int width);
  void MaxDataColumnWidth(int width);
  // Sets (or replaces) the caption shown under the table.
  void Caption(const BpCellText& text);
  // Appends a dimension: a layer for kSortNone, else a row dimension until placed.
  BpDimension Dimension(const BpCellText& label, int sort);

  const output::Table& Node() const { return *fTable; }

private:
  friend class BpHeading;
  BpPivotTable(std::shared_ptr<BpState> state, output::Table* table);

  std::shared_ptr<BpState> fState;
  output::ItemHold<output::Table> fTable;
};
