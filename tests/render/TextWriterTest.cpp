// The text writer: golden output of the sample at two widths, and the properties every width must
// keep (lines within the width, numbers right-aligned, wrapped labels, indentation of groups).
//
// Regenerate the golden files after an intended change of layout with:
//   NPTESTS_UPDATE_GOLDEN=1 build-<name>/bin/test_render --gtest_filter='TextWriterTest.Golden*'
// and review the diff.
#include "render/TextWriter.h"

#include "SampleDocument.h"

#include "render/RenderText.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

std::string WriteText(const output::Document& document, int width) {
  std::ostringstream out;
  TextWriter(width).Write(document, out);
  return out.str();
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);)
    lines.push_back(line);
  return lines;
}

// The display column just after the first occurrence of `needle` in a line starting with
// `start`; -1 when there is none.
int EndColumn(const std::vector<std::string>& lines, const std::string& start,
              const std::string& needle) {
  for (const std::string& line : lines) {
    if (line.rfind(start, 0) != 0)
      continue;
    const size_t at = line.find(needle, start.size());
    if (at != std::string::npos)
      return RenderText::DisplayWidth(line.substr(0, at + needle.size()));
  }
  return -1;
}

void CheckGolden(int width) {
  const std::string path = std::string(NPTESTS_SOURCE_DIR) + "/tests/render/golden/sample-" +
                           std::to_string(width) + ".txt";
  const std::string text = WriteText(*MakeSampleDocument(), width);
  if (std::getenv("NPTESTS_UPDATE_GOLDEN") != nullptr) {
    std::ofstream(path, std::ios::binary) << text;
    return;
  }
  std::ifstream in(path, std::ios::binary);
  ASSERT_TRUE(in) << path << " missing; see the top of this file";
  std::stringstream expected;
  expected << in.rdbuf();
  EXPECT_EQ(text, expected.str()) << "width " << width;
}

TEST(TextWriterTest, GoldenAtDefaultWidth) {
  CheckGolden(100);
}

TEST(TextWriterTest, GoldenNarrow) {
  CheckGolden(50);
}

TEST(TextWriterTest, LinesStayWithinTheWidth) {
  const auto document = MakeSampleDocument();
  for (int width : {30, 40, 60, 100}) {
    const std::string text = WriteText(*document, width);
    EXPECT_EQ(RenderText::ValidUtf8(text), text) << width;
    for (const std::string& line : Lines(text))
      EXPECT_LE(RenderText::DisplayWidth(line), width) << "width " << width << ": " << line;
  }
}

TEST(TextWriterTest, NumbersAlignRightAndGroupsIndent) {
  const std::vector<std::string> lines = Lines(WriteText(*MakeSampleDocument(), 100));
  const int a = EndColumn(lines, "  a ", "1.250");
  ASSERT_GT(a, 0);
  EXPECT_EQ(EndColumn(lines, "  b ", ".000"), a);
  EXPECT_EQ(EndColumn(lines, "Test Statistic", ".500"), a);
  EXPECT_EQ(EndColumn(lines, "                ", "1"), a) << "header over the column";
  EXPECT_EQ(EndColumn(lines, "  b ", "2.750"), EndColumn(lines, "Test Statistic", "12345.678"));
  // The group has a line of its own with its footnote mark; its members are indented under it.
  EXPECT_NE(std::find(lines.begin(), lines.end(), "Sample[a]"), lines.end());
}

TEST(TextWriterTest, LongLabelsWrapInsideTheirColumn) {
  const std::vector<std::string> lines = Lines(WriteText(*MakeSampleDocument(), 50));
  const auto first = std::find_if(lines.begin(), lines.end(), [](const std::string& l) {
    return l.find("The categories") != std::string::npos;
  });
  ASSERT_NE(first, lines.end());
  ASSERT_NE(first + 1, lines.end());
  const size_t column = first->find("The categories");
  EXPECT_EQ((first + 1)->find_first_not_of(' '), column) << "continuation starts in the column";
  EXPECT_NE(first->find("One-Sample"), std::string::npos) << "next column on the same line";
}

TEST(TextWriterTest, TableFurnitureAndOutline) {
  const std::string text = WriteText(*MakeSampleDocument(), 100);
  const std::vector<std::string> lines = Lines(text);
  EXPECT_EQ(lines[0], "1 Nonparametric Tests");
  EXPECT_EQ(lines[1], std::string(21, '='));
  EXPECT_NE(text.find("\n1.1 Related-Samples Friedman Test\n---"), std::string::npos);
  EXPECT_NE(text.find("Hypothesis Test Summary\nSplit: x = 1\n===="), std::string::npos)
      << "layer above the table";
  EXPECT_NE(text.find("====\nCaption with <b>markup</b>\na. The significance level is .050.\n"
                      "b. Asymptotic significance is displayed.\n"),
            std::string::npos)
      << "caption and footnotes below the table";
  EXPECT_NE(text.find("\nWarning: Not parse element: Foo & <Bar>\n"), std::string::npos);
  EXPECT_NE(text.find("\n[Chart: Box <plot> - of x]\n"), std::string::npos);
  EXPECT_EQ(text.find('\x1B'), std::string::npos) << "escape sequences neutralised";
}

TEST(TextWriterTest, NestedRowDimensionsSkipEmptyCombinations) {
  using namespace output;
  Document document;
  auto table = std::make_unique<Table>(Plain("Nested"), "Nested");
  Dimension* outer = table->AddDimension(Plain("Group"));
  Dimension* inner = table->AddDimension(Plain("Stat"));
  inner->SetPlacement(Dimension::Place::kRow, 2, false);
  const Category* g1 = outer->Root().FindOrAddChild(Plain("g1"), false);
  const Category* g2 = outer->Root().FindOrAddChild(Plain("g2"), false);
  const Category* s1 = inner->Root().FindOrAddChild(Plain("s1"), false);
  const Category* s2 = inner->Root().FindOrAddChild(Plain("s2"), false);
  table->CellAt({g1, s1}).label = Num(1, "1");
  table->CellAt({g1, s2}).label = Num(2, "2");
  table->CellAt({g2, s1}).label = Num(3, "3");
  document.Append(std::move(table));
  const std::vector<std::string> lines = Lines(WriteText(document, 40));
  const std::vector<std::string> expected = {"Nested",   "========", "Group",    "--------",
                                             "g1",       "  s1   1", "  s2   2", "g2",
                                             "  s1   3", "========"};
  EXPECT_EQ(lines, expected);
}

TEST(TextWriterTest, EveryLayerCombinationGetsItsTable) {
  using namespace output;
  Document document;
  auto table = std::make_unique<Table>(Plain("Layered"), "Layered");
  Dimension* layer = table->AddDimension(Plain("L"));
  layer->SetPlacement(Dimension::Place::kLayer, 1, true);
  Dimension* rows = table->AddDimension(Plain("R"));
  const Category* l1 = layer->Root().FindOrAddChild(Plain("one"), false);
  const Category* l2 = layer->Root().FindOrAddChild(Plain("two"), false);
  const Category* r = rows->Root().FindOrAddChild(Plain("r"), false);
  table->CellAt({l1, r}).label = Plain("first");
  table->CellAt({l2, r}).label = Plain("second");
  document.Append(std::move(table));
  const std::string text = WriteText(document, 40);
  const size_t one = text.find("L: one\n");
  const size_t two = text.find("L: two\n");
  ASSERT_NE(one, std::string::npos);
  ASSERT_NE(two, std::string::npos);
  EXPECT_LT(text.find("first"), two);
  EXPECT_GT(text.find("second"), two);
}

} // namespace
