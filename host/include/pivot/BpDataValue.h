// A data value of a variable as a cell text: written in the variable's print format, or shown by
// its value label.
#pragma once

#include "dict/VORN_Variable.h"
#include "pivot/BpCellText.h"

#include <optional>
#include <string>

union OBS;

class BpDataValue : public BpCellText {
public:
  // Value or label.
  enum Preference {
    kPreferValue = 0,         // the value in the print format ("2.00")
    kPreferValueAndLabel = 1, // "2.00 Female", or the value alone when it has no label
    kPreferLabel = 2,         // the label ("Female"), or the value when it has no label
  };

  // A number of a numeric variable; the system-missing value is shown ".".
  BpDataValue(const VORN_Variable& variable, double value, int preference);
  // A text of a string variable (trailing blanks do not count).
  BpDataValue(const VORN_Variable& variable, const std::string& value, int preference);
  // A case value: ObsLength(variable.GetType()) units at `value`, read as the variable's type.
  // Null `value` is the system-missing value (numbers) or an empty text (strings).
  BpDataValue(const VORN_Variable& variable, const OBS* value, int preference);
  ~BpDataValue() override;

  std::unique_ptr<BpCellText> Clone() const override;
  output::Label ToLabel(const FacSTDictionary* strings) const override;

private:
  // Looks up the value's label once; then nothing of the variable is needed but its name and
  // format. Copies, since texts outlive the dictionary calls that made them; but only of what this
  // value shows, so that a table of n values of a variable with k labels holds n labels, not n
  // copies of k.
  void TakeLabel(const VORN_Variable& variable);

  std::string fName;
  VORN_Format fFormat;
  std::optional<double> fNumber;
  std::string fText;
  std::optional<std::string> fLabel; // the value's label, when it has one
  Preference fPreference;
};
