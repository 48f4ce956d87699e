// Exact decimal digits of a double and their rounding, half away from zero, for the numeric and
// time display formats. Private to the dictionary service.
#pragma once

#include <string>

// A non-negative number as 0.digits x 10^exponent: `digits` has no leading or trailing zeros,
// and is empty for zero.
struct DecimalDigits {
  std::string digits;
  int exponent = 0;

  bool IsZero() const { return digits.empty(); }
};

// The exact decimal value of |value| (every double has a finite decimal expansion). `value` must
// be finite.
DecimalDigits ExactDigits(double value);

// Rounds to `count` significant digits, half away from zero (a digit 5 followed by nothing is a
// tie and rounds up, since the digits are exact). A count of 0 or less keeps at most a carry.
DecimalDigits RoundToSignificant(const DecimalDigits& number, int count);
// Rounds to `decimals` digits after the point, half away from zero.
DecimalDigits RoundToDecimals(const DecimalDigits& number, int decimals);

// The integer part as decimal text without leading zeros ("0" for a number below 1).
std::string IntegerPart(const DecimalDigits& number);
// The first `decimals` digits after the point, padded with zeros.
std::string FractionPart(const DecimalDigits& number, int decimals);
