// Small value helpers shared by the result model, the reader and the writers: the system-missing
// number, the conversions between the local code page and UTF-8, number formatting by a display
// format, and blank trimming.
#pragma once

#include "text/VORN_SystemMissing.h"

#include <limits>
#include <string>

class VORN_Format;

class NOPRUTILITY {
public:
  NOPRUTILITY() = delete;

  // The value that marks an absent number. Record constructors start their numbers with it and
  // consumers compare against it, so it must be the host's exact value.
  static constexpr double getSysMissing() { return fSysMissing; }
  // Exact comparison: only the system-missing value itself is missing (not -inf, not NaN).
  static bool isSystemMissing(double value) { return value == fSysMissing; }

  // Local code page to UTF-8 and back through the host's converters. A text the host cannot
  // convert is returned unchanged, so the caller always gets something to show. Never throws
  // for bad input.
  static std::string stringToUTF8(const std::string& text);
  static std::string stringToCodePage(const std::string& text);

  // A number the document writes as a double but that is used as an int (an index, a count).
  // Truncates toward zero; a value no int can hold (system-missing, infinities, NaN, 1e300) gives
  // `absent`, since casting it would be undefined.
  static int truncateToInt(double value, int absent) {
    if (!(value > static_cast<double>(std::numeric_limits<int>::min()) - 1.0 &&
          value < static_cast<double>(std::numeric_limits<int>::max()) + 1.0))
      return absent;
    return static_cast<int>(value);
  }

private:
  // Constant-initialised, so it is in place before any other code of the library runs.
  static constexpr double fSysMissing = VORN_SystemMissing();
};

// Writes `value` in `format` into `buffer` through the host's ToString (right-aligned in the
// format's width, NUL-terminated; "." for system-missing). `buffer` must hold format.Width() + 1
// characters. Returns what the host returns: the number of characters written.
int ToString(double value, const VORN_Format& format, char* buffer);

// Removes trailing, then leading blanks (character 32 only; tabs and line feeds stay) in place.
// An all-blank text becomes empty.
void trimSpaces(std::string& text);
