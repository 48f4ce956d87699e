// UTF-8 conversion and locale-independent number parsing for attribute values.
#include "XMLText.h"

#include <xercesc/util/TransService.hpp>
#include <xercesc/util/XMLException.hpp>

#include <charconv>
#include <cmath>
#include <system_error>

namespace xmlwrap {

namespace {

// Attribute normalisation turns literal tabs and line ends into spaces, but character references
// (&#9;) keep them, so all four count as blanks.
constexpr const char* kBlanks = " \t\r\n";

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(kBlanks);
  if (first == std::string::npos)
    return {};
  const auto last = text.find_last_not_of(kBlanks);
  return text.substr(first, last - first + 1);
}

// from_chars refuses a leading "+", which strtol and strtod accept; a sign after it stays refused.
const char* SkipPlus(const char* begin, const char* end) {
  if (begin != end && *begin == '+' && begin + 1 != end && begin[1] != '-' && begin[1] != '+')
    return begin + 1;
  return begin;
}

} // namespace

std::string XToUtf8(const XMLCh* text, XMLSize_t length) {
  if (text == nullptr || length == 0)
    return {};
  xercesc::TranscodeToStr utf8(text, length, "UTF-8");
  return std::string(reinterpret_cast<const char*>(utf8.str()), utf8.length());
}

std::string XToUtf8(const XMLCh* text) {
  return XToUtf8(text, text ? std::char_traits<XMLCh>::length(text) : 0);
}

bool ParseIntText(const std::string& text, int& value) {
  const std::string t = Trimmed(text);
  const char* end = t.data() + t.size();
  int parsed = 0;
  const auto [ptr, ec] = std::from_chars(SkipPlus(t.data(), end), end, parsed, 10);
  if (ec != std::errc() || ptr != end || t.empty())
    return false;
  value = parsed;
  return true;
}

bool ParseDoubleText(const std::string& text, double& value) {
  const std::string t = Trimmed(text);
  const char* end = t.data() + t.size();
  double parsed = 0;
  const auto [ptr, ec] =
      std::from_chars(SkipPlus(t.data(), end), end, parsed, std::chars_format::general);
  if (ec != std::errc() || ptr != end || t.empty() || !std::isfinite(parsed))
    return false;
  value = parsed;
  return true;
}

} // namespace xmlwrap
