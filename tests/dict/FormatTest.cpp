// Display formats: widths and the packed form, the text form and its errors, and ToString for
// every format family, including its fallbacks and the buffer contract; engine dates in the host's
// time base.
#include "ScopedGermanLocale.h"

#include "dict/OBS.h"
#include "dict/VORN_Format.h"
#include "text/VORN_SystemMissing.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace {

using F = VORN_Format;

// Seconds from 14 October 1582 at the start of some days (day counts from Python's proleptic
// Gregorian datetime).
constexpr double kDay = 86400;
constexpr double k1970 = 141428 * kDay;       // 01-JAN-1970
constexpr double k1600Mar1 = 6348 * kDay;     // 01-MAR-1600, after a century leap day
constexpr double k2000Feb29 = 152444 * kDay;  // 29-FEB-2000
constexpr double k2024Dec31 = 161516 * kDay;  // 31-DEC-2024, day 366
constexpr double k9999Dec31 = 3074324 * kDay; // last day with a four-digit year
constexpr double k0001Jan1 = -577734 * kDay;  // first day of year 1

// Writes through ToString into a buffer larger than the contract and checks that nothing past
// width + 1 was touched, that the text is NUL-terminated and that the return value is its length.
std::string Show(double value, F::FormatType type, int width, int decimals) {
  const VORN_Format format(type, width, decimals);
  std::vector<char> buffer(static_cast<std::size_t>(format.Width()) + 8, '#');
  OBS unit;
  unit.f = value;
  const int written = ToString(&unit, format, buffer.data());
  const std::size_t w = format.Width();
  EXPECT_EQ(buffer[w], '\0') << format.ToText();
  EXPECT_EQ(buffer[w + 1], '#') << format.ToText() << ": wrote past width + 1";
  EXPECT_EQ(written, static_cast<int>(std::strlen(buffer.data())));
  return std::string(buffer.data());
}

struct ShowCase {
  double value;
  F::FormatType type;
  int width;
  int decimals;
  const char* expected;
  const char* desc;
};

void CheckCases(const std::vector<ShowCase>& cases) {
  for (const ShowCase& c : cases) {
    EXPECT_EQ(Show(c.value, c.type, c.width, c.decimals), c.expected)
        << c.desc << " (" << VORN_Format(c.type, c.width, c.decimals).ToText() << ")";
  }
}

TEST(VORN_Format, WidthIsCutOnlyForNumericFormats) {
  EXPECT_EQ(VORN_Format(F::kF, 60, 2).Width(), 40);
  EXPECT_EQ(VORN_Format(F::kDATE, 41, 0).Width(), 40);
  EXPECT_EQ(VORN_Format(F::kA, 60, 0).Width(), 60);
  EXPECT_EQ(VORN_Format(F::kF, 0x10008, 0x102).Width(), 8) << "low 16 bits of the width";
  EXPECT_EQ(VORN_Format(F::kF, 0x10008, 0x102).Decimals(), 2) << "low 8 bits of the decimals";
  VORN_Format format;
  EXPECT_EQ(format, VORN_Format(F::kF, 8, 2)) << "default is F8.2";
  format.Width(100);
  EXPECT_EQ(format.Width(), 40);
}

TEST(VORN_Format, PackedForm) {
  const std::pair<long, VORN_Format> cases[] = {
      {(5L << 16) | (8 << 8) | 2, VORN_Format(F::kF, 8, 2)},
      {(1L << 16) | (44 << 8) | 1, VORN_Format(F::kA, 300, 0)}, // high byte of a width in decimals
      {(20L << 16) | (11 << 8), VORN_Format(F::kDATE, 11, 0)},
      {(5L << 16) | (60 << 8) | 2, VORN_Format(F::kF, 40, 2)}}; // numeric width cut
  for (const auto& c : cases) {
    EXPECT_EQ(VORN_Format(c.first), c.second) << c.second.ToText();
    EXPECT_EQ(VORN_Format(c.first).Packed(), c.second.Packed()) << c.second.ToText();
  }
}

TEST(VORN_Format, IsDateTimeMeansPointsInTime) {
  for (F::FormatType t : {F::kDATE, F::kADATE, F::kEDATE, F::kSDATE, F::kJDATE, F::kMOYR, F::kQYR,
                          F::kWKYR, F::kDATETIME, F::kYMDHMS})
    EXPECT_TRUE(VORN_Format(t, 20, 0).IsDateTime()) << F::TypeName(t);
  for (F::FormatType t : {F::kF, F::kA, F::kTIME, F::kDTIME, F::kMTIME, F::kWKDAY, F::kMONTH})
    EXPECT_FALSE(VORN_Format(t, 20, 0).IsDateTime()) << F::TypeName(t);
}

