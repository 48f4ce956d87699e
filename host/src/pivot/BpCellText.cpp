// Anchor of the cell texts' vtable, and their plain text.
#include "pivot/BpCellText.h"

#include "output/Label.h"

BpCellText::~BpCellText() = default;

std::string BpCellText::PlainText(const FacSTDictionary* strings) const {
  return ToLabel(strings).Text();
}
