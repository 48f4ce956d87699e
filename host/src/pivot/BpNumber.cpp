// Number cells.
#include "pivot/BpNumber.h"

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
  return output::Label::Number(raw, fFormat, output::FormatNumber(fValue, fFormat));
}
