// Chart texts: UTF-8 and UTF-16 conversions, numbers as text, replacement, code pages and dates.
#include "chart/ChartString.h"

#include "DataTable.h"

#include "chart/ChartError.h"
#include "chart/ChartTranscoder.h"
#include "chart/XUtility.h"
#include "chart/formatter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

constexpr double kSystemMissing = -std::numeric_limits<double>::max();

TEST(ChartString, Utf8RoundTripsThroughUtf16) {
  struct Case {
    const char* utf8;
    std::u16string utf16;
    const char* desc;
  };
  const Case cases[] = {
      {"", u"", "empty"},
      {"Häufigkeit", u"H\u00e4ufigkeit", "two-byte sequence"},
      {"\xE2\x82\xAC 5", u"\u20ac 5", "three-byte sequence"},
      {"\xF0\x9F\x98\x80 x", u"\U0001F600 x", "outside the basic plane: a surrogate pair"},
      {"\xF0\x9D\x84\x9E\xF0\x9F\x98\x80", u"\U0001D11E\U0001F600", "two pairs in a row"},
      {"\xF4\x8F\xBF\xBF", u"\U0010FFFF", "the last code point"},
      {"a\tb\nc", u"a\tb\nc", "control characters are kept"},
  };
  for (const Case& c : cases) {
    const ChartString text(c.utf8);
    EXPECT_EQ(text.text(), c.utf16) << c.desc;
    EXPECT_EQ(text.toUTF8(), c.utf8) << c.desc;
    EXPECT_EQ(ChartString(c.utf16.c_str()).toUTF8(), c.utf8) << c.desc;
  }
}

// The UTF-8 side is repaired by SanitizeUtf8 (its cases: tests/text); one case shows it is applied.
TEST(ChartString, IllFormedTextBecomesReplacementCharacters) {
  EXPECT_EQ(ChartString("a\xFF\xC0\xAF"
                        "b")
                .text(),
            u"a\uFFFD\uFFFD\uFFFDb");

  // Unpaired surrogates in 16-bit text cannot be written as UTF-8.
  const std::u16string lone = {u'a', char16_t(0xD83D), u'b', char16_t(0xDE00)};
  EXPECT_EQ(ChartString(lone.c_str()).toUTF8(), "a\xEF\xBF\xBD"
                                                "b\xEF\xBF\xBD");
  EXPECT_TRUE(ChartString(static_cast<const char*>(nullptr)).empty());
  EXPECT_TRUE(XUtility::ChartStringFromOLANG(nullptr).empty());
  EXPECT_EQ(XUtility::ChartStringFromLocalCodePage("Gr\xC3\xB6\xC3\x9F"
                                                   "e")
                .text(),
            u"Gr\u00f6\u00dfe");
}

// A value of a data file: "sysmis" is the system-missing value.
double Value(const std::string& field) {
  return field == "sysmis" ? kSystemMissing : std::stod(field);
}

TEST(ChartString, NumbersAsText) {
  for (const DataRow& row : ReadDataTable("tests/chart/data/numbers.tsv", 3)) {
    ChartString text("old");
    EXPECT_EQ(text.assignDouble(Value(row.fields[0]), std::stoi(row.fields[1])).toUTF8(),
              row.fields[2])
        << row.where;
  }
  ChartString integer;
  EXPECT_EQ(integer.assignInteger(-42).toUTF8(), "-42");
  EXPECT_EQ(integer.assignInteger(std::numeric_limits<long long>::min()).toUTF8(),
            "-9223372036854775808");
  EXPECT_EQ(ChartString("n=").appendInteger(12).append(u'!').toUTF8(), "n=12!");
}

TEST(ChartString, ReplaceSubstring) {
  struct Case {
    const char16_t* text;
    const char16_t* from;
    const char16_t* to;
    const char16_t* result;
    std::size_t count;
    const char* desc;
  };
  const Case cases[] = {
      {u"a\\nb\\nc", u"\\n", u"\n", u"a\nb\nc", 2, "every occurrence"},
      {u"aaa", u"aa", u"b", u"ba", 1, "occurrences do not overlap"},
      {u"xax", u"a", u"aa", u"xaax", 1, "the replacement is not searched again"},
      {u"abc", u"", u"z", u"abc", 0, "an empty pattern changes nothing"},
      {u"abc", nullptr, u"z", u"abc", 0, "a null pattern changes nothing"},
      {u"abcb", u"b", nullptr, u"ac", 2, "a null replacement removes"},
      {u"abc", u"abcd", u"z", u"abc", 0, "a pattern longer than the text"},
      {u"^1 and ^1", u"^1", u"\U0001F600", u"\U0001F600 and \U0001F600", 2, "by a surrogate pair"},
      {u"", u"a", u"b", u"", 0, "an empty text"},
  };
  for (const Case& c : cases) {
    ChartString text(c.text);
    EXPECT_EQ(text.replaceSubstring(c.from, c.to), c.count) << c.desc;
    EXPECT_EQ(text.text(), c.result) << c.desc;
  }
  // Pattern and replacement may be the text's own buffer.
  ChartString self(u"abab");
  EXPECT_EQ(self.replaceSubstring(self.xc_str() + 2, self.xc_str() + 3), 2u);
  EXPECT_EQ(self.text(), u"bb");
}

TEST(ChartTranscoder, ReadsCodePagesAndGoesOnPastUndefinedBytes) {
  const ChartTranscoder windows("CP1252");
  EXPECT_EQ(windows.transcode("\x80 \xE4\\n").text(), u"\u20ac \u00e4\\n");
  // 0x81 is not defined in CP1252: one replacement, and the rest still comes through.
  EXPECT_EQ(windows
                .transcode("a\x81"
                           "b\x9C")
                .text(),
            u"a\uFFFDb\u0153");
  const ChartTranscoder utf8("UTF-8");
  EXPECT_EQ(utf8.transcode("\xF0\x9F\x98\x80\xC3").text(), u"\U0001F600\uFFFD");
  // Longer than the converter's buffer.
  const std::string longText(1000, '\xE4');
  EXPECT_EQ(ChartTranscoder("ISO-8859-1").transcode(longText).text(),
            std::u16string(1000, u'\u00e4'));
  EXPECT_THROW(ChartTranscoder("NO-SUCH-CODE-PAGE"), ChartError);
}

TEST(Formatter, DatesAsIsoDateTimes) {
  for (const DataRow& row : ReadDataTable("tests/chart/data/dates.tsv", 2))
    EXPECT_EQ(formatter::formattedDate(Value(row.fields[0])).toUTF8(), row.fields[1]) << row.where;
}

} // namespace
