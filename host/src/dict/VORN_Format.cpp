// The display format: its packed form, its text form ("F8.2"), the limits of each type, and engine
// dates moved to the host's time base.
#include "dict/VORN_Format.h"

#include "text/VORN_SystemMissing.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <system_error>

namespace {

// How the text form shows the decimals: numeric formats always ("F8.0"), time formats only when
// there are some ("TIME11.2", "TIME8"), the others never.
enum class DecimalsShown { kAlways, kWhenAny, kNever };

// The limits of a type. A format with decimals needs a width of at least widthBase + decimals
// (room for the point and the digits); without decimals, minWidth.
struct TypeInfo {
  int type;
  const char* name;
  int minWidth;
  int maxWidth;
  int maxDecimals;
  int widthBase;
  DecimalsShown shown;
};

constexpr int kMaxDecimals = 16;
constexpr int kMaxStringWidth = 32767;

constexpr TypeInfo kTypes[] = {
    {VORN_Format::kA, "A", 1, kMaxStringWidth, 0, 0, DecimalsShown::kNever},
    {VORN_Format::kAHEX, "AHEX", 2, kMaxStringWidth, 0, 0, DecimalsShown::kNever},
    {VORN_Format::kCOMMA, "COMMA", 1, 40, kMaxDecimals, 1, DecimalsShown::kAlways},
    {VORN_Format::kDOLLAR, "DOLLAR", 2, 40, kMaxDecimals, 2, DecimalsShown::kAlways},
    {VORN_Format::kF, "F", 1, 40, kMaxDecimals, 1, DecimalsShown::kAlways},
    {VORN_Format::kE, "E", 6, 40, kMaxDecimals, 7, DecimalsShown::kAlways},
    {VORN_Format::kDATE, "DATE", 9, 40, 0, 0, DecimalsShown::kNever},
    {VORN_Format::kTIME, "TIME", 5, 40, kMaxDecimals, 9, DecimalsShown::kWhenAny},
    {VORN_Format::kDATETIME, "DATETIME", 17, 40, kMaxDecimals, 21, DecimalsShown::kWhenAny},
    {VORN_Format::kADATE, "ADATE", 8, 40, 0, 0, DecimalsShown::kNever},
    {VORN_Format::kJDATE, "JDATE", 5, 40, 0, 0, DecimalsShown::kNever},
    {VORN_Format::kDTIME, "DTIME", 8, 40, kMaxDecimals, 12, DecimalsShown::kWhenAny},
    {VORN_Format::kWKDAY, "WKDAY", 2, 40, 0, 0, DecimalsShown::kNever},
    {VORN_Format::kMONTH, "MONTH", 3, 40, 0, 0, DecimalsShown::kNever},
    {VORN_Format::kMOYR, "MOYR", 6, 40, 0, 0, DecimalsShown::kNever},
    {VORN_Format::kQYR, "QYR", 6, 40, 0, 0, DecimalsShown::kNever},
    {VORN_Format::kWKYR, "WKYR", 8, 40, 0, 0, DecimalsShown::kNever},
    {VORN_Format::kPCT, "PCT", 2, 40, kMaxDecimals, 2, DecimalsShown::kAlways},
    {VORN_Format::kDOT, "DOT", 1, 40, kMaxDecimals, 1, DecimalsShown::kAlways},
    {VORN_Format::kEDATE, "EDATE", 8, 40, 0, 0, DecimalsShown::kNever},
    {VORN_Format::kSDATE, "SDATE", 8, 40, 0, 0, DecimalsShown::kNever},
    {VORN_Format::kMTIME, "MTIME", 5, 40, kMaxDecimals, 6, DecimalsShown::kWhenAny},
    {VORN_Format::kYMDHMS, "YMDHMS", 16, 40, kMaxDecimals, 20, DecimalsShown::kWhenAny},
};

const TypeInfo* FindType(int type) {
  for (const TypeInfo& info : kTypes) {
    if (info.type == type)
      return &info;
  }
  return nullptr;
}

const TypeInfo* FindTypeByName(const std::string& name) {
  for (const TypeInfo& info : kTypes) {
    if (name == info.name)
      return &info;
  }
  return nullptr;
}

bool Fail(std::string* error, const std::string& message) {
  if (error != nullptr)
    *error = message;
  return false;
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Reads the digits at text[pos...] into `number`; false when there are none. A number too large
// for an int becomes INT_MAX, which every limit below refuses with the digits as written.
bool ReadNumber(const std::string& text, std::size_t& pos, int& number, std::string& digits) {
  std::size_t end = pos;
  while (end < text.size() && IsDigit(text[end]))
    ++end;
  if (end == pos)
    return false;
  digits = text.substr(pos, end - pos);
  if (std::from_chars(text.data() + pos, text.data() + end, number).ec != std::errc())
    number = std::numeric_limits<int>::max();
  pos = end;
  return true;
}

std::string Trimmed(const std::string& text) {
  std::string::size_type first = text.find_first_not_of(" \t");
  if (first == std::string::npos)
    return std::string();
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool CheckLimits(const TypeInfo& info, int width, const std::string& widthDigits, int decimals,
                 const std::string& text, std::string* error) {
  const std::string quoted = "\"" + text + "\"";
  const std::string name = info.name;
  if (width < info.minWidth || width > info.maxWidth)
    return Fail(error, "format " + quoted + ": the width of " + name + " must be " +
                           std::to_string(info.minWidth) + " to " + std::to_string(info.maxWidth) +
                           ", not " + widthDigits);
  if (info.type == VORN_Format::kAHEX && width % 2 != 0)
    return Fail(error, "format " + quoted + ": AHEX shows two digits a byte and needs an even " +
                           "width, not " + std::to_string(width));
  if (decimals > info.maxDecimals)
    return Fail(error,
                "format " + quoted + ": " + name +
                    (info.maxDecimals == 0
                         ? " takes no decimals"
                         : " takes at most " + std::to_string(info.maxDecimals) + " decimals"));
  if (decimals > 0 && width < info.widthBase + decimals)
    return Fail(error, "format " + quoted + ": " + std::to_string(decimals) + " decimals need a " +
                           "width of at least " + std::to_string(info.widthBase + decimals));
  return true;
}

} // namespace

VORN_Format::VORN_Format() = default;

VORN_Format::VORN_Format(FormatType type, int width, int decimals) {
  Type(type);
  Width(static_cast<unsigned short>(width & 0xFFFF));
  Decimals(static_cast<unsigned char>(decimals & 0xFF));
}

VORN_Format::VORN_Format(long packed) {
  Type(static_cast<FormatType>((packed >> 16) & 0xFF));
  int width = static_cast<int>((packed >> 8) & 0xFF);
  int decimals = static_cast<int>(packed & 0xFF);
  if (fType == kA) {
    width += 256 * decimals;
    decimals = 0;
  }
  Width(static_cast<unsigned short>(width));
  Decimals(static_cast<unsigned char>(decimals));
}

void VORN_Format::Width(unsigned short width) {
  fWidth = !IsString() && width > kMaxNumericWidth ? kMaxNumericWidth : width;
}

bool VORN_Format::IsDateTime() const {
  return EngineTimeUnitOf(fType) != EngineTimeUnit::kNone;
}

long VORN_Format::Packed() const {
  long width = fWidth;
  long decimals = fDecimals;
  if (fType == kA) {
    decimals = width >> 8;
    width &= 0xFF;
  }
  return (static_cast<long>(fType) << 16) | ((width & 0xFF) << 8) | (decimals & 0xFF);
}

std::string VORN_Format::ToText() const {
  const TypeInfo* info = FindType(fType);
  std::string text = info != nullptr ? info->name : "?" + std::to_string(fType) + "?";
  text += std::to_string(fWidth);
  const DecimalsShown shown = info != nullptr ? info->shown : DecimalsShown::kAlways;
  const bool withDecimals =
      shown == DecimalsShown::kAlways || (shown == DecimalsShown::kWhenAny && fDecimals > 0);
  if (withDecimals)
    text += "." + std::to_string(fDecimals);
  return text;
}

bool VORN_Format::FromText(const std::string& text, VORN_Format& format, std::string* error) {
  const std::string trimmed = Trimmed(text);
  if (trimmed.empty())
    return Fail(error, "format text is empty");
  std::string name;
  std::size_t pos = 0;
  while (pos < trimmed.size() && std::isalpha(static_cast<unsigned char>(trimmed[pos]))) {
    name.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(trimmed[pos]))));
    ++pos;
  }
  const TypeInfo* info = FindTypeByName(name);
  if (info == nullptr)
    return Fail(error, "format \"" + trimmed + "\": unknown format type \"" + name + "\"");
  int width = 0;
  int decimals = 0;
  std::string widthDigits;
  std::string decimalDigits;
  if (!ReadNumber(trimmed, pos, width, widthDigits))
    return Fail(error, "format \"" + trimmed + "\": a width must follow " + name);
  if (pos < trimmed.size() && trimmed[pos] == '.') {
    ++pos;
    if (!ReadNumber(trimmed, pos, decimals, decimalDigits))
      return Fail(error, "format \"" + trimmed + "\": decimals must follow the point");
  }
  if (pos != trimmed.size())
    return Fail(error, "format \"" + trimmed + "\": unexpected \"" + trimmed.substr(pos) + "\"");
  if (!CheckLimits(*info, width, widthDigits, decimals, trimmed, error))
    return false;
  format = VORN_Format(static_cast<FormatType>(info->type), width, decimals);
  return true;
}