TEST(NumericFormatCFToStat, EngineDatesMoveToTheHostTimeBase) {
  const double base = 12219379200.0; // 1970-01-01 in seconds from 1582-10-14
  for (int dateType : {20, 23, 24, 28, 29, 30, 38, 39})
    EXPECT_EQ(NumericFormatCFToStat(-1, dateType), base - 86400) << "day-count type " << dateType;
  EXPECT_EQ(NumericFormatCFToStat(1.5, 39), base + 129600);  // a fraction of a day
  EXPECT_EQ(NumericFormatCFToStat(-141428, 20), 0);          // the host calendar's first day
  EXPECT_EQ(NumericFormatCFToStat(86400, 22), base + 86400); // DATETIME counts seconds
  EXPECT_EQ(NumericFormatCFToStat(60, 86), base + 60);       // so does YMDHMS
  EXPECT_EQ(NumericFormatCFToStat(3600, 21), 3600);          // TIME is a duration
  EXPECT_EQ(NumericFormatCFToStat(3, 26), 3);                // WKDAY is a day number
  EXPECT_EQ(NumericFormatCFToStat(3.25, 5), 3.25);
  EXPECT_EQ(NumericFormatCFToStat(VORN_SystemMissing(), 20), VORN_SystemMissing());
  EXPECT_EQ(NumericFormatCFToStat(1e305, 20),
            VORN_SystemMissing()); // too many days for the host's seconds
}

TEST(VORN_Format, TextFormRoundTrips) {
  const std::pair<const char*, const char*> cases[] = {
      {"f3", "F3.0"},           {" A20 ", "A20"},       {"comma9.2", "COMMA9.2"},
      {"TIME11.2", "TIME11.2"}, {"DATE11.0", "DATE11"}, {"AHEX10", "AHEX10"},
      {"A32767", "A32767"}};
  for (const auto& c : cases) {
    VORN_Format format(F::kWKDAY, 9, 0);
    std::string error;
    ASSERT_TRUE(VORN_Format::FromText(c.first, format, &error)) << c.first << ": " << error;
    EXPECT_EQ(format.ToText(), c.second) << c.first;
  }
}

TEST(VORN_Format, FromTextRejectsWithAReason) {
  struct Case {
    const char* text;
    const char* message;
    const char* desc;
  } cases[] = {
      {"", "empty", "empty text"},
      {"X8", "unknown format type \"X\"", "unknown type"},
      {"F", "a width must follow F", "no width"},
      {"F8.2x", "unexpected \"x\"", "trailing junk"},
      {"F41", "must be 1 to 40, not 41", "too wide"},
      {"F999999999.2", "the width of F must be 1 to 40, not 999999999", "width beyond int"},
      {"A99999999999999999999", "must be 1 to 32767, not 99999999999999999999", "beyond long"},
      {"F8.99999999999", "at most 16 decimals", "decimals beyond int"},
      {"F20.17", "at most 16 decimals", "too many decimals"},
      {"F8.8", "8 decimals need a width of at least 9", "decimals fill the width"},
      {"E8.2", "at least 9", "E needs room for the exponent"},
      {"DATE11.2", "DATE takes no decimals", "decimals on a date"},
      {"DATE8", "must be 9 to 40", "DATE narrower than dd-mmm-yy"},
      {"TIME8.2", "at least 11", "time decimals without room"},
      {"A32768", "must be 1 to 32767", "string too wide"},
      {"AHEX5", "even width", "odd hex width"},
  };
  for (const Case& c : cases) {
    VORN_Format format(F::kWKDAY, 9, 0);
    std::string error;
    EXPECT_FALSE(VORN_Format::FromText(c.text, format, &error)) << c.desc;
    EXPECT_NE(error.find(c.message), std::string::npos) << c.desc << ": got \"" << error << "\"";
    EXPECT_EQ(format, VORN_Format(F::kWKDAY, 9, 0)) << c.desc << ": format changed";
  }
  VORN_Format format;
  EXPECT_FALSE(VORN_Format::FromText("Q1", format)) << "no error text wanted";
}

