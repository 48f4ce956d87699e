// Text functions of the host: splitting a list into tokens, numbers from and to text. None of them
// throws or depends on the C locale.
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
