// A handle on a table: column widths, caption and dimensions.
#pragma once

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
  // Order of categories. Categories always keep the order they were made in; the value only
  // records the caller's wish (kSortNone for split layers, kSortAsMade elsewhere).
  enum Sort { kSortNone = 0, kSortAscending = 1, kSortAsMade = 2 };

  BpPivotTable(const BpPivotTable& other);
  BpPivotTable& operator=(const BpPivotTable& other);
  ~BpPivotTable();

  // Width bounds of data columns in points; negative values are taken as 0 (no bound).
  void MinDataColumnWidth(int width);
  void MaxDataColumnWidth(int width);
  // Sets (or replaces) the caption shown under the table.
  void Caption(const BpCellText& text);
  // Appends a dimension; it is a row dimension until BpDimension::Position says otherwise.
  BpDimension Dimension(const BpCellText& label, int sort);

  const output::Table& Node() const { return *fTable; }

private:
  friend class BpHeading;
  BpPivotTable(std::shared_ptr<BpState> state, output::Table* table);

  std::shared_ptr<BpState> fState;
  output::Table* fTable;
};
