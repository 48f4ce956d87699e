// A display format: type, width and decimals, as the data dictionary stores them (F8.2, A20,
// DATE11, ...), and ToString, which writes a value in a format.
#pragma once

#include <string>

union OBS;

class VORN_Format {
public:
  // Type codes of the display formats; 1 and 2 are the string types.
  enum FormatType : unsigned char {
    kA = 1,
    kAHEX = 2,
    kCOMMA = 3,
    kDOLLAR = 4,
    kF = 5,
    kE = 17,
    kDATE = 20,
    kTIME = 21,
    kDATETIME = 22,
    kADATE = 23,
    kJDATE = 24,
    kDTIME = 25,
    kWKDAY = 26,
    kMONTH = 27,
    kMOYR = 28,
    kQYR = 29,
    kWKYR = 30,
    kPCT = 31,
    kDOT = 32,
    kEDATE = 38,
    kSDATE = 39,
    kMTIME = 85,
    kYMDHMS = 86,
  };

  // Widest non-string format; Width() cuts wider requests to this.
  static constexpr unsigned short kMaxNumericWidth = 40;

  // F8.2.
  VORN_Format();
  // Sets the type, then the width (low 16 bits, through Width), then the decimals (low 8 bits).
  VORN_Format(FormatType type, int width, int decimals);
  // From the packed form: type in bits 16-23, width in bits 8-15, decimals in bits 0-7. For type 1
  // the decimals byte is the high byte of a string width above 255.
  explicit VORN_Format(long packed);

  void Type(FormatType type) { fType = type; }
  void Decimals(unsigned char decimals) { fDecimals = decimals; }
  // A width above kMaxNumericWidth is cut to it unless the format is a string format.
  void Width(unsigned short width);

  FormatType Type() const { return static_cast<FormatType>(fType); }
  unsigned short Width() const { return fWidth; }
  unsigned char Decimals() const { return fDecimals; }
  // The type code as an integer (20 for DATE, ...).
  int TypeEx() const { return fType; }
  bool IsString() const { return fType == kA || fType == kAHEX; }
  // True for the formats whose values count seconds from 14 October 1582.
  bool IsDateTime() const;
  // The packed form of the constructor above.
  long Packed() const;

  // "F8.2", "A20", "DATE11", "PCT6.1": the name of the type, the width and, where the format
  // has decimals, a point and the decimals.
  std::string ToText() const;
  // Reads the text form (case-insensitive). Returns false, leaving `format` unchanged, for an
  // unknown type name or a width or decimals the type cannot have; `error` then says why.
  static bool FromText(const std::string& text, VORN_Format& format, std::string* error = nullptr);
  // The type name ("F", "DATE", ...), or the empty text for an unknown code.
  static const char* TypeName(int type);

  bool operator==(const VORN_Format& other) const {
    return fWidth == other.fWidth && fType == other.fType && fDecimals == other.fDecimals;
  }
  bool operator!=(const VORN_Format& other) const { return !(*this == other); }

private:
  unsigned short fWidth = 8;
  unsigned char fType = kF;
  unsigned char fDecimals = 2;
};

// Writes the value in the format into `buffer`, right-aligned in the format's width and
// NUL-terminated; `buffer` must have room for format.Width() + 1 characters. A numeric value is
// read from value->f, a string value from ObsLength(width) units. The system-missing value is
// written as "." (and so is NaN); a number too wide for its width falls back to E notation and then
// to asterisks, never to a cut text (an infinity is always asterisks). A null `value` is taken as
// system-missing. docs/display-formats.md shows every format. Returns the number of characters
// written, without the terminating NUL. Never throws apart from std::bad_alloc.
int ToString(const OBS* value, const VORN_Format& format, char* buffer);

// The same value as a std::string, leading and trailing blanks removed. With a string format the
// number is written in its shortest exact form ("3.5"), since it has no text in that format.
std::string FormatValue(double value, const VORN_Format& format);

// How an engine writes a value of a format: a plain number (every format that is not a date,
// times, durations, day and month numbers included), days from 1 January 1970 (the date-only
// formats DATE, ADATE, JDATE, MOYR, QYR, WKYR, EDATE, SDATE) or seconds from then (DATETIME,
// YMDHMS). The one list of the engine's date formats; NumericFormatCFToStat and the charts read it.
enum class EngineTimeUnit { kNone, kDays, kSeconds };
EngineTimeUnit EngineTimeUnitOf(int formatType);

// Turns an engine's date value into the host's: the engine counts from 1 January 1970, days for
// the date-only formats (DATE, ADATE, JDATE, MOYR, QYR, WKYR, EDATE, SDATE) and seconds for the
// date-time formats (DATETIME, YMDHMS); the host counts seconds from 14 October 1582. Values of
// every other format (times, day and month numbers, plain numbers) and the system-missing value
// pass unchanged. A value whose seconds do not fit a double gives the system-missing value.
double NumericFormatCFToStat(double value, int formatType);
