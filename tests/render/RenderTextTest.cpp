// Control-character policy, escaping, terminal widths, wrapping and column fitting.
#include "render/RenderText.h"

#include "render/TextLayout.h"

#include <gtest/gtest.h>

#include <numeric>

namespace {

struct TextCase {
  const char* desc;
  std::string in;
  std::string out;
};

// One rule for every format: a control or bidirectional control shows as U+FFFD where people read
// the text (as on a terminal, below) and is a \u escape in JSON, which keeps the value exact.
TEST(RenderTextTest, ForHtmlAndForJsonEscapeAndReplaceControls) {
  const char* const r = "\xEF\xBF\xBD";
  const struct {
    const char* desc;
    std::string in, html, json;
  } cases[] = {
      {"markup", "<script>alert('x')</script>", "&lt;script&gt;alert(&#39;x&#39;)&lt;/script&gt;",
       "<script>alert('x')</script>"},
      {"quotes, ampersand and backslash", "a \"b\" & c\\", "a &quot;b&quot; &amp; c\\",
       "a \\\"b\\\" & c\\\\"},
      {"already escaped is escaped again", "&amp;", "&amp;amp;", "&amp;"},
      {"C0 controls and DEL; whitespace to blanks", "a\x01\x1B[31mb\tc\nd\x7F",
       std::string("a") + r + r + "[31mb c d" + r, "a\\u0001\\u001b[31mb\\tc\\nd\\u007f"},
      {"C1 control", "a\xC2\x85z", std::string("a") + r + "z", "a\\u0085z"},
      {"direction overrides and isolates",
       "\xE2\x80\xAE"
       "fdp.exe\xE2\x81\xA6x\xE2\x80\x8F",
       std::string(r) + "fdp.exe" + r + "x" + r, "\\u202efdp.exe\\u2066x\\u200f"},
      {"invalid UTF-8 replaced", "<\xFF>", std::string("&lt;") + r + "&gt;",
       std::string("<") + r + ">"},
      {"other characters kept", "\xC3\xA9\xE2\x80\xA8", "\xC3\xA9\xE2\x80\xA8",
       "\xC3\xA9\xE2\x80\xA8"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RenderText::ForHtml(c.in), c.html) << c.desc;
    EXPECT_EQ(RenderText::ForJson(c.in), c.json) << c.desc;
  }
}

TEST(RenderTextTest, ForTerminalNeutralisesEscapeSequences) {
  EXPECT_EQ(RenderText::ForTerminal("a\x1B[2Jb", false), "a\xEF\xBF\xBD[2Jb");
  EXPECT_EQ(RenderText::ForTerminal("a\r\nb\tc", false), "a  b c");
  EXPECT_EQ(RenderText::ForTerminal("a\r\nb", true), "a\nb");
  EXPECT_EQ(RenderText::ForTerminal("\xC3", true), "\xEF\xBF\xBD");
  EXPECT_EQ(RenderText::ForTerminal("a\xE2\x80\xAE"
                                    "b\xD8\x9C",
                                    false),
            "a\xEF\xBF\xBD"
            "b\xEF\xBF\xBD")
      << "a direction override cannot reorder the terminal's line";
}

TEST(RenderTextTest, DisplayWidthCountsColumnsNotBytes) {
  const struct {
    const char* desc;
    std::string text;
    int width;
  } cases[] = {
      {"two-byte letters", "\xC3\xA9t\xC3\xA9", 3},
      {"combining accent takes no column", "e\xCC\x81", 1},
      {"CJK is double width", "\xE4\xB8\xAD\xE6\x96\x87", 4},
  };
  for (const auto& c : cases)
    EXPECT_EQ(RenderText::DisplayWidth(c.text), c.width) << c.desc;
}

TEST(TextLayoutTest, WrapBreaksAtBlanksAndCutsLongWords) {
  const struct {
    const char* desc;
    std::string text;
    int width;
    std::vector<std::string> lines;
  } cases[] = {
      {"breaks at blank",
       "The distribution of x is normal",
       12,
       {"The", "distribution", "of x is", "normal"}},
      {"long word cut", "Kolmogorov-Smirnov", 8, {"Kolmogor", "ov-Smirn", "ov"}},
      {"runs of blanks collapse", "a    b", 10, {"a b"}},
      {"line feed forces a break", "one\ntwo", 20, {"one", "two"}},
      {"empty paragraph kept", "a\n\nb", 5, {"a", "", "b"}},
      {"empty text is one empty line", "", 5, {""}},
      {"wide characters by columns",
       "\xE4\xB8\xAD\xE6\x96\x87\xE5\xAD\x97",
       4,
       {"\xE4\xB8\xAD\xE6\x96\x87", "\xE5\xAD\x97"}},
      {"no code point split", "\xC3\xA9\xC3\xA9\xC3\xA9", 2, {"\xC3\xA9\xC3\xA9", "\xC3\xA9"}},
      {"width below one counts as one", "ab", 0, {"a", "b"}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(TextLayout::Wrap(c.text, c.width), c.lines) << c.desc;
}

TEST(TextLayoutTest, PadAlignsByColumns) {
  EXPECT_EQ(TextLayout::Pad("ab", 5, TextLayout::Align::kLeft), "ab   ");
  EXPECT_EQ(TextLayout::Pad("ab", 5, TextLayout::Align::kRight), "   ab");
  EXPECT_EQ(TextLayout::Pad("ab", 5, TextLayout::Align::kCenter), " ab  ");
  EXPECT_EQ(TextLayout::Pad("\xC3\xA9", 3, TextLayout::Align::kRight), "  \xC3\xA9");
  EXPECT_EQ(TextLayout::Pad("toolong", 3, TextLayout::Align::kLeft), "toolong");
}

int Sum(const std::vector<int>& v) {
  return std::accumulate(v.begin(), v.end(), 0);
}

TEST(TextLayoutTest, FitColumnsSharesRoomByNeed) {
  // Everything fits: natural widths.
  EXPECT_EQ(TextLayout::FitColumns({{10, 3}, {20, 5}}, 40), (std::vector<int>{10, 20}));
  // Too wide: minimums plus the room in proportion to what is lacking, using all of it.
  const std::vector<int> shared = TextLayout::FitColumns({{10, 4}, {60, 6}, {5, 5}}, 40);
  EXPECT_EQ(Sum(shared), 40);
  EXPECT_GE(shared[0], 4);
  EXPECT_GT(shared[1], shared[0]);
  EXPECT_EQ(shared[2], 5);
  // Minimums alone too wide: the widest minimum is cut, down to the floor and no further.
  const std::vector<int> cut = TextLayout::FitColumns({{50, 50}, {8, 8}}, 30);
  EXPECT_EQ(cut, (std::vector<int>{22, 8}));
  const std::vector<int> floor = TextLayout::FitColumns({{50, 50}, {50, 50}}, 4, 6);
  EXPECT_EQ(floor, (std::vector<int>{6, 6}));
  // A column's widest number is never cut: the text columns beside it give way, and when they
  // cannot the table stays wider than asked.
  EXPECT_EQ(TextLayout::FitColumns({{30, 30, 0}, {20, 20, 20}}, 36), (std::vector<int>{16, 20}));
  EXPECT_EQ(TextLayout::FitColumns({{8, 8, 0}, {20, 20, 18}}, 10), (std::vector<int>{6, 18}));
  // Empty columns still get one column.
  EXPECT_EQ(TextLayout::FitColumns({{0, 0}}, 10), (std::vector<int>{1}));
}

} // namespace
