// The table a table handle works on, held while the handle lives.
#pragma once

namespace output {
class Table;
}

// A table may change while any handle on it (table, dimension, group or category) lives, so each
// handle holds it (output::Item::Hold): a report written as it grows waits for the table until
// the last handle is gone.
class BpTableRef {
public:
  explicit BpTableRef(output::Table* table);
  BpTableRef(const BpTableRef& other);
  BpTableRef& operator=(const BpTableRef& other);
  ~BpTableRef();

  output::Table* get() const { return fTable; }
  output::Table* operator->() const { return fTable; }
  output::Table& operator*() const { return *fTable; }

private:
  output::Table* fTable;
};
