// Counted holds on a table by its handles.
#include "pivot/BpTableRef.h"

#include "output/Table.h"

BpTableRef::BpTableRef(output::Table* table) : fTable(table) {
  if (fTable != nullptr)
    fTable->Hold();
}

BpTableRef::BpTableRef(const BpTableRef& other) : BpTableRef(other.fTable) {}

BpTableRef& BpTableRef::operator=(const BpTableRef& other) {
  if (other.fTable != nullptr)
    other.fTable->Hold();
  if (fTable != nullptr)
    fTable->Unhold();
  fTable = other.fTable;
  return *this;
}

BpTableRef::~BpTableRef() {
  if (fTable != nullptr)
    fTable->Unhold();
}
