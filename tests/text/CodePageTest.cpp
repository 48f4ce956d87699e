// Code-page conversions of valid and broken UTF-8, and the U+FFFD repair.
#include "text/CodePage.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace {

struct Utf8Case {
  std::string text;
  bool valid;
  const char* desc;
};

const Utf8Case kUtf8Cases[] = {
    {"", true, "empty"},
    {"plain ASCII", true, "ASCII"},
    {"Gr\xC3\xB6\xC3\x9F"
     "e",
     true, "two-byte letters"},
    {"\xE2\x82\xAC", true, "euro sign"},
    {"\xF0\x9F\x98\x80", true, "four-byte emoji"},
    {"\xEF\xBF\xBD", true, "the replacement character itself"},
    {"a\xFF"
     "b",
     false, "byte FF"},
    {"\xC3", false, "truncated two-byte sequence at the end"},
    {"\xC0\xAF", false, "overlong slash"},
    {"\xE0\x80\xAF", false, "overlong three-byte slash"},
    {"\xED\xA0\x80", false, "encoded surrogate"},
    {"\xF4\x90\x80\x80", false, "above U+10FFFF"},
    {"\x80", false, "lone continuation byte"},
};

TEST(CodePage, ConversionsValidateUtf8) {
  for (const Utf8Case& c : kUtf8Cases) {
    std::string toU8 = "untouched";
    std::string toLocal = "untouched";
    int rcU8 = VORNMBGenericToU8(c.text, toU8);
    int rcLocal = VORNMBU8ToGeneric(c.text, toLocal);
    if (c.valid) {
      EXPECT_EQ(rcU8, 0) << c.desc;
      EXPECT_EQ(toU8, c.text) << c.desc;
      EXPECT_EQ(rcLocal, 0) << c.desc;
      EXPECT_EQ(toLocal, c.text) << c.desc;
    } else {
      EXPECT_NE(rcU8, 0) << c.desc;
      EXPECT_EQ(toU8, "untouched") << c.desc;
      EXPECT_NE(rcLocal, 0) << c.desc;
      EXPECT_EQ(toLocal, "untouched") << c.desc;
    }
  }
}

TEST(CodePage, ConvertsTextLongerThanTheFirstBuffer) {
  std::string text;
  for (int i = 0; i < 5000; ++i)
    text += "\xC3\xA9";
  std::string out;
  ASSERT_EQ(VORNMBGenericToU8(text, out), 0);
  EXPECT_EQ(out, text);
}

TEST(IconvConverter, ConvertsLatin1AndReportsUnknownEncodings) {
  IconvConverter latin1("UTF-8", "ISO-8859-1");
  ASSERT_TRUE(latin1.IsOpen());
  std::string out;
  ASSERT_TRUE(latin1.Convert("caf\xE9", out));
  EXPECT_EQ(out, "caf\xC3\xA9");

  IconvConverter moved(std::move(latin1));
  EXPECT_FALSE(latin1.IsOpen());
  EXPECT_TRUE(moved.IsOpen());

  IconvConverter unknown("UTF-8", "NO-SUCH-ENCODING");
  EXPECT_FALSE(unknown.IsOpen());
  std::string kept = "kept";
  EXPECT_FALSE(unknown.Convert("x", kept));
  EXPECT_EQ(kept, "kept");
}

TEST(IconvConverter, RecoversAfterAFailedConversion) {
  IconvConverter converter("UTF-8", "UTF-8");
  std::string out;
  EXPECT_FALSE(converter.Convert("\xC3", out));
  ASSERT_TRUE(converter.Convert("ok", out));
  EXPECT_EQ(out, "ok");
}

TEST(SanitizeUtf8, ReplacesEachIllFormedSubpart) {
  const std::string fffd = "\xEF\xBF\xBD";
  struct Case {
    std::string text;
    std::string expected;
    const char* desc;
  } cases[] = {
      {"a\xFF"
       "b",
       "a" + fffd + "b", "invalid byte"},
      {"\xC3", fffd, "truncated at the end"},
      {"\xE2\x82"
       "x",
       fffd + "x", "truncated three-byte sequence is one subpart"},
      {"\xC0\xAF", fffd + fffd, "overlong: each byte replaced"},
      {"\xED\xA0\x80", fffd + fffd + fffd, "surrogate: E D then two continuation bytes"},
      {"\xF0\x9F\x98", fffd, "truncated four-byte sequence"},
      {"\x80\x80", fffd + fffd, "two lone continuation bytes"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(SanitizeUtf8(c.text), c.expected) << c.desc;
  for (const Utf8Case& c : kUtf8Cases) {
    if (c.valid) {
      EXPECT_EQ(SanitizeUtf8(c.text), c.text) << c.desc;
    }
  }
}

} // namespace
