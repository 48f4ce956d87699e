// Fixed-point and E-notation texts of numbers, with the fallbacks for a number wider than its
// format: never a cut text.
#include "NumberText.h"

#include "DecimalText.h"

#include <algorithm>
#include <cmath>

namespace {

// 15 significant digits is the most that every double shows without binary noise, so the E
// fallback of a wide format stops there.
constexpr int kMaxFallbackDecimals = 14;

struct FixedChoice {
  bool group;
  bool leadingZero;
};

// Leading zero kept or dropped, grouping on or off, in the order they are given up.
constexpr FixedChoice kFixedChoices[] = {{true, true}, {false, true}, {false, false}};

std::string GroupDigits(const std::string& digits, char group) {
  if (group == 0 || digits.size() <= 3)
    return digits;
  std::string text;
  const std::size_t n = digits.size();
  for (std::size_t i = 0; i < n; ++i) {
    if (i > 0 && (n - i) % 3 == 0)
      text.push_back(group);
    text.push_back(digits[i]);
  }
  return text;
}

std::string FixedForm(const DecimalDigits& exact, bool negative, const NumberStyle& style,
                      int decimals, FixedChoice choice) {
  DecimalDigits rounded = RoundToDecimals(exact, decimals);
  std::string integer = IntegerPart(rounded);
  std::string text;
  // A number that rounds to zero has no sign: "-0.00" would claim a negative value.
  if (negative && !rounded.IsZero())
    text.push_back('-');
  text += style.prefix;
  if (integer != "0" || choice.leadingZero || decimals == 0)
    text += GroupDigits(integer, choice.group ? style.group : 0);
  if (decimals > 0) {
    text.push_back(style.point);
    text += FractionPart(rounded, decimals);
  }
  text += style.suffix;
  return text;
}

std::string ScientificForm(const DecimalDigits& exact, bool negative, int decimals,
                           bool dropTrailingZeros) {
  DecimalDigits rounded = RoundToSignificant(exact, decimals + 1);
  std::string mantissa = rounded.IsZero() ? std::string(1, '0') : rounded.digits;
  mantissa.resize(static_cast<std::size_t>(decimals) + 1, '0');
  if (dropTrailingZeros) {
    std::string::size_type last = mantissa.find_last_not_of('0');
    mantissa.resize(last == std::string::npos ? 1 : last + 1);
  }
  std::string text;
  if (negative && !rounded.IsZero())
    text.push_back('-');
  text.push_back(mantissa[0]);
  if (mantissa.size() > 1) {
    text.push_back('.');
    text.append(mantissa, 1, std::string::npos);
  }
  int exponent = rounded.IsZero() ? 0 : rounded.exponent - 1;
  text.push_back('E');
  text.push_back(exponent < 0 ? '-' : '+');
  std::string digits = std::to_string(std::abs(exponent));
  text.append(digits.size() < 3 ? 3 - digits.size() : 0, '0');
  text += digits;
  return text;
}

} // namespace

std::string Asterisks(int width) {
  return std::string(static_cast<std::size_t>(std::max(width, 0)), '*');
}

std::string FixedText(double value, const NumberStyle& style, int width, int decimals) {
  const DecimalDigits exact = ExactDigits(value);
  const bool negative = std::signbit(value);
  const std::size_t limit = static_cast<std::size_t>(std::max(width, 0));
  // More decimals than the width can hold never fit; start where a text might.
  for (int d = std::min(decimals, width); d >= 0; --d) {
    for (FixedChoice choice : kFixedChoices) {
      std::string text = FixedForm(exact, negative, style, d, choice);
      if (text.size() <= limit)
        return text;
    }
  }
  for (int d = kMaxFallbackDecimals; d >= 0; --d) {
    std::string text = ScientificForm(exact, negative, d, true);
    if (text.size() <= limit)
      return text;
  }
  return Asterisks(width);
}

std::string ScientificText(double value, int width, int decimals) {
  const DecimalDigits exact = ExactDigits(value);
  const bool negative = std::signbit(value);
  for (int d = std::min(decimals, width); d >= 0; --d) {
    std::string text = ScientificForm(exact, negative, d, false);
    if (text.size() <= static_cast<std::size_t>(std::max(width, 0)))
      return text;
  }
  return Asterisks(width);
}
