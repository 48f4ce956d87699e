// How numbers of the output are written: one place that decides decimals, the "<.001" of
// significances and the "." of the system-missing value. Locale-independent: always a point as
// decimal separator, no grouping. docs/number-display.md explains the choices.
#pragma once

#include "output/NumberFormat.h"

#include <string>

namespace output {

// The number as shown in a table. The system-missing value, NaN and infinities are ".".
// Never throws.
std::string FormatNumber(double value, const NumberFormat& format);

// The decimals the value needs to be written exactly as its shortest round-trip form, at most
// `maxDecimals` (used for SigDigit formats): 95 -> 0, 99.5 -> 1, 0.125 -> 3.
int DecimalsNeeded(double value, int maxDecimals = 10);

// Fixed notation with exactly `decimals` digits after the point (0 to 16), "-" dropped when the
// written number is zero.
std::string FormatFixed(double value, int decimals);

} // namespace output
