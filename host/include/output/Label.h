// A text of the output as the procedure handed it over: its kind, the shown text and everything
// it was made from (key, raw number, variable, data value, items), so that a program reading the
// output gets more than the shown text.
#pragma once

#include "output/NumberFormat.h"

#include <optional>
#include <string>
#include <vector>

namespace output {

enum class LabelKind {
  kString,    // a plain or translatable text
  kNumber,    // a number with its format
  kVariable,  // a variable of the data dictionary
  kValue,     // a data value of a variable
  kComposite, // a format text with numbered items
  kList,      // a sublist inside a composite; only ever an item of a composite
};

// "string", "number", "variable", "value", "composite", "list".
const char* LabelKindName(LabelKind kind);

// How a run of a rich text is set. Text output drops the styles; HTML and JSON keep them.
enum class TextStyle { kPlain, kItalic, kSubscript, kSuperscript };

// "plain", "italic", "subscript", "superscript".
const char* TextStyleName(TextStyle style);

// A stretch of a label's text in one style.
struct TextRun {
  std::string text;
  TextStyle style = TextStyle::kPlain;
  bool operator==(const TextRun& other) const { return text == other.text && style == other.style; }
};

// A value type: copyable, owns all of its texts and items. Built by the pivot builder; the
// writers only read it. Texts are UTF-8 and kept verbatim (no escaping: that is the writers' job).
class Label {
public:
  // An empty plain text.
  Label() = default;

  // A plain text (no key).
  static Label PlainText(std::string text);
  // A translatable text: `key` is the string-table key, `shown` its translation. `untranslated`
  // says the table had no entry, so `shown` equals the key.
  static Label Translated(std::string key, std::string shown, bool untranslated);
  // A number; nullopt marks the system-missing value. `shown` is the number as displayed.
  static Label Number(std::optional<double> value, const NumberFormat& format, std::string shown);
  // A variable shown as `shown` (its name, label or both).
  static Label Variable(std::string name, std::string variableLabel, std::string shown);
  // A data value of a variable: a number (nullopt for system-missing) ...
  static Label NumericValue(std::string variable, std::optional<double> value,
                            std::string printFormat, std::string shown);
  // ... or a string value.
  static Label StringValue(std::string variable, std::string value, std::string shown);
  // A composite: `format` is the format text before translation, `shown` the text composed from
  // the translated format and the items.
  static Label Composite(std::string format, std::string shown, bool translatable,
                         bool untranslated, std::vector<Label> items);
  // A sublist of a composite.
  static Label List(std::vector<Label> items, std::string shown);

  LabelKind Kind() const { return fKind; }
  // What a reader sees.
  const std::string& Text() const { return fText; }
  // The untranslated key of a translatable text, the format of a composite (translatable or
  // not), nullopt for every other label.
  const std::optional<std::string>& Key() const { return fKey; }
  // True for a translatable text or composite format whose key had no entry in the string table:
  // Text() then shows the key itself (with a composite's items filled in).
  bool Untranslated() const { return fUntranslated; }
  // True when the key (or composite format) went through the string table.
  bool Translatable() const { return fTranslatable; }

  // kNumber: the raw number; kValue: the number of a numeric data value. nullopt for the
  // system-missing value and for every other kind.
  const std::optional<double>& Number() const { return fNumber; }
  // kValue of a string variable: the value, trailing blanks removed.
  const std::optional<std::string>& StringValue() const { return fStringValue; }
  // kNumber: the number's format.
  const NumberFormat& Format() const { return fFormat; }
  // kValue of a numeric variable: the variable's print format ("F8.2"); empty otherwise.
  const std::string& PrintFormat() const { return fPrintFormat; }
  // kVariable and kValue: the variable's name; empty otherwise.
  const std::string& VariableName() const { return fVariable; }
  // kVariable: the variable's label (empty when it has none).
  const std::string& VariableLabel() const { return fVariableLabel; }
  // kComposite and kList: the items in the order they were added.
  const std::vector<Label>& Items() const { return fItems; }

  // A rich text's runs, whose texts joined are Text(); empty for a text without styles (the
  // common case), which is then one plain run.
  const std::vector<TextRun>& Runs() const { return fRuns; }
  // Sets the runs; they must join to Text() (the caller's contract: the writers trust it).
  void SetRuns(std::vector<TextRun> runs) { fRuns = std::move(runs); }

  // The text a cell path shows for this label: the key of a translatable text without items (so
  // paths do not change with the language), the shown text otherwise.
  const std::string& PathText() const;

  // Equal in full: kind, key, text, raw values and items. Two categories with equal labels are
  // the same category.
  bool operator==(const Label& other) const;
  bool operator!=(const Label& other) const { return !(*this == other); }

private:
  LabelKind fKind = LabelKind::kString;
  std::string fText;
  std::optional<std::string> fKey;
  bool fUntranslated = false;
  bool fTranslatable = false;
  std::optional<double> fNumber;
  std::optional<std::string> fStringValue;
  NumberFormat fFormat;
  std::string fPrintFormat;
  std::string fVariable;
  std::string fVariableLabel;
  std::vector<Label> fItems;
  std::vector<TextRun> fRuns;
};

} // namespace output
