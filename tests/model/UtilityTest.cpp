// The plug-in's value helpers: blank trimming, the system-missing value, number formatting and
// the code-page conversions.
#include "NOPRUTILITY.h"

#include "dict/VORN_Format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

TEST(TrimSpaces, RemovesOnlyOuterBlanks) {
  struct Row {
    const char* fDesc;
    std::string fIn;
    std::string fOut;
  } rows[] = {
      {"blanks on both sides, inner blank kept", "  a b  ", "a b"},
      {"only blanks", "    ", ""},
      {"empty", "", ""},
      {"single blank", " ", ""},
      {"nothing to trim", "ab", "ab"},
      {"leading only", "  ab", "ab"},
      {"trailing only", "ab  ", "ab"},
      {"tabs and line feeds are kept", "\tab\n", "\tab\n"},
      {"blanks outside a tab are removed", " \t ab \n ", "\t ab \n"},
  };
  for (const Row& row : rows) {
    std::string text = row.fIn;
    trimSpaces(text);
    EXPECT_EQ(text, row.fOut) << row.fDesc;
  }
}

TEST(SystemMissing, OnlyTheExactValue) {
  const double max = std::numeric_limits<double>::max();
  EXPECT_EQ(NOPRUTILITY::getSysMissing(), -max);
  EXPECT_TRUE(NOPRUTILITY::isSystemMissing(-max));
  EXPECT_FALSE(NOPRUTILITY::isSystemMissing(-std::numeric_limits<double>::infinity()));
  EXPECT_FALSE(NOPRUTILITY::isSystemMissing(std::nan("")));
  EXPECT_FALSE(NOPRUTILITY::isSystemMissing(max));
  EXPECT_FALSE(NOPRUTILITY::isSystemMissing(std::nextafter(-max, 0.0)));
}

TEST(ToStringOfDouble, FormatsTheNumberInTheGivenFormat) {
  char buffer[41];
  const VORN_Format f82(VORN_Format::kF, 8, 2);
  EXPECT_EQ(ToString(3.14159, f82, buffer), 8);
  EXPECT_STREQ(buffer, "    3.14");
  ToString(-2.5, VORN_Format(VORN_Format::kF, 6, 1), buffer);
  EXPECT_STREQ(buffer, "  -2.5");
  ToString(NOPRUTILITY::getSysMissing(), f82, buffer);
  EXPECT_STREQ(buffer, "       .");
}

TEST(CodePage, ConvertsAndFallsBackToTheInput) {
  const std::string accented = "Stra\xc3\x9f"
                               "e";
  EXPECT_EQ(NOPRUTILITY::stringToUTF8(accented), accented);
  EXPECT_EQ(NOPRUTILITY::stringToCodePage(accented), accented);
  // Not valid in the local code page: the converter fails and the text comes back as it was.
  const std::string broken = "a\xff\xfe"
                             "b";
  EXPECT_EQ(NOPRUTILITY::stringToUTF8(broken), broken);
  EXPECT_EQ(NOPRUTILITY::stringToCodePage(broken), broken);
  EXPECT_EQ(NOPRUTILITY::stringToUTF8(""), "");
}

} // namespace
