// Dates of the data dictionary's time base written as ISO date-times, which the chart grammar reads
// back as dates.
#include "chart/formatter.h"

#include "text/VORN_SystemMissing.h"

#include <cmath>
#include <cstdio>

namespace {

// Days from 14 October 1582 to 1 January 1970.
constexpr long long kDaysTo1970 = 141428;

// The proleptic Gregorian date of a day counted from 1 January 1970 (H. Hinnant's civil_from_days).
void CivilFromDays(long long days, long long& year, int& month, int& day) {
  days += 719468;
  const long long era = (days >= 0 ? days : days - 146096) / 146097;
  const long long dayOfEra = days - era * 146097;
  const long long yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const long long monthIndex = (5 * dayOfYear + 2) / 153;
  day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
  month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
  year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
}

} // namespace

ChartString formatter::formattedDate(const double& seconds) {
  if (!std::isfinite(seconds) || seconds == VORN_SystemMissing())
    return ChartString();
  // Up to year 9999 the seconds stay far below 2^53, so the rounding is exact.
  const double rounded = std::round(seconds);
  if (rounded < 0 || rounded > 1e12)
    return ChartString();
  const auto total = static_cast<long long>(rounded);
  const long long days = total / 86400;
  const long long inDay = total % 86400;
  long long year;
  int month;
  int day;
  CivilFromDays(days - kDaysTo1970, year, month, day);
  if (year < 1582 || year > 9999)
    return ChartString();
  char text[32];
  std::snprintf(text, sizeof text, "%04lld-%02d-%02dT%02lld:%02lld:%02lld", year, month, day,
                inDay / 3600, inDay / 60 % 60, inDay % 60);
  return ChartString(text);
}
