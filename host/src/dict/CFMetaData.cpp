// Dictionary metadata: an ordered list of fields.
#include "dict/CFMetaData.h"

#include "proc/CFAssert.h"

CFMetaData::CFMetaData(const void* source) {
  CF_ASSERT(source == nullptr, "CFMetaData", "host/src/dict/CFMetaData");
}

CFMetaData::~CFMetaData() = default;

const CFField* CFMetaData::GetField(int index) const {
  if (index < 0 || index >= FieldCount())
    return nullptr;
  return &fFields[static_cast<std::size_t>(index)];
}

int CFMetaData::FindField(const std::string& name) const {
  for (std::size_t i = 0; i < fFields.size(); ++i)
    if (fFields[i].GetName() == name)
      return static_cast<int>(i);
  return -1;
}
