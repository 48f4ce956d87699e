// The base of every text the pivot builder accepts for a heading, title, category, cell or note.
#pragma once

#include <memory>
#include <string>

class FacSTDictionary;
namespace output {
class Label;
}

// Cell texts are plain values: the builder copies what it needs when a text is used, so a text
// may be deleted right after the call that used it. Not thread-safe; no method throws.
class BpCellText {
public:
  virtual ~BpCellText();

  // A copy of the same dynamic type; the caller owns it.
  virtual std::unique_ptr<BpCellText> Clone() const = 0;
  // The label the text shows as. Translatable texts are looked up in `strings`; with null
  // strings they are shown as their keys and marked untranslated.
  virtual output::Label ToLabel(const FacSTDictionary* strings) const = 0;
  // The shown text without styles, as a text report writes it (ToLabel's text).
  std::string PlainText(const FacSTDictionary* strings) const;

protected:
  BpCellText() = default;
  BpCellText(const BpCellText&) = default;
  BpCellText& operator=(const BpCellText&) = default;
};
