// ToString and FormatValue: a case value written in its display format, right-aligned in the
// format's width, whatever the C locale.
#include "DateTimeText.h"
#include "NumberText.h"

#include "dict/OBS.h"
#include "dict/VORN_Format.h"
#include "text/VORN_SystemMissing.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

constexpr NumberStyle kPlainStyle{0, '.', "", ""};
constexpr NumberStyle kCommaStyle{',', '.', "", ""};
constexpr NumberStyle kDotStyle{'.', ',', "", ""};
constexpr NumberStyle kDollarStyle{',', '.', "$", ""};
constexpr NumberStyle kPercentStyle{0, '.', "", "%"};

std::string StringText(const OBS* value, int width) {
  // The value spans ObsLength(width) consecutive units, read as one run of bytes.
  std::string text(reinterpret_cast<const char*>(value), static_cast<std::size_t>(width));
  // A NUL inside the value would end the C text early and break the width.
  for (char& c : text) {
    if (c == '\0')
      c = ' ';
  }
  return text;
}

std::string HexText(const OBS* value, int width) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(value);
  std::string text;
  for (int i = 0; i < width / 2; ++i) {
    const unsigned char byte = bytes[i];
    text.push_back(kHex[byte >> 4]);
    text.push_back(kHex[byte & 0xF]);
  }
  return text;
}

// The text of a finite number in a numeric format; at most the width.
std::string NumberText(double value, const VORN_Format& format) {
  const int width = format.Width();
  const int decimals = format.Decimals();
  switch (format.Type()) {
  case VORN_Format::kF:
    return FixedText(value, kPlainStyle, width, decimals);
  case VORN_Format::kCOMMA:
    return FixedText(value, kCommaStyle, width, decimals);
  case VORN_Format::kDOT:
    return FixedText(value, kDotStyle, width, decimals);
  case VORN_Format::kDOLLAR:
    return FixedText(value, kDollarStyle, width, decimals);
  case VORN_Format::kPCT:
    return FixedText(value, kPercentStyle, width, decimals);
  case VORN_Format::kE:
    return ScientificText(value, width, decimals);
  case VORN_Format::kDATE:
  case VORN_Format::kTIME:
  case VORN_Format::kDATETIME:
  case VORN_Format::kADATE:
  case VORN_Format::kJDATE:
  case VORN_Format::kDTIME:
  case VORN_Format::kWKDAY:
  case VORN_Format::kMONTH:
  case VORN_Format::kMOYR:
  case VORN_Format::kQYR:
  case VORN_Format::kWKYR:
  case VORN_Format::kEDATE:
  case VORN_Format::kSDATE:
  case VORN_Format::kMTIME:
  case VORN_Format::kYMDHMS:
    return DateTimeText(value, format);
  case VORN_Format::kA:
  case VORN_Format::kAHEX:
    break; // string formats never reach here
  }
  // A type code of no known format: the number is still shown, as F.
  return FixedText(value, kPlainStyle, width, decimals);
}

std::string ValueText(const OBS* value, const VORN_Format& format) {
  const int width = format.Width();
  if (format.Type() == VORN_Format::kA)
    return StringText(value, width);
  if (format.Type() == VORN_Format::kAHEX)
    return HexText(value, width);
  const double number = value->f;
  // NaN is no number at all and is shown like the system-missing value; an infinity is a number
  // too large for every width.
  if (number == VORN_SystemMissing() || std::isnan(number))
    return width > 0 ? "." : "";
  if (std::isinf(number))
    return Asterisks(width);
  return NumberText(number, format);
}

} // namespace

int ToString(const OBS* value, const VORN_Format& format, char* buffer) {
  const std::size_t width = format.Width();
  OBS missing;
  missing.f = VORN_SystemMissing();
  std::string text = ValueText(value != nullptr ? value : &missing, format);
  if (text.size() > width)
    text = Asterisks(static_cast<int>(width)); // the text functions keep to the width; be sure
  const std::size_t pad = width - text.size();
  std::memset(buffer, ' ', pad);
  std::memcpy(buffer + pad, text.data(), text.size());
  buffer[width] = '\0';
  return static_cast<int>(width);
}

std::string FormatValue(double value, const VORN_Format& format) {
  if (format.IsString()) {
    // A number has no text in a string format; it is written in its shortest exact form.
    if (value == VORN_SystemMissing() || std::isnan(value))
      return ".";
    char shortest[32];
    std::to_chars_result r = std::to_chars(shortest, shortest + sizeof shortest, value);
    return std::string(shortest, r.ptr);
  }
  std::vector<char> buffer(static_cast<std::size_t>(format.Width()) + 1);
  OBS unit;
  unit.f = value;
  ToString(&unit, format, buffer.data());
  std::string text(buffer.data());
  std::string::size_type first = text.find_first_not_of(' ');
  if (first == std::string::npos)
    return std::string();
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}
