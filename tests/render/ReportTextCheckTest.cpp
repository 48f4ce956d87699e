// The text rules of a written report as the end-to-end tests and the report fuzz target check
// them: a checker that passes a broken report hides writer faults, one that fails a good report
// stops the fuzzer on nothing.
#include "ReportTextCheck.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ReportTextCheck, WellFormedTextAndLayoutPass) {
  const struct {
    const char* fDesc;
    std::string fText;
  } rows[] = {
      {"empty", ""},
      {"layout characters", "a\tb\r\nc\n"},
      {"two-, three- and four-byte forms", "\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80"},
      {"the edges of the ranges", "\xC2\xA0 \xED\x9F\xBF \xEE\x80\x80 \xF4\x8F\xBF\xBF"},
      {"the replacement character", "\xEF\xBF\xBD"},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(CheckReportText(row.fText, true), "") << row.fDesc;
    EXPECT_EQ(CheckReportText(row.fText, false), "") << row.fDesc;
  }
}

TEST(ReportTextCheck, FaultsAreNamedWithTheirByte) {
  const struct {
    const char* fDesc;
    std::string fText;
    bool fWithC1;
    const char* fFault;
  } rows[] = {
      {"escape", "ab\x1B[2J", false, "a raw control character (0x1B) at byte 2"},
      {"NUL", std::string("a\0b", 3), false, "a raw control character (0x0) at byte 1"},
      {"form feed", "\f", false, "a raw control character (0xC) at byte 0"},
      {"DEL counted with C1", "a\x7F", true, "a raw control character (0x7F) at byte 1"},
      {"C1 counted", "x\xC2\x9B", true, "a raw control character (0x9B) at byte 1"},
      {"C1's upper edge", "\xC2\x9F", true, "a raw control character (0x9F) at byte 0"},
      {"stray continuation", "a\x80", false, "ill-formed UTF-8 (0x80) at byte 1"},
      {"overlong two-byte", "\xC0\xAF", false, "ill-formed UTF-8 (0xC0) at byte 0"},
      {"overlong three-byte", "\xE0\x80\xAF", false, "ill-formed UTF-8 (0xE0) at byte 0"},
      {"surrogate", "\xED\xA0\x80", false, "ill-formed UTF-8 (0xED) at byte 0"},
      {"beyond U+10FFFF", "\xF4\x90\x80\x80", false, "ill-formed UTF-8 (0xF4) at byte 0"},
      {"truncated at the end", "ok\xE2\x82", false, "ill-formed UTF-8 (0xE2) at byte 2"},
      {"bad third byte", "\xE2\x82\x41", false, "ill-formed UTF-8 (0xE2) at byte 0"},
      {"invalid lead", "\xFF", false, "ill-formed UTF-8 (0xFF) at byte 0"},
  };
  for (const auto& row : rows)
    EXPECT_EQ(CheckReportText(row.fText, row.fWithC1), row.fFault) << row.fDesc;
}

TEST(ReportTextCheck, DelAndC1PassWhereTheyAreOrdinaryCharacters) {
  EXPECT_EQ(CheckReportText("a\x7F"
                            "b\xC2\x85"
                            "c\xC2\xA0",
                            false),
            "");
}

} // namespace
