// The text writer: golden output of the sample at two widths, the properties every width must
// keep, and nested rows and layers on tables of their own.
#include "render/TextWriter.h"

#include "SampleDocument.h"

#include "render/RenderText.h"
#include "text/CodePage.h"

#include <gtest/gtest.h>

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

// The stored files pin the layout: alignment, wrapping inside columns, group indentation, the
// layer above and the caption and footnotes below each table, the outline and the messages.
TEST(TextWriterTest, GoldenAtDefaultAndNarrowWidth) {
  for (int width : {100, 50})
    CheckGolden("sample-" + std::to_string(width) + ".txt",
                WriteText(*MakeSampleDocument(), width));
}

TEST(TextWriterTest, LinesStayWithinTheWidth) {
  const auto document = MakeSampleDocument();
  for (int width : {30, 40, 60, 100}) {
    const std::string text = WriteText(*document, width);
    EXPECT_TRUE(IsValidUtf8(text)) << width;
    EXPECT_EQ(text.find('\x1B'), std::string::npos) << "escape sequences neutralised";
    for (const std::string& line : Lines(text))
      EXPECT_LE(RenderText::DisplayWidth(line), width) << "width " << width << ": " << line;
  }
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
