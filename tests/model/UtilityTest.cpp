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
  const std::pair<std::string, std::string> rows[] = {
      {"  a b  ", "a b"}, {"    ", ""}, {"", ""}, {"ab  ", "ab"}, {" \t ab \n ", "\t ab \n"}};
  for (const auto& row : rows) {
    std::string text = row.first;
    trimSpaces(text);
    EXPECT_EQ(text, row.second) << "\"" << row.first
                                << "\": only blanks go, tabs and line feeds stay";
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
  EXPECT_EQ(ToString(-3.14159, VORN_Format(VORN_Format::kF, 8, 2), buffer), 8);
  EXPECT_STREQ(buffer, "   -3.14");
}

TEST(CodePage, ConvertsAndFallsBackToTheInput) {
  const std::string accented = "caf\xc3\xa9";
  EXPECT_EQ(NOPRUTILITY::stringToUTF8(accented), accented);
  EXPECT_EQ(NOPRUTILITY::stringToCodePage(accented), accented);
  // Not valid in the local code page: the converter fails and the text comes back as it was.
  const std::string broken = "a\xff\xfez";
  EXPECT_EQ(NOPRUTILITY::stringToUTF8(broken), broken);
  EXPECT_EQ(NOPRUTILITY::stringToCodePage(broken), broken);
}

} // namespace
