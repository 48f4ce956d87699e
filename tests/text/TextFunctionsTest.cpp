// Splitting, number parsing and the date conversion of the host's text functions.
#include "text/TextFunctions.h"

#include "ScopedGermanLocale.h"

#include "dict/VORN_SystemMissing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

const double kSysmis = VORN_SystemMissing();

TEST(SplitToToken, SplitsOnBlanksTabsLineFeedsAndCommas) {
  struct Case {
    const char* text;
    std::vector<std::string> tokens;
    const char* desc;
  } cases[] = {
      {"", {}, "empty text"},
      {" ,\t\r\n,", {}, "separators only"},
      {"a", {"a"}, "one token"},
      {"a b\tc\nd,e", {"a", "b", "c", "d", "e"}, "each separator"},
      {"a,,b", {"a", "b"}, "adjacent commas make no empty token"},
      {"  a  ", {"a"}, "leading and trailing blanks"},
      {"1.5;2", {"1.5;2"}, "semicolon is not a separator"},
      {"x\r\ny", {"x", "y"}, "CRLF line ends"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> tokens;
    SplitToToken(c.text, tokens);
    EXPECT_EQ(tokens, c.tokens) << c.desc;
  }
}

TEST(SplitToToken, AppendsToExistingTokens) {
  std::vector<std::string> tokens{"keep"};
  SplitToToken("a b", tokens);
  EXPECT_EQ(tokens, (std::vector<std::string>{"keep", "a", "b"}));
}

TEST(String2Double, AcceptsDecimalNumbersOnly) {
  struct Case {
    const char* text;
    double value;
    const char* desc;
  } cases[] = {
      {"12", 12, "integer"},
      {" 12 ", 12, "blanks around"},
      {"\t-1.5\n", -1.5, "tab and line feed around"},
      {"+.5", 0.5, "plus sign and no leading digit"},
      {"1e3", 1000, "exponent"},
      {"2.5E-2", 0.025, "upper-case exponent"},
      {"0.1", 0.1, "nearest double"},
      {"1e-400", 0, "underflow rounds to zero"},
      {"", kSysmis, "empty"},
      {"   ", kSysmis, "blanks only"},
      {"abc", kSysmis, "letters"},
      {"12abc", kSysmis, "trailing junk"},
      {"1 2", kSysmis, "two numbers"},
      {"1,5", kSysmis, "comma as decimal point"},
      {"0x10", kSysmis, "hexadecimal"},
      {"nan", kSysmis, "nan"},
      {"inf", kSysmis, "infinity"},
      {"-infinity", kSysmis, "negative infinity"},
      {"1e400", kSysmis, "overflow"},
      {"-1e400", kSysmis, "negative overflow"},
      {"+-1", kSysmis, "two signs"},
      {"+", kSysmis, "sign only"},
      {".", kSysmis, "point only"},
      {"1e", kSysmis, "exponent without digits"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(String2Double(c.text), c.value) << c.desc << ": \"" << c.text << "\"";
}

TEST(String2Double, SubnormalSurvivesTheUnderflowPath) {
  EXPECT_EQ(String2Double("4.9406564584124654e-324"), std::numeric_limits<double>::denorm_min());
  EXPECT_TRUE(std::signbit(String2Double("-1e-400")));
}

TEST(String2Double, IgnoresTheCLocale) {
  double point = 0;
  double comma = 0;
  {
    ScopedGermanLocale german;
    if (!german.Active())
      GTEST_SKIP() << "no German locale and no localedef to build one";
    point = String2Double("1.5");
    comma = String2Double("1,5");
  }
  EXPECT_EQ(point, 1.5);
  EXPECT_EQ(comma, kSysmis);
}

TEST(String2Integer, AcceptsDecimalIntegersOnly) {
  struct Case {
    const char* text;
    long value;
    const char* desc;
  } cases[] = {
      {"42", 42, "plain"},
      {" -7 ", -7, "negative with blanks"},
      {"+3", 3, "plus sign"},
      {"007", 7, "leading zeros"},
      {"9223372036854775807", std::numeric_limits<long>::max(), "largest long"},
      {"-9223372036854775808", std::numeric_limits<long>::min(), "smallest long"},
      {"9223372036854775808", 0, "overflow"},
      {"1.5", 0, "decimal point"},
      {"1e3", 0, "exponent"},
      {"0x10", 0, "hexadecimal"},
      {"", 0, "empty"},
      {"abc", 0, "letters"},
      {"12 13", 0, "two numbers"},
      {"-", 0, "sign only"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(String2Integer(c.text), c.value) << c.desc << ": \"" << c.text << "\"";
}

TEST(IntegerText, RoundTripsThroughString2Integer) {
  for (long value :
       {0L, -1L, 42L, std::numeric_limits<long>::min(), std::numeric_limits<long>::max()}) {
    EXPECT_EQ(String2Integer(Integer2String(value)), value);
    EXPECT_EQ(IntegerToString(value), Integer2String(value));
  }
  EXPECT_EQ(Integer2String(-42), "-42");
}

TEST(NumericFormatCFToStat, EngineDatesMoveToTheHostTimeBase) {
  const double base = 12219379200.0; // 1970-01-01 in seconds from 1582-10-14
  struct Case {
    double value;
    int type;
    double expected;
    const char* desc;
  } cases[] = {
      {0, 20, base, "DATE of day 0 is 1 January 1970"},
      {1, 20, base + 86400, "DATE"},
      {2, 23, base + 172800, "ADATE"},
      {-1, 24, base - 86400, "JDATE before 1970"},
      {1, 28, base + 86400, "MOYR"},
      {1, 29, base + 86400, "QYR"},
      {1, 30, base + 86400, "WKYR"},
      {1, 38, base + 86400, "EDATE"},
      {1.5, 39, base + 129600, "SDATE with a fraction of a day"},
      {-141428, 20, 0, "the first day of the host's calendar"},
      {86400, 22, base + 86400, "DATETIME counts seconds"},
      {60, 86, base + 60, "YMDHMS counts seconds"},
      {3600, 21, 3600, "TIME is a duration"},
      {3, 26, 3, "WKDAY is a day number"},
      {3.25, 5, 3.25, "F"},
      {kSysmis, 20, kSysmis, "system-missing date"},
      {1e305, 20, kSysmis, "day count too large"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(NumericFormatCFToStat(c.value, c.type), c.expected) << c.desc;
}

} // namespace
