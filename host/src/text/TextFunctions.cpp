// Text functions of the host. Numbers go through std::from_chars and std::to_chars, which ignore
// the C locale, so a data file reads the same under every locale.
#include "text/TextFunctions.h"

#include "text/VORN_SystemMissing.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <locale.h>
#include <stdlib.h>
#include <system_error>

namespace {

constexpr const char* kWhiteSpace = " \t\r\n\f\v";

bool IsTokenSeparator(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == ',';
}

// The text without the white space around it, as [first, last).
void TrimmedRange(const std::string& text, const char*& first, const char*& last) {
  std::string::size_type begin = text.find_first_not_of(kWhiteSpace);
  if (begin == std::string::npos) {
    first = last = text.data();
    return;
  }
  std::string::size_type end = text.find_last_not_of(kWhiteSpace);
  first = text.data() + begin;
  last = text.data() + end + 1;
}

// from_chars takes no leading '+'; skip one when a number follows it, so "+-1" stays junk.
void SkipPlusSign(const char*& first, const char* last) {
  if (last - first >= 2 && first[0] == '+' && first[1] != '-' && first[1] != '+')
    ++first;
}

bool IsDecimalNumberText(const char* first, const char* last) {
  // from_chars also reads "inf", "nan" and "infinity"; those are not data values here.
  for (const char* p = first; p != last; ++p) {
    char c = *p;
    bool allowed =
        (c >= '0' && c <= '9') || c == '.' || c == 'e' || c == 'E' || c == '+' || c == '-';
    if (!allowed)
      return false;
  }
  return first != last;
}

} // namespace

void SplitToToken(const std::string& text, std::vector<std::string>& tokens) {
  std::string::size_type i = 0;
  const std::string::size_type n = text.size();
  while (i < n) {
    while (i < n && IsTokenSeparator(text[i]))
      ++i;
    std::string::size_type start = i;
    while (i < n && !IsTokenSeparator(text[i]))
      ++i;
    if (i > start)
      tokens.push_back(text.substr(start, i - start));
  }
}

double String2Double(const std::string& text) {
  const char* first = nullptr;
  const char* last = nullptr;
  TrimmedRange(text, first, last);
  SkipPlusSign(first, last);
  if (!IsDecimalNumberText(first, last))
    return VORN_SystemMissing();
  double value = 0;
  std::from_chars_result result = std::from_chars(first, last, value, std::chars_format::general);
  if (result.ec == std::errc() && result.ptr == last)
    return value;
  if (result.ec != std::errc::result_out_of_range || result.ptr != last)
    return VORN_SystemMissing();
  // Out of range either way. glibc's strtod_l, in the "C" locale, rounds an underflow to zero or
  // a subnormal and reports an overflow as HUGE_VAL; only these extreme texts pay for the locale.
  locale_t cLocale = newlocale(LC_NUMERIC_MASK, "C", static_cast<locale_t>(nullptr));
  if (cLocale == static_cast<locale_t>(nullptr))
    return VORN_SystemMissing();
  std::string digits(first, last);
  double rounded = strtod_l(digits.c_str(), nullptr, cLocale);
  freelocale(cLocale);
  return std::isfinite(rounded) ? rounded : VORN_SystemMissing();
}

long String2Integer(const std::string& text) {
  const char* first = nullptr;
  const char* last = nullptr;
  TrimmedRange(text, first, last);
  SkipPlusSign(first, last);
  long value = 0;
  std::from_chars_result result = std::from_chars(first, last, value, 10);
  if (result.ec != std::errc() || result.ptr != last)
    return 0;
  return value;
}

std::string Integer2String(long value) {
  return std::to_string(value);
}

std::string IntegerToString(long value) {
  return std::to_string(value);
}
