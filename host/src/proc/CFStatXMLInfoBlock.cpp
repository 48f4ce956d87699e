// The record of one result document; it owns its split values.
#include "proc/CFStatXMLInfoBlock.h"

#include <algorithm>
#include <cstring>
#include <utility>

CFStatXMLInfoBlock::CFStatXMLInfoBlock() = default;

CFStatXMLInfoBlock::CFStatXMLInfoBlock(const CFStatXMLInfoBlock& other)
    : fSplitVarIndexes(other.fSplitVarIndexes), fSplitByHeading(other.fSplitByHeading),
      fResultXML(other.fResultXML), fResultRoot(other.fResultRoot),
      fValueStorage(other.fValueStorage) {
  RebuildPointers();
}

CFStatXMLInfoBlock& CFStatXMLInfoBlock::operator=(const CFStatXMLInfoBlock& other) {
  if (this != &other) {
    fSplitVarIndexes = other.fSplitVarIndexes;
    fSplitByHeading = other.fSplitByHeading;
    fResultXML = other.fResultXML;
    fResultRoot = other.fResultRoot;
    fValueStorage = other.fValueStorage;
    RebuildPointers();
  }
  return *this;
}

CFStatXMLInfoBlock::CFStatXMLInfoBlock(CFStatXMLInfoBlock&& other)
    : fSplitVarIndexes(std::move(other.fSplitVarIndexes)), fSplitByHeading(other.fSplitByHeading),
      fResultXML(std::move(other.fResultXML)), fResultRoot(other.fResultRoot),
      fValueStorage(std::move(other.fValueStorage)) {
  RebuildPointers();
  other.RebuildPointers();
}

CFStatXMLInfoBlock& CFStatXMLInfoBlock::operator=(CFStatXMLInfoBlock&& other) {
  if (this != &other) {
    fSplitVarIndexes = std::move(other.fSplitVarIndexes);
    fSplitByHeading = other.fSplitByHeading;
    fResultXML = std::move(other.fResultXML);
    fResultRoot = other.fResultRoot;
    fValueStorage = std::move(other.fValueStorage);
    RebuildPointers();
    other.RebuildPointers();
  }
  return *this;
}

CFStatXMLInfoBlock::~CFStatXMLInfoBlock() = default;

void CFStatXMLInfoBlock::AddSplitValue(int varIndex, double value) {
  std::vector<OBS> units(1);
  units[0].f = value;
  fSplitVarIndexes.push_back(varIndex);
  fValueStorage.push_back(std::move(units));
  RebuildPointers();
}

void CFStatXMLInfoBlock::AddSplitValue(int varIndex, const std::string& value, int type) {
  std::vector<OBS> units(static_cast<std::size_t>(ObsLength(type)));
  char* bytes = units[0].s;
  std::size_t capacity = units.size() * sizeof(OBS);
  std::memset(bytes, ' ', capacity);
  std::memcpy(bytes, value.data(), std::min(value.size(), capacity));
  fSplitVarIndexes.push_back(varIndex);
  fValueStorage.push_back(std::move(units));
  RebuildPointers();
}

// The storage's vectors may move when it grows or is copied; the pointers follow them.
void CFStatXMLInfoBlock::RebuildPointers() {
  fSplitValues.clear();
  for (std::vector<OBS>& units : fValueStorage)
    fSplitValues.push_back(units.data());
}
