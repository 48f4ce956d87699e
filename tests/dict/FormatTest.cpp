// Display formats: widths and the packed form, the text form and its errors (data/format_text.tsv),
// and ToString for every format family with its fallbacks (data/to_string.tsv) and the buffer
// contract; engine dates in the host's time base.
#include "DataTable.h"
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

constexpr double k1970 = 141428 * 86400.0; // 01-JAN-1970 in seconds from 14 October 1582

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

// The format type of a name ("DATE"), or -1.
int TypeNamed(const std::string& name) {
  for (int type = 0; type < 90; ++type)
    if (name == F::TypeName(type))
      return type;
  return -1;
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

TEST(VORN_Format, TextFormReadsOrIsRefusedWithAReason) {
  for (const DataRow& row : ReadDataTable("tests/dict/data/format_text.tsv", 4)) {
    SCOPED_TRACE(row.where + " " + row.fields[3]);
    VORN_Format format(F::kWKDAY, 9, 0);
    std::string error;
    const bool read = VORN_Format::FromText(row.fields[0], format, &error);
    EXPECT_EQ(read, row.fields[1] != "refused") << error;
    if (read)
      EXPECT_EQ(format.ToText(), row.fields[1]);
    else {
      EXPECT_NE(error.find(row.fields[2]), std::string::npos) << error;
      EXPECT_EQ(format, VORN_Format(F::kWKDAY, 9, 0)) << "the format changed";
    }
  }
  VORN_Format format;
  EXPECT_FALSE(VORN_Format::FromText("Q1", format)) << "no error text wanted";
}

TEST(ToString, EveryFormatFamilyWithItsRoundingAndFallbacks) {
  for (const DataRow& row : ReadDataTable("tests/dict/data/to_string.tsv", 6)) {
    const int type = TypeNamed(row.fields[1]);
    ASSERT_GE(type, 0) << row.where;
    const double value = row.fields[0] == "sysmis" ? VORN_SystemMissing()
                                                   : std::strtod(row.fields[0].c_str(), nullptr);
    EXPECT_EQ(Show(value, static_cast<F::FormatType>(type), std::stoi(row.fields[2]),
                   std::stoi(row.fields[3])),
              row.fields[4])
        << row.where << ": " << row.fields[5];
  }
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
