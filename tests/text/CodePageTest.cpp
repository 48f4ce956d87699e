// Code-page conversions of valid and broken UTF-8, and the U+FFFD repair.
#include "text/CodePage.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace {

const std::string kFffd = "\xEF\xBF\xBD";

// Each broken text with what SanitizeUtf8 makes of it: one U+FFFD per ill-formed subpart.
struct BrokenCase {
  std::string text;
  std::string repaired;
  const char* desc;
};

const BrokenCase kBroken[] = {
    {"a\xFF!", "a" + kFffd + "!", "byte FF"},
    {"\xC3", kFffd, "truncated two-byte sequence at the end"},
    {"\xE2\x82x", kFffd + "x", "truncated three-byte sequence is one subpart"},
    {"\xF0\x9F\x98z", kFffd + "z", "truncated four-byte sequence keeps the ASCII after it"},
    {"\xC0\xAF", kFffd + kFffd, "overlong slash: each byte replaced"},
    {"\xE0\x80\xAF", kFffd + kFffd + kFffd, "overlong three-byte form: each byte replaced"},
    {"\xED\xA0\x80", kFffd + kFffd + kFffd, "encoded surrogate"},
    {"\xF4\x90\x80\x80", kFffd + kFffd + kFffd + kFffd, "above U+10FFFF"},
    {"\x80\x80", kFffd + kFffd, "lone continuation bytes"},
};

// A NUL byte is well-formed UTF-8.
const std::string kValid[] = {
    "",         "plain ASCII", "\xC3\xA9t\xC3\xA9", "\xE2\x82\xAC\xF0\x9F\x98\x80", "\xEF\xBF\xBD",
    {"a\0b", 3}};

TEST(CodePage, ValidTextPassesBrokenTextIsRefusedAndRepaired) {
  for (const std::string& text : kValid) {
    std::string toU8, toLocal;
    EXPECT_TRUE(VORNMBGenericToU8(text, toU8) == 0 && toU8 == text) << text;
    EXPECT_TRUE(VORNMBU8ToGeneric(text, toLocal) == 0 && toLocal == text) << text;
    EXPECT_TRUE(IsValidUtf8(text)) << text;
    EXPECT_EQ(SanitizeUtf8(text), text);
  }
  for (const BrokenCase& c : kBroken) {
    std::string toU8 = "untouched", toLocal = "untouched";
    EXPECT_NE(VORNMBGenericToU8(c.text, toU8), 0) << c.desc;
    EXPECT_EQ(toU8, "untouched") << c.desc;
    EXPECT_NE(VORNMBU8ToGeneric(c.text, toLocal), 0) << c.desc;
    EXPECT_EQ(toLocal, "untouched") << c.desc;
    EXPECT_FALSE(IsValidUtf8(c.text)) << c.desc;
    EXPECT_EQ(SanitizeUtf8(c.text), c.repaired) << c.desc;
  }
  std::string longer, out; // longer than the converter's first buffer
  for (int i = 0; i < 5000; ++i)
    longer += "\xC3\xA9";
  ASSERT_EQ(VORNMBGenericToU8(longer, out), 0);
  EXPECT_EQ(out, longer);
}

TEST(IconvConverter, ConvertsMovesRecoversAndReportsUnknownEncodings) {
  IconvConverter latin1("UTF-8", "ISO-8859-1");
  std::string out;
  ASSERT_TRUE(latin1.Convert("caf\xE9", out));
  EXPECT_EQ(out, "caf\xC3\xA9");
  IconvConverter moved(std::move(latin1));
  EXPECT_FALSE(latin1.IsOpen());
  ASSERT_TRUE(moved.IsOpen());

  IconvConverter utf8("UTF-8", "UTF-8");
  EXPECT_FALSE(utf8.Convert("\xC3", out));
  ASSERT_TRUE(utf8.Convert("ok", out)); // the failed call must not leave a shift state behind
  EXPECT_EQ(out, "ok");

  IconvConverter unknown("UTF-8", "NO-SUCH-ENCODING");
  EXPECT_FALSE(unknown.IsOpen());
  std::string kept = "kept";
  EXPECT_FALSE(unknown.Convert("x", kept));
  EXPECT_EQ(kept, "kept");
}

} // namespace
