// Texts of numbers in the fixed-point display formats (F, COMMA, DOT, DOLLAR, PCT) and in E
// notation. Private to the dictionary service.
#pragma once

#include <string>

// How a fixed-point format writes a number: grouping character (none when 0), decimal point,
// and the texts before and after the digits.
struct NumberStyle {
  char group;
  char point;
  const char* prefix;
  const char* suffix;
};

// `value` (finite) in the style, at most `width` characters. When the full form is too wide the
// grouping goes first, then a leading zero before the point, then decimals one by one; then the
// value is written in E notation, and when even that does not fit, as `width` asterisks.
std::string FixedText(double value, const NumberStyle& style, int width, int decimals);

// `value` (finite) as "-1.235E+003" with at most `decimals` decimals, fewer when the width needs
// it, or `width` asterisks when no decimals fit.
std::string ScientificText(double value, int width, int decimals);

// `width` asterisks.
std::string Asterisks(int width);
