// Control-character policy, escaping, terminal widths, wrapping and column fitting.
#include "render/RenderText.h"

#include "DataTable.h"

#include "render/TextLayout.h"

#include <gtest/gtest.h>

#include <numeric>
#include <sstream>

namespace {

// One rule for every format: a control or bidirectional control shows as U+FFFD where people read
// the text (as on a terminal, below) and is a \u escape in JSON, which keeps the value exact.
TEST(RenderTextTest, ForHtmlAndForJsonEscapeAndReplaceControls) {
  for (const DataRow& row : ReadDataTable("tests/render/data/escapes.tsv", 3)) {
    const std::string in = Unescaped(row.fields[0]);
    EXPECT_EQ(RenderText::ForHtml(in), Unescaped(row.fields[1])) << row.where;
    EXPECT_EQ(RenderText::ForJson(in), Unescaped(row.fields[2])) << row.where;
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
  for (const DataRow& row : ReadDataTable("tests/render/data/wrap.tsv", 4)) {
    std::vector<std::string> lines;
    std::istringstream split(Unescaped(row.fields[3]) + "|");
    for (std::string line; std::getline(split, line, '|');)
      lines.push_back(line);
    EXPECT_EQ(TextLayout::Wrap(Unescaped(row.fields[1]), std::stoi(row.fields[2])), lines)
        << row.where;
  }
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
