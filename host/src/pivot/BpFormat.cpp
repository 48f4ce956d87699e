// The builder's number format: the output document's format, carried as plain numbers.
#include "pivot/BpFormat.h"

#include "output/NumberFormat.h"

BpFormat::BpFormat() : BpFormat(output::NumberFormat()) {}

BpFormat::BpFormat(const output::NumberFormat& format)
    : fKind(static_cast<int>(format.GetKind())), fDecimals(format.Decimals()) {}

output::NumberFormat BpFormat::ToNumberFormat() const {
  return output::NumberFormat(static_cast<output::NumberFormat::Kind>(fKind), fDecimals);
}
