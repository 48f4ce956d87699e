// What every handle of one procedure's output shares: the document, the string table, the data
// source and which headings have live handles.
#pragma once

#include "output/Document.h"
#include "pivot/BpCellText.h"

#include <cstddef>
#include <vector>

class FacSTDictionary;
class VORN_DataSource;

struct BpState {
  output::Document* document = nullptr;
  const FacSTDictionary* strings = nullptr;
  const VORN_DataSource* dataSource = nullptr;

  // The headings with live handles, in the order they were made. A heading's handles are counted
  // by the heading itself (output::Item::Hold); once none is left, no handle can come back.
  std::vector<output::Heading*> headings;

  void Retain(output::Heading* node);
  void Release(output::Heading* node);
  // The most recently made heading with a live handle; null when none.
  output::Heading* LatestLiveHeading() const;

  output::Label Resolve(const BpCellText& text) const { return text.ToLabel(strings); }
  // A note's label with its footnote mark in `table`.
  output::Note MakeNote(output::Table& table, const BpCellText& text) const;
};