TEST(ToString, FixedRoundsHalfAwayFromZeroAndGivesUpDecimalsThenUsesENotationThenAsterisks) {
  CheckCases({
      {0.125, F::kF, 8, 2, "    0.13", "exact tie rounds away"},
      {-0.125, F::kF, 8, 2, "   -0.13", "negative tie rounds away"},
      {2.675, F::kF, 8, 2, "    2.67", "2.675 is stored below the tie"},
      {9.9951, F::kF, 8, 2, "   10.00", "carry into a new digit"},
      {-0.001, F::kF, 8, 2, "    0.00", "rounds to zero: no sign"},
      {0.1, F::kF, 20, 16, "  0.1000000000000000", "sixteen decimals"},
      {0.5, F::kF, 3, 2, ".50", "leading zero dropped to keep decimals"},
      {-0.5, F::kF, 4, 2, "-.50", "negative without leading zero"},
      {123456.789, F::kF, 8, 2, "123456.8", "one decimal fewer"},
      {9.999, F::kF, 4, 2, "10.0", "rounding carry costs a decimal"},
      {123456789, F::kF, 8, 2, "1.2E+008", "E notation"},
      {-123456789, F::kF, 8, 2, " -1E+008", "negative E notation"},
      {1e50, F::kF, 40, 2, std::string(34, ' ').append("1E+050").c_str(), "E without noise"},
      {123456789, F::kF, 5, 0, "*****", "not even E fits"},
  });
}

TEST(ToString, GroupedCurrencyPercentAndScientificFormats) {
  CheckCases({
      {-1234567.5, F::kCOMMA, 14, 2, " -1,234,567.50", "comma, negative, two groups"},
      {999.5, F::kCOMMA, 6, 0, " 1,000", "carry makes a group"},
      {1234567.5, F::kCOMMA, 9, 2, "1234567.5", "groups go before decimals"},
      {1234.5, F::kDOT, 10, 2, "  1.234,50", "dot swaps the characters"},
      {-1234.5, F::kDOLLAR, 10, 2, "-$1,234.50", "negative dollar"},
      {12.5, F::kPCT, 6, 1, " 12.5%", "percent is not scaled"},
      {-12.55, F::kPCT, 6, 1, "-12.6%", "-12.55 is stored beyond the tie"},
      {1234.5, F::kE, 10, 3, "1.235E+003", "exact tie rounds away"},
      {-1234.5, F::kE, 10, 3, "-1.23E+003", "negative loses a decimal"},
      {1e-5, F::kE, 10, 3, "1.000E-005", "negative exponent"},
      {9.999, F::kE, 9, 2, "1.00E+001", "carry into the exponent"},
      {-123, F::kE, 6, 0, "******", "narrowest negative does not fit"},
  });
}

TEST(ToString, MissingAndNonFiniteValues) {
  const double inf = std::numeric_limits<double>::infinity();
  CheckCases({
      {VORN_SystemMissing(), F::kF, 8, 2, "       .", "system-missing"},
      {VORN_SystemMissing(), F::kDATE, 11, 0, "          .", "system-missing date"},
      {std::numeric_limits<double>::quiet_NaN(), F::kF, 5, 0, "    .", "NaN"},
      {inf, F::kF, 8, 2, "********", "infinity"},
      {-std::numeric_limits<double>::max() * 0.5, F::kF, 8, 2, " -9E+307", "huge, not missing"},
  });
}

TEST(ToString, DatesAndDateTimes) {
  CheckCases({
      {0, F::kDATE, 11, 0, "14-OCT-1582", "base day"},
      {0, F::kDATE, 9, 0, "14-OCT-82", "two-digit year"},
      {k1970 - 1, F::kDATE, 11, 0, "31-DEC-1969", "before 1970"},
      {k1600Mar1, F::kDATE, 11, 0, "01-MAR-1600", "after a century leap day"},
      {k2000Feb29, F::kADATE, 10, 0, "02/29/2000", "ADATE"},
      {k2000Feb29, F::kSDATE, 10, 0, "2000/02/29", "SDATE"},
      {k2024Dec31, F::kJDATE, 7, 0, "2024366", "JDATE in a leap year"},
      {0, F::kMOYR, 8, 0, "OCT 1582", "MOYR"},
      {0, F::kQYR, 8, 0, "4 Q 1582", "QYR"},
      {0, F::kWKYR, 10, 0, "41 WK 1582", "day 287 is in the 41st week from 1 January"},
      {k2024Dec31, F::kWKYR, 10, 0, "53 WK 2024", "week 53"},
      {k9999Dec31, F::kDATE, 11, 0, "31-DEC-9999", "last four-digit year"},
      {k9999Dec31 + kDay, F::kDATE, 11, 0, "***********", "year 10000"},
      {k0001Jan1, F::kSDATE, 10, 0, "0001/01/01", "year 1"},
      {k0001Jan1 - 1, F::kSDATE, 10, 0, "**********", "year 0"},
      {k1970 + 3723.5, F::kDATETIME, 20, 0, "01-JAN-1970 01:02:04", "seconds round half up"},
      {k1970 + 3750, F::kDATETIME, 17, 0, "01-JAN-1970 01:03", "minutes round"},
      {k1970 - 0.6, F::kDATETIME, 20, 0, "31-DEC-1969 23:59:59", "rounds down before midnight"},
      {-0.25, F::kDATETIME, 23, 2, "13-OCT-1582 23:59:59.75", "fraction before the base day"},
      {k1970 + 3723.25, F::kYMDHMS, 22, 2, "1970-01-01 01:02:03.25", "YMDHMS decimals"},
  });
}

