// Data values as cell texts: print format and value labels of the variable.
#include "pivot/BpDataValue.h"

#include "dict/OBS.h"
#include "output/Label.h"
#include "text/VORN_SystemMissing.h"

#include <cmath>

namespace {

BpDataValue::Preference ToPreference(int preference) {
  switch (preference) {
  case BpDataValue::kPreferValue:
    return BpDataValue::kPreferValue;
  case BpDataValue::kPreferValueAndLabel:
    return BpDataValue::kPreferValueAndLabel;
  default:
    return BpDataValue::kPreferLabel;
  }
}

std::string TrimTrailingBlanks(std::string text) {
  text.erase(text.find_last_not_of(' ') + 1);
  return text;
}

std::string Combine(const std::string& value, const std::string* label,
                    BpDataValue::Preference preference) {
  if (label == nullptr || label->empty()) {
    return value;
  }
  switch (preference) {
  case BpDataValue::kPreferValue:
    return value;
  case BpDataValue::kPreferValueAndLabel:
    return value + " " + *label;
  case BpDataValue::kPreferLabel:
    return *label;
  }
  return value;
}

} // namespace

BpDataValue::BpDataValue(const VORN_Variable& variable, double value, int preference)
    : fName(variable.GetName()), fFormat(variable.GetFormat()), fNumber(value),
      fPreference(ToPreference(preference)) {
  TakeLabel(variable);
}

BpDataValue::BpDataValue(const VORN_Variable& variable, const std::string& value, int preference)
    : fName(variable.GetName()), fFormat(variable.GetFormat()), fText(TrimTrailingBlanks(value)),
      fPreference(ToPreference(preference)) {
  TakeLabel(variable);
}

BpDataValue::BpDataValue(const VORN_Variable& variable, const OBS* value, int preference)
    : fName(variable.GetName()), fFormat(variable.GetFormat()),
      fPreference(ToPreference(preference)) {
  if (!variable.IsString()) {
    fNumber = value != nullptr ? value->f : VORN_SystemMissing();
  } else if (value != nullptr) {
    std::size_t width = static_cast<std::size_t>(variable.GetType());
    fText = TrimTrailingBlanks(std::string(value->s, width).c_str());
  }
  TakeLabel(variable);
}

void BpDataValue::TakeLabel(const VORN_Variable& variable) {
  const VORN_ValueLabelMap& labels = variable.GetValueLabels();
  const std::string* label = nullptr;
  if (!fNumber)
    label = labels.Find(fText);
  else if (*fNumber != VORN_SystemMissing())
    label = labels.Find(*fNumber);
  if (label != nullptr)
    fLabel = *label;
}

BpDataValue::~BpDataValue() = default;

std::unique_ptr<BpCellText> BpDataValue::Clone() const {
  return std::make_unique<BpDataValue>(*this);
}

output::Label BpDataValue::ToLabel(const FacSTDictionary*) const {
  const std::string* label = fLabel ? &*fLabel : nullptr;
  if (!fNumber) {
    std::string shown = Combine(fText, label, fPreference);
    return output::Label::StringValue(fName, fText, std::move(shown));
  }
  double number = *fNumber;
  bool missing = number == VORN_SystemMissing();
  std::string valueText = missing ? "." : FormatValue(number, fFormat);
  std::optional<double> raw;
  if (!missing && std::isfinite(number)) {
    raw = number;
  }
  return output::Label::NumericValue(fName, raw, fFormat.ToText(),
                                     Combine(valueText, label, fPreference));
}
