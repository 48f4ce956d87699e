// The host's record of one result document: the engine's XML text and, for split files, the
// group's split variables, their values and how split output is laid out.
#pragma once

#include "dict/OBS.h"

#include <string>
#include <vector>

class SDOMXMLWrapper;

class CFStatXMLInfoBlock {
public:
  CFStatXMLInfoBlock();
  // Copies re-point fSplitValues at the copy's own storage.
  CFStatXMLInfoBlock(const CFStatXMLInfoBlock& other);
  CFStatXMLInfoBlock& operator=(const CFStatXMLInfoBlock& other);
  // Moves take the text without copying it.
  CFStatXMLInfoBlock(CFStatXMLInfoBlock&& other);
  CFStatXMLInfoBlock& operator=(CFStatXMLInfoBlock&& other);
  virtual ~CFStatXMLInfoBlock();

  // Appends a split variable with the group's value; the block keeps the value and points
  // fSplitValues at it. A string value is blank-padded to `type` (its string width).
  void AddSplitValue(int varIndex, double value);
  void AddSplitValue(int varIndex, const std::string& value, int type);

  // Dictionary indexes of the split variables of this group.
  std::vector<int> fSplitVarIndexes;
  // The group's value of each split variable, in the same order; owned by the block.
  std::vector<OBS*> fSplitValues;
  // True: each group's output stands under its own heading; false: split variables become layers.
  bool fSplitByHeading = true;
  // The engine's result document.
  std::string fResultXML;
  // The same document already loaded by the host, or null. When set, the reader reads this tree
  // and leaves fResultXML alone, so a document is parsed once. Borrowed: it outlives the block's
  // use.
  SDOMXMLWrapper* fResultRoot = nullptr;

private:
  void RebuildPointers();
  std::vector<std::vector<OBS>> fValueStorage;
};
