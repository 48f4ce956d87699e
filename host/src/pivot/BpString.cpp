// Text cells, translated through the string table when they are keys.
#include "pivot/BpString.h"

#include "output/Label.h"
#include "strings/FacSTDictionary.h"

BpString::BpString(std::string text, bool translatable)
    : fText(std::move(text)), fTranslatable(translatable) {}

BpString::~BpString() = default;

std::unique_ptr<BpCellText> BpString::Clone() const {
  return std::make_unique<BpString>(*this);
}

output::Label BpString::ToLabel(const FacSTDictionary* strings) const {
  if (!fTranslatable) {
    return output::Label::PlainText(fText);
  }
  bool found = false;
  std::string shown = strings != nullptr ? strings->Translate(fText, found) : fText;
  return output::Label::Translated(fText, std::move(shown), !found);
}
