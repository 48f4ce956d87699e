// A text cell: a string-table key (translatable) or a plain text shown as it is.
#pragma once

#include "pivot/BpCellText.h"

#include <string>

class BpString : public BpCellText {
public:
  // `translatable` true: `text` is a key of the procedure's string table.
  BpString(std::string text, bool translatable);
  ~BpString() override;

  std::unique_ptr<BpCellText> Clone() const override;
  output::Label ToLabel(const FacSTDictionary* strings) const override;

  const std::string& Text() const { return fText; }
  bool IsTranslatable() const { return fTranslatable; }

private:
  std::string fText;
  bool fTranslatable;
};
