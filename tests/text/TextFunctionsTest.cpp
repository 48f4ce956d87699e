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
using Tokens = std::vector<std::string>;

TEST(SplitToToken, SplitsOnBlanksTabsLineFeedsAndCommasAndAppends) {
  struct Case {
    const char* text;
    Tokens tokens;
    const char* desc;
  } cases[] = {
      {" ,\t\r\n,", {}, "separators only"},
      {"a b\tc\r\nd,,e ", {"a", "b", "c", "d", "e"}, "each separator, no empty token"},
      {"1.5;2", {"1.5;2"}, "semicolon is not a separator"},
  };
  for (const Case& c : cases) {
    Tokens tokens;
    SplitToToken(c.text, tokens);
    EXPECT_EQ(tokens, c.tokens) << c.desc;
  }
  Tokens tokens{"keep"};
  SplitToToken("a b", tokens);
  EXPECT_EQ(tokens, (Tokens{"keep", "a", "b"}));
}

TEST(String2Double, AcceptsDecimalNumbersOnly) {
  struct Case {
    const char* text;
    double value;
  } accepted[] = {
      {"\t-1.5\n", -1.5}, {"+.5", 0.5},
      {"2.5E-2", 0.025},  {"0.1", 0.1},
      {"1e-400", 0},      {"4.9406564584124654e-324", std::numeric_limits<double>::denorm_min()}};
  for (const Case& c : accepted)
    EXPECT_EQ(String2Double(c.text), c.value) << "\"" << c.text << "\"";
  EXPECT_TRUE(std::signbit(String2Double("-1e-400")));
  for (const char* text :
       {"", "   ", "12abc", "1 2", "1,5", "0x10", "nan", "-infinity", "1e400", "+-1", ".", "1e"})
    EXPECT_EQ(String2Double(text), kSysmis) << "\"" << text << "\"";
}

TEST(String2Double, IgnoresTheCLocale) {
  ScopedGermanLocale german;
  if (!german.Active())
    GTEST_SKIP() << "no German locale and no localedef to build one";
  EXPECT_EQ(String2Double("1.5"), 1.5);
  EXPECT_EQ(String2Double("1,5"), kSysmis);
}

TEST(String2Integer, AcceptsDecimalIntegersOnlyAndRoundTrips) {
  EXPECT_EQ(String2Integer(" -7 "), -7);
  EXPECT_EQ(String2Integer("+007"), 7);
  for (const char* text : {"9223372036854775808", "1.5", "1e3", "0x10", "", "12 13", "-"})
    EXPECT_EQ(String2Integer(text), 0) << "\"" << text << "\"";
  for (long value :
       {0L, -42L, std::numeric_limits<long>::min(), std::numeric_limits<long>::max()}) {
    EXPECT_EQ(String2Integer(Integer2String(value)), value);
    EXPECT_EQ(IntegerToString(value), Integer2String(value));
  }
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
  EXPECT_EQ(NumericFormatCFToStat(kSysmis, 20), kSysmis);
  EXPECT_EQ(NumericFormatCFToStat(1e305, 20), kSysmis); // too many days for the host's seconds
}

} // namespace
