// The metadata of a dictionary: its fields in order.
#pragma once

#include "dict/CFField.h"

#include <vector>

class CFMetaData {
public:
  // The argument names a source of metadata in the host; this host builds metadata field by
  // field, so it must be null.
  explicit CFMetaData(const void* source = nullptr);
  virtual ~CFMetaData();

  void AppendField(const CFField& field) { fFields.push_back(field); }
  int FieldCount() const { return static_cast<int>(fFields.size()); }
  // The field at an index, or null when the index is out of range.
  const CFField* GetField(int index) const;
  // Index of the field of that name (exact comparison), or -1.
  int FindField(const std::string& name) const;

private:
  std::vector<CFField> fFields;
};
