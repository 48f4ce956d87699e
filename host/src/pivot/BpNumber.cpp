// Number cells.
#include "pivot/BpNumber.h"

#include "output/Label.h"
#include "output/NumberDisplay.h"
#include "text/VORN_SystemMissing.h"

#include <cmath>

BpNumber::BpNumber(double value, const BpFormat& format) : fValue(value), fFormat(format) {}

BpNumber::~BpNumber() = default;

std::unique_ptr<BpCellText> BpNumber::Clone() const {
  return std::make_unique<BpNumber>(*this);
}

output::Label BpNumber::ToLabel(const FacSTDictionary*) const {
  std::optional<double> raw;
  if (fValue != VORN_SystemMissing() && std::isfinite(fValue)) {
    raw = fValue;
  }
  const output::NumberFormat format = fFormat.ToNumberFormat();
  return output::Label::Number(raw, format, output::FormatNumber(fValue, format));
}
