// Calendar and clock texts. Days are counted on the proleptic Gregorian calendar from 14 October
// 1582; the layouts are data, picked by the format's width.
#include "DateTimeText.h"

#include "DecimalText.h"
#include "NumberText.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace {

using Int = std::int64_t;

constexpr Int kSecondsPerDay = 86400;
// Day 0 of the host (14 October 1582) counted from 1 January 1970.
constexpr Int kBaseDayFrom1970 = -141428;
// About 31 million years: beyond every four-digit year and every sensible duration, and small
// enough for exact integer seconds.
constexpr double kLargestSeconds = 1e15;

const char* const kMonthNames[] = {"JANUARY",   "FEBRUARY", "MARCH",    "APRIL",
                                   "MAY",       "JUNE",     "JULY",     "AUGUST",
                                   "SEPTEMBER", "OCTOBER",  "NOVEMBER", "DECEMBER"};
const char* const kDayNames[] = {"SUNDAY",   "MONDAY", "TUESDAY", "WEDNESDAY",
                                 "THURSDAY", "FRIDAY", "SATURDAY"};

// A layout is a pattern of fields:
//   %d day of month, %m month, %b month abbreviation, %Y year, %y two-digit year, %j day of year,
//   %q quarter, %W week of year; %H hour of day, %h hours in all, %D days in all, %T minutes in
//   all, %M minute of hour, %S seconds with the decimals.
// The long pattern is used from `longWidth` on; time patterns show seconds from `secondsWidth`.
struct Layout {
  VORN_Format::FormatType type;
  int longWidth;
  const char* longPattern;
  const char* shortPattern;
};

constexpr Layout kLayouts[] = {
    {VORN_Format::kDATE, 11, "%d-%b-%Y", "%d-%b-%y"},
    {VORN_Format::kADATE, 10, "%m/%d/%Y", "%m/%d/%y"},
    {VORN_Format::kEDATE, 10, "%d.%m.%Y", "%d.%m.%y"},
    {VORN_Format::kSDATE, 10, "%Y/%m/%d", "%y/%m/%d"},
    {VORN_Format::kJDATE, 7, "%Y%j", "%y%j"},
    {VORN_Format::kMOYR, 8, "%b %Y", "%b %y"},
    {VORN_Format::kQYR, 8, "%q Q %Y", "%q Q %y"},
    {VORN_Format::kWKYR, 10, "%W WK %Y", "%W WK %y"},
    // For the time formats the long pattern is the one with seconds.
    {VORN_Format::kTIME, 8, "%h:%M:%S", "%h:%M"},
    {VORN_Format::kDTIME, 11, "%D %H:%M:%S", "%D %H:%M"},
    {VORN_Format::kMTIME, 5, "%T:%S", "%T:%S"},
    {VORN_Format::kDATETIME, 20, "%d-%b-%Y %H:%M:%S", "%d-%b-%Y %H:%M"},
    {VORN_Format::kYMDHMS, 19, "%Y-%m-%d %H:%M:%S", "%Y-%m-%d %H:%M"},
};

const Layout* FindLayout(VORN_Format::FormatType type) {
  for (const Layout& layout : kLayouts) {
    if (layout.type == type)
      return &layout;
  }
  return nullptr;
}

struct CivilDate {
  Int year;
  int month;
  int day;
  int dayOfYear;
};