TEST(ToString, DurationsAndDayAndMonthNames) {
  CheckCases({
      {3750, F::kTIME, 5, 0, "01:03", "TIME5 rounds to the minute"},
      {90000, F::kTIME, 8, 0, "25:00:00", "hours go on past 24"},
      {360000, F::kTIME, 8, 0, "********", "too many hours for the width"},
      {-3723, F::kTIME, 8, 0, "********", "negative time without room for the sign"},
      {-0.4, F::kTIME, 8, 0, "00:00:00", "rounds to zero: no sign"},
      {3723.456, F::kTIME, 10, 2, "01:02:03.5", "decimals cut to the width"},
      {359999.999, F::kTIME, 11, 2, "100:00:00.0", "carry costs a decimal"},
      {-90061, F::kDTIME, 12, 0, "-01 01:01:01", "negative DTIME"},
      {3725, F::kMTIME, 5, 0, "62:05", "minutes go on past 60"},
      {4, F::kWKDAY, 9, 0, "WEDNESDAY", "longest day name"},
      {7.9, F::kWKDAY, 3, 0, "SAT", "fraction dropped"},
      {0, F::kWKDAY, 3, 0, "***", "below range"},
      {9, F::kMONTH, 9, 0, "SEPTEMBER", "longest month name"},
      {5, F::kMONTH, 8, 0, "     MAY", "short width abbreviates every name"},
      {13, F::kMONTH, 3, 0, "***", "month out of range"},
  });
}

TEST(ToString, EveryFormatKeepsToItsWidth) {
  // Formats built in code are not checked, so every type code (known or not), width and
  // decimals must still give a text of exactly the width.
  using limits = std::numeric_limits<double>;
  const double tiny = limits::denorm_min(), nan = limits::quiet_NaN(), inf = limits::infinity();
  const double sysmis = VORN_SystemMissing();
  const double values[] = {-0.0, 1.5, -1e10, 1e300, tiny, sysmis, nan, -inf, k1970 + 0.5, -3723.25};
  for (int type = 3; type < 90; ++type) {
    for (int width : {0, 1, 2, 5, 8, 11, 17, 20, 40}) {
      for (int decimals : {0, 2, 16, 255}) {
        for (double value : values) {
          const std::string text = Show(value, static_cast<F::FormatType>(type), width, decimals);
          ASSERT_EQ(text.size(), static_cast<std::size_t>(width))
              << "type " << type << " width " << width << " decimals " << decimals << " value "
              << value;
        }
      }
    }
  }
}

TEST(ToString, StringFormatsReadEveryUnit) {
  OBS units[2];
  std::memcpy(units, "abcdefghijklmnop", 16);
  std::vector<char> buffer(20, '#');
  EXPECT_EQ(ToString(units, VORN_Format(F::kA, 10, 0), buffer.data()), 10);
  EXPECT_STREQ(buffer.data(), "abcdefghij");
  EXPECT_EQ(buffer[11], '#');
  EXPECT_EQ(ToString(units, VORN_Format(F::kAHEX, 6, 0), buffer.data()), 6);
  EXPECT_STREQ(buffer.data(), "616263");

  OBS withNul;
  std::memcpy(withNul.s, "ab\0d    ", 8);
  ToString(&withNul, VORN_Format(F::kA, 4, 0), buffer.data());
  EXPECT_STREQ(buffer.data(), "ab d") << "a NUL must not shorten the text";
}

TEST(FormatValue, TrimsAndHandlesStringFormats) {
  EXPECT_EQ(FormatValue(3.14159, VORN_Format()), "3.14");
  EXPECT_EQ(FormatValue(VORN_SystemMissing(), VORN_Format()), ".");
  EXPECT_EQ(FormatValue(0, VORN_Format(F::kDATE, 11, 0)), "14-OCT-1582");
  EXPECT_EQ(FormatValue(3.5, VORN_Format(F::kA, 8, 0)), "3.5");
  EXPECT_EQ(FormatValue(VORN_SystemMissing(), VORN_Format(F::kA, 8, 0)), ".");
}

TEST(ToString, IgnoresTheCLocale) {
  ScopedGermanLocale german;
  if (!german.Active())
    GTEST_SKIP() << "no German locale and no localedef to build one";
  EXPECT_EQ(Show(1234.5, F::kF, 8, 2), " 1234.50");
  EXPECT_EQ(Show(1234.5, F::kE, 10, 3), "1.235E+003");
}

} // namespace
