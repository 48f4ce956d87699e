// The writers on a table made the way the procedure makes it, through the pivot builder: the
// model the builder leaves must come out in every format with its groups, notes and numbers.
#include "HtmlCheck.h"
#include "SampleDocument.h"
#include "SchemaCheck.h"

#include "dict/VORN_DataSource.h"
#include "output/Document.h"
#include "pivot/BpAnnotation.h"
#include "pivot/BpCategory.h"
#include "pivot/BpComposite.h"
#include "pivot/BpDimension.h"
#include "pivot/BpGroup.h"
#include "pivot/BpNumber.h"
#include "pivot/BpPivotTable.h"
#include "pivot/BpProcedure.h"
#include "pivot/BpString.h"
#include "pivot/BpVariable.h"
#include "render/HtmlWriter.h"
#include "render/JsonWriter.h"
#include "render/OutputWriter.h"
#include "render/TextWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

namespace {

std::string Write(const OutputWriter& writer, const output::Document& document) {
  std::ostringstream out;
  writer.Write(document, out);
  return out.str();
}

// Homogeneous subsets of three related samples, {before, after} and {after, later}: "after" is
// named in both subsets and must stay one row of the group.
TEST(BuilderRender, SubsetTableInEveryFormat) {
  output::Document document;
  VORN_DataSource data;
  for (const char* name : {"before", "after", "later"})
    data.AddVariable(VORN_Variable(name, 0, VORN_Format(VORN_Format::kF, 8, 2)));
  {
    BpProcedure procedure(document, nullptr, &data);
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
  const std::string json = Write(JsonWriter(), document);
  std::ifstream schema(NPTESTS_SOURCE_DIR "/docs/output-format.schema.json");
  EXPECT_EQ(SchemaCheck(nlohmann::json::parse(schema), nlohmann::json::parse(json)), "");
  EXPECT_NE(json.find("\"value\": 0.3333333333333333"), std::string::npos) << "raw number kept";
  // The text pins the rows (one per sample), the cells of each subset and the group's note.
  CheckGolden("builder-60.txt", Write(TextWriter(60), document));

  const std::string html = Write(HtmlWriter(), document);
  EXPECT_EQ(CheckNesting(html), "");
  std::vector<std::vector<GridCell>> cells;
  const auto grid = LayOut(Tables(html).at(0), cells);
  const auto sampleRow = std::find_if(grid.begin(), grid.end(), [](const auto& row) {
    return !row.empty() && row[0]->text.rfind("Sample", 0) == 0;
  });
  ASSERT_LE(sampleRow + 3, grid.end());
  EXPECT_EQ((*sampleRow)[0], (*(sampleRow + 2))[0]) << "the group spans its three samples";
  EXPECT_EQ((*(sampleRow + 3))[0]->text, "Test Statistic");
}

} // namespace

// A caption of styled parts (a report line): one set of runs in the model, set as inline elements
// in HTML, dropped to plain text in the text report, listed with the numbers in JSON. Text from
// data inside a styled run is still escaped.
TEST(BuilderRender, StyledCaptionInEveryFormat) {
  output::Document document;
  {
    BpProcedure procedure(document, nullptr, nullptr);
    BpPivotTable table =
        procedure.PivotTable(BpString("Effect Size", false), BpString("Effect Size", false), false);
    table.Dimension(BpString("Measure", false), 2)
        .Category(BpString("r", false))
        .Cell(BpNumber(0.5, BpProcedure::Coefficient()));
    BpComposite statistic("{i}H{/i}(^1) = ^2", false);
    statistic.Add(BpNumber(5, BpProcedure::Count()));
    statistic.Add(BpNumber(37.3427, BpProcedure::Fixed(2)));
    BpComposite p("{i}p{/i} ^1", false);
    p.Add(BpNumber(0.0004, BpProcedure::PValue()));
    BpComposite effect("ε²{sub}^1{/sub} = ^2", false);
    effect.Add(BpString("<R>", false));
    effect.Add(BpNumber(0.5334, BpProcedure::Fixed(2)));
    BpComposite line("^1, ^2, ^3", false);
    line.Add(statistic);
    line.Add(p);
    line.Add(effect);
    table.Caption(line);
  }
  EXPECT_NE(Write(TextWriter(60), document).find("H(5) = 37.34, p < .001, ε²<R> = 0.53"),
            std::string::npos);
  EXPECT_NE(Write(HtmlWriter(), document)
                .find("<i>H</i>(5) = 37.34, <i>p</i> &lt; .001, ε²<sub>&lt;R&gt;</sub> = 0.53"),
            std::string::npos);
  const nlohmann::json json = nlohmann::json::parse(Write(JsonWriter(), document));
  const nlohmann::json& caption = json["items"][0]["items"][0]["caption"];
  EXPECT_EQ(caption["text"], "H(5) = 37.34, p < .001, ε²<R> = 0.53");
  EXPECT_EQ(caption["runs"][0], (nlohmann::json{{"text", "H"}, {"style", "italic"}}));
  EXPECT_EQ(caption["items"][1]["items"][0]["value"], 0.0004) << "the raw significance";
  EXPECT_EQ(caption["items"][1]["items"][0]["text"], "< .001");
  std::ifstream schema(NPTESTS_SOURCE_DIR "/docs/output-format.schema.json");
  EXPECT_EQ(SchemaCheck(nlohmann::json::parse(schema), json), "");
}
