// A note: a copy of a cell text that becomes a footnote of the table it is attached to.
#pragma once

#include "pivot/BpCellText.h"

#include <memory>

class BpAnnotation {
public:
  // Copies `text`; the annotation owns the copy.
  explicit BpAnnotation(const BpCellText& text);
  BpAnnotation(const BpAnnotation& other);
  BpAnnotation& operator=(const BpAnnotation& other);
  ~BpAnnotation();

  const BpCellText& Text() const { return *fText; }

private:
  std::unique_ptr<BpCellText> fText;
};
