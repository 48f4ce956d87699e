// Splitting and number parsing of the host's text functions.
#include "text/TextFunctions.h"

#include "ScopedGermanLocale.h"

#include "text/VORN_SystemMissing.h"

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

} // namespace
