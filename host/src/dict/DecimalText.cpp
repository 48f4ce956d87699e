// Exact decimal expansion through std::to_chars, which is locale-independent and prints every
// requested digit exactly; the rounding is then done on the digits, so ties are real ties.
#include "DecimalText.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace {

// Enough digits after the point for the exact expansion of any double (the smallest subnormal
// has 767 significant digits).
constexpr int kExactPrecision = 766;

} // namespace

DecimalDigits ExactDigits(double value) {
  DecimalDigits result;
  if (value == 0 || !std::isfinite(value))
    return result;
  char buffer[kExactPrecision + 16];
  std::to_chars_result printed = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                               std::chars_format::scientific, kExactPrecision);
  if (printed.ec != std::errc())
    return result; // cannot happen with this buffer; zero is better than reading past it
  // "d.ddd...e±xx"
  const char* e = buffer;
  while (e != printed.ptr && *e != 'e')
    ++e;
  result.digits.reserve(static_cast<std::size_t>(e - buffer));
  for (const char* p = buffer; p != e; ++p) {
    if (*p != '.')
      result.digits.push_back(*p);
  }
  int exponent = 0;
  std::from_chars(e + 1 + (e[1] == '+' ? 1 : 0), printed.ptr, exponent);
  std::string::size_type last = result.digits.find_last_not_of('0');
  result.digits.resize(last + 1);
  result.exponent = exponent + 1;
  return result;
}

DecimalDigits RoundToSignificant(const DecimalDigits& number, int count) {
  if (count >= static_cast<int>(number.digits.size()))
    return number;
  if (count < 0)
    return DecimalDigits{};
  DecimalDigits result = number;
  const bool roundUp = number.digits[static_cast<std::size_t>(count)] >= '5';
  result.digits.resize(static_cast<std::size_t>(count));
  if (roundUp) {
    int i = count - 1;
    while (i >= 0 && result.digits[static_cast<std::size_t>(i)] == '9') {
      result.digits[static_cast<std::size_t>(i)] = '0';
      --i;
    }
    if (i >= 0) {
      ++result.digits[static_cast<std::size_t>(i)];
    } else {
      // 0.999 -> 1.000: one more integer digit.
      result.digits.insert(result.digits.begin(), '1');
      ++result.exponent;
    }
  }
  std::string::size_type last = result.digits.find_last_not_of('0');
  result.digits.resize(last == std::string::npos ? 0 : last + 1);
  if (result.digits.empty())
    result.exponent = 0;
  return result;
}

DecimalDigits RoundToDecimals(const DecimalDigits& number, int decimals) {
  if (number.IsZero())
    return number;
  return RoundToSignificant(number, number.exponent + decimals);
}

std::string IntegerPart(const DecimalDigits& number) {
  if (number.exponent <= 0 || number.IsZero())
    return "0";
  std::string text = number.digits.substr(0, static_cast<std::size_t>(number.exponent));
  text.resize(static_cast<std::size_t>(number.exponent), '0');
  return text;
}

std::string FractionPart(const DecimalDigits& number, int decimals) {
  std::string text;
  for (int i = 0; i < decimals; ++i) {
    // Digit i after the point is digit exponent + i of the significant digits.
    int index = number.exponent + i;
    bool present = index >= 0 && index < static_cast<int>(number.digits.size());
    text.push_back(present ? number.digits[static_cast<std::size_t>(index)] : '0');
  }
  return text;
}
