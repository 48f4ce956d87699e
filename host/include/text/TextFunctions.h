// Text functions of the host: splitting a list into tokens, numbers from and to text, and the
// engine's date values in the host's time base. None of them throws or depends on the C locale.
#pragma once

#include <string>
#include <vector>

// Appends to `tokens` the pieces of `text` between blanks, tabs, carriage returns, line feeds and
// commas. Separators never make empty tokens: "a,,b" gives "a" and "b". Existing tokens are kept.
void SplitToToken(const std::string& text, std::vector<std::string>& tokens);

// The number written in `text`: optional sign, decimal digits with an optional point and an
// optional exponent ("12", "-1.5", "+.5", "1e3"), with surrounding white space ignored. Anything
// else gives the system-missing value: an empty text, trailing junk, hexadecimal ("0x10"), "nan"
// and "inf", and a number too large for a double. A number too small for a double gives 0 (or the
// nearest subnormal). The point is always ".", whatever the C locale says.
double String2Double(const std::string& text);

// The integer written in `text`: optional sign and decimal digits, with surrounding white space
// ignored. Anything else gives 0: an empty text, "1.5", "1e3", "0x10", trailing junk, and a number
// outside the range of long.
long String2Integer(const std::string& text);

// The decimal text of `value` ("-42").
std::string Integer2String(long value);
std::string IntegerToString(long value);

// Turns an engine's date value into the host's: the engine counts from 1 January 1970, days for
// the date-only formats (DATE, ADATE, JDATE, MOYR, QYR, WKYR, EDATE, SDATE) and seconds for the
// date-time formats (DATETIME, YMDHMS); the host counts seconds from 14 October 1582. Values of
// every other format (times, day and month numbers, plain numbers) and the system-missing value
// pass unchanged. A value whose seconds do not fit a double gives the system-missing value.
double NumericFormatCFToStat(double value, int formatType);
