// The writers on a table made the way the procedure makes it, through the pivot builder: the
// model the builder leaves must come out in every format with its groups, notes and numbers.
#include "HtmlCheck.h"
#include "SchemaCheck.h"

#include "dict/VORN_DataSource.h"
#include "output/Document.h"
#include "pivot/BpAnnotation.h"
#include "pivot/BpCategory.h"
#include "pivot/BpDimension.h"
#include "pivot/BpGroup.h"
#include "pivot/BpNumber.h"
#include "pivot/BpPivotTable.h"
#include "pivot/BpProcedure.h"
#include "pivot/BpString.h"
#include "pivot/BpVariable.h"
#include "render/HtmlWriter.h"
#include "render/JsonWriter.h"
#include "render/TextWriter.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

struct BuilderFixture : ::testing::Test {
  output::Document document;
  VORN_DataSource data;
  BpProcedure procedure{document, nullptr, &data};

  BuilderFixture() {
    for (const char* name : {"before", "after", "later"})
      data.AddVariable(VORN_Variable(name, 0, VORN_Format(VORN_Format::kF, 8, 2)));
  }

  // Homogeneous subsets of three related samples: {before, after} and {after, later}.
  void BuildSubsets() {
    BpPivotTable table = procedure.PivotTable(BpString("Homogeneous Subsets", true),
                                              BpString("Homogeneous Subsets Table", false), false);
    BpDimension rows = table.Dimension(BpString("Statistics", false), 2);
    rows.Position(BpDimension::kRow, 1, true, false);
    BpDimension columns = table.Dimension(BpString("Subset", true), 2);
    columns.Position(BpDimension::kColumn, 1, false, false);
    BpGroup sample = rows.Group(BpString("Sample", true), true, 2);
    sample.Note(BpAnnotation(BpString("Each cell shows the sample average rank.", true)));
    const int members[2][2] = {{0, 1}, {1, 2}};
    const double ranks[] = {1.25, 2.0, 2.75};
    for (int k = 0; k < 2; ++k) {
      columns.Category(BpString(std::to_string(k + 1), false));
      for (int s : members[k])
        sample.Category(BpVariable(*data.GetVariable(s), BpVariable::kShowLabel))
            .Cell(BpNumber(ranks[s], BpProcedure::Coefficient()));
      rows.Category(BpString("Test Statistic", true))
          .Cell(BpNumber(k == 0 ? 0.5 : 1.0 / 3.0, BpProcedure::Coefficient()));
    }
  }

  template <class Writer> std::string Write(const Writer& writer) {
    std::ostringstream out;
    writer.Write(document, out);
    return out.str();
  }
};

TEST_F(BuilderFixture, JsonOfBuiltTableMatchesSchemaAndKeepsRawNumbers) {
  BuildSubsets();
  const nlohmann::json doc = nlohmann::json::parse(Write(JsonWriter()));
  std::ifstream in(NPTESTS_SOURCE_DIR "/docs/output-format.schema.json");
  EXPECT_EQ(SchemaCheck(nlohmann::json::parse(in), doc), "");
  const nlohmann::json& table = doc["items"][0]["items"][0];
  ASSERT_EQ(table["kind"], "table");
  // One row per sample although "after" was named in both subsets.
  EXPECT_EQ(table["dimensions"][0]["categories"][0]["children"].size(), 3u);
  bool found = false;
  for (const nlohmann::json& cell : table["cells"])
    if (cell["path"] == nlohmann::json::parse(R"([["Test Statistic"], ["2"]])")) {
      EXPECT_EQ(cell["value"].get<double>(), 1.0 / 3.0);
      found = true;
    }
  EXPECT_TRUE(found);
}

TEST_F(BuilderFixture, HtmlOfBuiltTableSpansTheGroup) {
  BuildSubsets();
  const std::string html = Write(HtmlWriter());
  EXPECT_EQ(CheckNesting(html), "");
  const std::vector<std::string> tables = Tables(html);
  ASSERT_EQ(tables.size(), 1u);
  std::vector<std::vector<GridCell>> rows;
  const auto grid = LayOut(tables[0], rows);
  // Header rows, then three sample rows and the statistic; every row equally wide.
  ASSERT_GE(grid.size(), 5u);
  const size_t width = grid[0].size();
  for (size_t i = 0; i < grid.size(); ++i) {
    if (grid[i].front()->tag != "td") { // the footer is one spanning cell
      EXPECT_EQ(grid[i].size(), width) << "row " << i;
    }
  }
  const size_t body = grid.size() - 5; // 4 body rows and the footer follow the header
  EXPECT_EQ(grid[body][0]->text.rfind("Sample", 0), 0u);
  EXPECT_EQ(grid[body][0], grid[body + 2][0]) << "the group spans its three samples";
  EXPECT_EQ(grid[body + 3][0]->text, "Test Statistic");
  // The middle sample has cells in both subsets, the first only in subset 1.
  EXPECT_FALSE(grid[body + 1][width - 1]->text.empty());
  EXPECT_FALSE(grid[body + 1][width - 2]->text.empty());
  EXPECT_TRUE(grid[body][width - 1]->text.empty());
}

TEST_F(BuilderFixture, TextOfBuiltTableIndentsSamples) {
  BuildSubsets();
  const std::string text = Write(TextWriter(60));
  EXPECT_NE(text.find("\nSample[a]\n  before"), std::string::npos) << text;
  EXPECT_NE(text.find("\na. "), std::string::npos);
}

} // namespace