// Days from 1 January 1970 on the proleptic Gregorian calendar (H. Hinnant's algorithm).
Int DaysFromCivil(Int year, int month, int day) {
  year -= month <= 2 ? 1 : 0;
  const Int era = (year >= 0 ? year : year - 399) / 400;
  const Int yearOfEra = year - era * 400;
  const Int dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  const Int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

CivilDate CivilFromDays(Int days) {
  days += 719468;
  const Int era = (days >= 0 ? days : days - 146096) / 146097;
  const Int dayOfEra = days - era * 146097;
  const Int yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const Int dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const Int shiftedMonth = (5 * dayOfYear + 2) / 153;
  CivilDate date{};
  date.day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
  date.month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
  date.year = yearOfEra + era * 400 + (date.month <= 2 ? 1 : 0);
  date.dayOfYear = static_cast<int>(days - 719468 - DaysFromCivil(date.year, 1, 1) + 1);
  return date;
}

Int FloorDiv(Int a, Int b) {
  Int q = a / b;
  return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// A value split into the fields of the patterns. Durations keep their sign apart; a point in
// time has a date and a clock time of day.
struct Moment {
  bool negative = false;
  Int wholeSeconds = 0; // of the duration, or of the day for a point in time
  Int days = 0;
  std::string fraction; // digits of the second
  CivilDate date{};
};

// 10^n - digits, as n digits: the fraction of a second counted from the other end.
std::string ComplementFraction(const std::string& digits) {
  std::string result = digits;
  std::string::size_type last = result.find_last_not_of('0');
  for (std::string::size_type i = 0; i < last; ++i)
    result[i] = static_cast<char>('9' - (result[i] - '0'));
  result[last] = static_cast<char>('0' + 10 - (result[last] - '0'));
  return result;
}

// |value| rounded half away from zero to whole seconds with `decimals` decimals, or to whole
// minutes when `toMinutes`. Fails beyond kLargestSeconds.
bool RoundDuration(double value, int decimals, bool toMinutes, Int& whole, std::string& fraction) {
  const double magnitude = std::fabs(value);
  if (!(magnitude <= kLargestSeconds))
    return false;
  if (toMinutes) {
    // fmod is exact, and so is the subtraction: both give multiples of 60 below 2^53.
    const double rest = std::fmod(magnitude, 60.0);
    whole = static_cast<Int>(magnitude - rest) + (rest >= 30.0 ? 60 : 0);
    fraction.clear();
    return true;
  }
  DecimalDigits rounded = RoundToDecimals(ExactDigits(magnitude), decimals);
  const std::string integer = IntegerPart(rounded);
  std::from_chars(integer.data(), integer.data() + integer.size(), whole);
  fraction = FractionPart(rounded, decimals);
  return true;
}

// The day of a date-only value: its floor, so that every moment of a day shows that day.
bool FloorDay(double value, Int& day) {
  if (!(std::fabs(value) <= kLargestSeconds))
    return false;
  double estimate = std::floor(value / kSecondsPerDay);
  // The division may round across a day boundary; the products are exact.
  if (estimate * kSecondsPerDay > value)
    estimate -= 1;
  else if ((estimate + 1) * kSecondsPerDay <= value)
    estimate += 1;
  day = static_cast<Int>(estimate);
  return true;
}

bool IsPointInTime(VORN_Format::FormatType type) {
  return type == VORN_Format::kDATETIME || type == VORN_Format::kYMDHMS;
}

bool MakeMoment(double value, VORN_Format::FormatType type, bool hasSeconds, bool hasMinutes,
                int decimals, Moment& moment) {
  if (!hasMinutes) {
    Int day = 0;
    if (!FloorDay(value, day))
      return false;
    moment.date = CivilFromDays(day + kBaseDayFrom1970);
    return true;
  }
  Int whole = 0;
  if (!RoundDuration(value, decimals, !hasSeconds, whole, moment.fraction))
    return false;
  const bool negative = std::signbit(value) &&
                        (whole != 0 || moment.fraction.find_first_not_of('0') != std::string::npos);
  if (!IsPointInTime(type)) {
    moment.negative = negative;
    moment.wholeSeconds = whole;
    return true;
  }
  // Before the base day: count back whole seconds and give the fraction from the other end.
  Int signedWhole = whole;
  if (negative) {
    const bool hasFraction = moment.fraction.find_first_not_of('0') != std::string::npos;
    signedWhole = -whole - (hasFraction ? 1 : 0);
    if (hasFraction)
      moment.fraction = ComplementFraction(moment.fraction);
  }
  const Int day = FloorDiv(signedWhole, kSecondsPerDay);
  moment.wholeSeconds = signedWhole - day * kSecondsPerDay;
  moment.date = CivilFromDays(day + kBaseDayFrom1970);
  return true;
}

std::string Padded(Int number, int digits) {
  std::string text = std::to_string(number);
  if (static_cast<int>(text.size()) < digits)
    text.insert(0, static_cast<std::size_t>(digits) - text.size(), '0');
  return text;
}

void AppendField(char code, const Moment& m, std::string& text) {
  const Int secondsOfMinute = m.wholeSeconds % 60;
  switch (code) {
  case 'd':
    text += Padded(m.date.day, 2);
    break;
  case 'm':
    text += Padded(m.date.month, 2);
    break;
  case 'b':
    text.append(kMonthNames[m.date.month - 1], 3);
    break;
  case 'Y':
    text += Padded(m.date.year, 4);
    break;
  case 'y':
    text += Padded(m.date.year % 100, 2);
    break;
  case 'j':
    text += Padded(m.date.dayOfYear, 3);
    break;
  case 'q':
    text += std::to_string((m.date.month - 1) / 3 + 1);
    break;
  case 'W':
    text += Padded((m.date.dayOfYear - 1) / 7 + 1, 2);
    break;
  case 'H':
    text += Padded(m.wholeSeconds / 3600 % 24, 2);
    break;
  case 'h':
    text += Padded(m.wholeSeconds / 3600, 2);
    break;
  case 'D':
    text += Padded(m.wholeSeconds / kSecondsPerDay, 2);
    break;
  case 'T':
    text += Padded(m.wholeSeconds / 60, 2);
    break;
  case 'M':
    text += Padded(m.wholeSeconds / 60 % 60, 2);
    break;
  case 'S':
    text += Padded(secondsOfMinute, 2);
    if (!m.fraction.empty())
      text += "." + m.fraction;
    break;
  default:
    text.push_back(code);
    break;
  }
}

std::string Expand(const char* pattern, const Moment& moment) {
  std::string text;
  if (moment.negative)
    text.push_back('-');
  for (const char* p = pattern; *p != '\0'; ++p) {
    if (*p == '%' && p[1] != '\0')
      AppendField(*++p, moment, text);
    else
      text.push_back(*p);
  }
  return text;
}

bool HasField(const char* pattern, char code) {
  for (const char* p = pattern; *p != '\0'; ++p) {
    if (p[0] == '%' && p[1] == code)
      return true;
  }
  return false;
}

// The narrowest text of the pattern: every field at its smallest.
int PatternWidth(const char* pattern) {
  int width = 0;
  for (const char* p = pattern; *p != '\0'; ++p) {
    if (*p != '%' || p[1] == '\0') {
      ++width;
      continue;
    }
    const char code = *++p;
    width += code == 'Y' ? 4 : code == 'b' || code == 'j' ? 3 : code == 'q' ? 1 : 2;
  }
  return width;
}

std::string NameText(double value, const char* const* names, int count, int width) {
  const double number = std::floor(value);
  if (!(number >= 1 && number <= count))
    return Asterisks(width);
  const std::string name = names[static_cast<int>(number) - 1];
  // The whole name when the longest name of the list (WEDNESDAY, SEPTEMBER) fits, so that a
  // column never mixes whole and shortened names; else the first letters, three at most.
  constexpr int kLongestName = 9;
  if (width >= kLongestName)
    return name;
  return name.substr(0, std::min<std::size_t>(3, static_cast<std::size_t>(width)));
}

std::string CalendarText(double value, const VORN_Format& format, const Layout& layout) {
  const int width = format.Width();
  const char* pattern = width >= layout.longWidth ? layout.longPattern : layout.shortPattern;
  const bool hasSeconds = HasField(pattern, 'S');
  const bool hasMinutes = HasField(pattern, 'M') || hasSeconds;
  // Decimals of the seconds where the width leaves room for a point and at least one digit.
  int decimals = 0;
  if (hasSeconds && format.Decimals() > 0) {
    const int secondsWidth = PatternWidth(pattern);
    decimals = std::min<int>(format.Decimals(), std::max(0, width - secondsWidth - 1));
  }
  for (int d = decimals; d >= 0; --d) {
    Moment moment;
    if (!MakeMoment(value, format.Type(), hasSeconds, hasMinutes, d, moment))
      break;
    if (HasField(pattern, 'y') || HasField(pattern, 'Y')) {
      if (moment.date.year < 1 || moment.date.year > 9999)
        break;
    }
    std::string text = Expand(pattern, moment);
    if (static_cast<int>(text.size()) <= width)
      return text;
  }
  return Asterisks(width);
}

} // namespace

std::string DateTimeText(double value, const VORN_Format& format) {
  if (format.Type() == VORN_Format::kWKDAY)
    return NameText(value, kDayNames, 7, format.Width());
  if (format.Type() == VORN_Format::kMONTH)
    return NameText(value, kMonthNames, 12, format.Width());
  const Layout* layout = FindLayout(format.Type());
  if (layout == nullptr)
    return Asterisks(format.Width());
  return CalendarText(value, format, *layout);
}
