// Texts of values in the date, time and date-time display formats and in WKDAY and MONTH.
// Private to the dictionary service.
#pragma once

#include "dict/VORN_Format.h"

#include <string>

// `value` (finite) in the format, which must be one of DATE, ADATE, EDATE, SDATE, JDATE, MOYR,
// QYR, WKYR, DATETIME, YMDHMS (seconds from 14 October 1582), TIME, DTIME, MTIME (seconds of a
// duration), WKDAY (1 Sunday to 7) or MONTH (1 to 12). The text is at most the format's width:
// a value that has no text in the format (a year outside 1 to 9999, a day number out of range,
// too many hours for the width) gives asterisks of the width.
std::string DateTimeText(double value, const VORN_Format& format);