const char* VORN_Format::TypeName(int type) {
  const TypeInfo* info = FindType(type);
  return info != nullptr ? info->name : "";
}

// Seconds from 14 October 1582, the host's time base, to 1 January 1970, the engine's.
constexpr double kSecondsFrom1582To1970 = 12219379200.0;

EngineTimeUnit EngineTimeUnitOf(int formatType) {
  switch (formatType) {
  case VORN_Format::kDATE:
  case VORN_Format::kADATE:
  case VORN_Format::kJDATE:
  case VORN_Format::kMOYR:
  case VORN_Format::kQYR:
  case VORN_Format::kWKYR:
  case VORN_Format::kEDATE:
  case VORN_Format::kSDATE:
    return EngineTimeUnit::kDays;
  case VORN_Format::kDATETIME:
  case VORN_Format::kYMDHMS:
    return EngineTimeUnit::kSeconds;
  default:
    return EngineTimeUnit::kNone;
  }
}

double NumericFormatCFToStat(double value, int formatType) {
  if (value == VORN_SystemMissing() || !std::isfinite(value))
    return value;
  double converted = value;
  switch (EngineTimeUnitOf(formatType)) {
  case EngineTimeUnit::kDays:
    converted = value * 86400.0 + kSecondsFrom1582To1970;
    break;
  case EngineTimeUnit::kSeconds:
    converted = value + kSecondsFrom1582To1970;
    break;
  case EngineTimeUnit::kNone:
    return value;
  }
  return std::isfinite(converted) ? converted : VORN_SystemMissing();
}
