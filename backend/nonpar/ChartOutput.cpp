// Chart utilities: number texts.
#include "ChartOutput.h"

#include "NOPRUTILITY.h"

#include "dict/OBS.h"
#include "dict/VORN_Format.h"
#include "dict/VORN_Variable.h"

#include <charconv>
#include <vector>

namespace {

const VORN_Format kDefaultFormat(VORN_Format::kF, 8, 2);

// Seconds from 14 October 1582 to 1 January 1970.
constexpr double kSecondsFrom1582To1970 = 12219379200.0;

// Engine dates count from 1970; the dictionary's formatter counts seconds from 1582.
double ToDictionaryTimeBase(double value, int type) {
  if (NOPRUTILITY::isSystemMissing(value))
    return value;
  switch (type) {
  case VORN_Format::kDATE:
  case VORN_Format::kADATE:
  case VORN_Format::kJDATE:
  case VORN_Format::kWKDAY:
  case VORN_Format::kMOYR:
  case VORN_Format::kQYR:
  case VORN_Format::kWKYR:
  case VORN_Format::kEDATE:
  case VORN_Format::kSDATE:
    return value * 86400.0 + kSecondsFrom1582To1970;
  case VORN_Format::kDATETIME:
  case VORN_Format::kYMDHMS:
    return value + kSecondsFrom1582To1970;
  default:
    return value;
  }
}

std::string ShortestText(double value) {
  if (NOPRUTILITY::isSystemMissing(value))
    return ".";
  char buffer[64];
  auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 16);
  return std::string(buffer, result.ptr);
}

} // namespace

std::string ChartOutput::double2String(double value, VORN_Format* format) {
  if (format == nullptr)
    return ShortestText(value);
  double shown = ToDictionaryTimeBase(value, format->TypeEx());
  // A string format has no number to show (the formatter would read the double's bytes as
  // characters), so such a value is written in the default format.
  if (format->IsString())
    *format = kDefaultFormat;
  format->Width(40);
  std::vector<char> buffer(static_cast<std::size_t>(format->Width()) + 1, '\0');
  ToString(shown, *format, buffer.data());
  std::string text(buffer.data());
  trimSpaces(text);
  return text;
}

std::string ChartOutput::double2String(double value, int width, int decimals) {
  VORN_Format format(VORN_Format::kF, width, decimals);
  return double2String(value, &format);
}

std::string ChartOutput::double2String(double value, const VORN_Variable& variable) {
  VORN_Format format = variable.GetFormat();
  return double2String(value, &format);
}

std::string ChartOutput::trimmedText(const OBS* value, int width) {
  if (value == nullptr || width <= 0)
    return std::string();
  std::string text(value->s, static_cast<std::size_t>(width));
  std::string::size_type end = text.find_last_not_of(' ');
  return end == std::string::npos ? std::string() : text.substr(0, end + 1);
}
