// The plug-in's value helpers: blank trimming and the code-page conversions.
#include "NOPRUTILITY.h"

#include <gtest/gtest.h>

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
