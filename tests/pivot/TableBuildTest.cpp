// Tables built through the pivot builder in the order the procedure builds them.
#include "PivotTestSupport.h"

#include "dict/VORN_DataSource.h"
#include "pivot/BpAnnotation.h"
#include "pivot/BpCategory.h"
#include "pivot/BpComposite.h"
#include "pivot/BpDataValue.h"
#include "pivot/BpDimension.h"
#include "pivot/BpNumber.h"
#include "pivot/BpPivotTable.h"
#include "pivot/BpString.h"
#include "pivot/BpVariable.h"
#include "text/VORN_SystemMissing.h"

#include <gtest/gtest.h>

namespace {

struct SummaryFixture : ::testing::Test {
  output::Document document;
  VORN_DataSource data;
  BpProcedure procedure{document, nullptr, &data};

  SummaryFixture() {
    VORN_Variable region("region", 0, VORN_Format(VORN_Format::kF, 8, 0));
    region.SetLabel("Sales region");
    region.ValueLabels().Add(2, "North");
    data.AddVariable(region);
  }

  // The summary table of two tests, with a split layer and notes; returns the model.
  const output::Table& BuildSummary() {
    BpPivotTable table = procedure.PivotTable(BpString("Hypothesis Test Summary", true),
                                              BpString("Hypothesis Test Summary", false), false);
    BpComposite caption("The significance level is ^1.", true);
    caption.Add(BpNumber(0.05, BpProcedure::Significance()));
    caption.Finish();
    table.Caption(caption);

    const VORN_Variable& region = *data.GetVariable(0);
    BpDimension layer = table.Dimension(BpVariable(region, BpVariable::kShowLabel), 0);
    layer.Position(BpDimension::kRow, 1, false, false);
    layer.Category(BpDataValue(region, 2.0, BpDataValue::kPreferLabel));

    BpDimension rows = table.Dimension(BpString("Item", false), 2);
    rows.Position(BpDimension::kRow, 1, true, false);
    BpDimension columns = table.Dimension(BpString("Statistics", true), 2);
    columns.Position(BpDimension::kColumn, 1, true, false);

    const char* decisions[] = {"Reject the null hypothesis.", "Retain the null hypothesis."};
    const double sigs[] = {0.0004, 0.25};
    for (int i = 0; i < 2; ++i) {
      rows.Category(BpNumber(i + 1, BpProcedure::Count()));
      BpCategory sig = columns.Category(BpString("Sig.", true));
      sig.Cell(BpNumber(sigs[i], BpProcedure::Significance()));
      sig.CellNote(BpAnnotation(BpString("HTSFootNoteShowAsymp", true)));
      BpCategory decision = columns.Category(BpString("Decision", true));
      decision.Cell(BpString(decisions[i], true));
    }
    columns.Category(BpString("Sig.", true))
        .CellNote(BpAnnotation(BpString("HTSFootNoteShowExact", true)));
    return *RootHeading(document).Items().back()->AsTable();
  }
};

TEST_F(SummaryFixture, CaptionPlacementCellsAndOneMarkPerNoteText) {
  const output::Table& table = BuildSummary();
  EXPECT_EQ(table.Title().Key(), std::optional<std::string>("Hypothesis Test Summary"));
  ASSERT_TRUE(table.Caption());
  EXPECT_EQ(table.Caption()->Text(), "The significance level is .050.");
  ASSERT_EQ(table.Dimensions().size(), 3u);
  EXPECT_EQ(table.Dimensions()[0]->GetPlace(), output::Dimension::Place::kLayer);
  EXPECT_EQ(table.Dimensions()[0]->GetLabel().Text(), "Sales region");
  EXPECT_EQ(table.Dimensions()[1]->GetPlace(), output::Dimension::Place::kRow);
  EXPECT_EQ(table.Dimensions()[2]->GetPlace(), output::Dimension::Place::kColumn);
  ASSERT_EQ(table.Dimensions()[2]->Categories().size(), 2u) << "Sig. and Decision, once each";

  // Cells go to their row and the layer's category.
  ASSERT_EQ(table.Cells().size(), 4u);
  const output::Cell* first = FindCellByTexts(table, {"North", "1", "Sig."});
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->label.Text(), "<.001");
  EXPECT_EQ(first->Value(), std::optional<double>(0.0004)) << "raw number kept exact";
  const output::Cell* decision = FindCellByTexts(table, {"North", "2", "Decision"});
  ASSERT_NE(decision, nullptr);
  EXPECT_EQ(decision->label.Key(), std::optional<std::string>("Retain the null hypothesis."));
  EXPECT_FALSE(decision->Value());

  // Notes share one mark per distinct text.
  const output::Cell* second = FindCellByTexts(table, {"North", "2", "Sig."});
  ASSERT_NE(second, nullptr);
  ASSERT_EQ(first->notes.size(), 1u);
  ASSERT_EQ(second->notes.size(), 2u) << "the exact-test note went to the latest row";
  EXPECT_EQ(first->notes[0].mark, "a");
  EXPECT_EQ(second->notes[0].mark, "a");
  EXPECT_EQ(second->notes[1].mark, "b");
  ASSERT_EQ(table.Footnotes().size(), 2u);
  EXPECT_EQ(table.Footnotes()[1].text, "HTSFootNoteShowExact");
  EXPECT_TRUE(second->notes[1].label.Untranslated()) << "no string table was given";
}

struct GridFixture : ::testing::Test {
  output::Document document;
  BpProcedure procedure{document, nullptr, nullptr};
  BpPivotTable table = procedure.PivotTable(BpString("T", false), BpString("T", false), false);
  BpDimension rows = table.Dimension(BpString("Rows", false), 2);
  BpDimension columns = table.Dimension(BpString("Columns", false), 2);

  const output::Table& Model() const { return table.Node(); }
};

TEST_F(GridFixture, CellGoesToLatestCategoryOfOtherDimensions) {
  rows.Category(BpString("r1", false));
  rows.Category(BpString("r2", false));
  columns.Category(BpString("c1", false)).Cell(BpString("x", false));
  rows.Category(BpString("r1", false)); // named again: latest again
  columns.Category(BpString("c1", false)).Cell(BpString("y", false));
  ASSERT_EQ(Model().Cells().size(), 2u);
  EXPECT_EQ(CellPlace(Model().Cells()[0]), (std::vector<std::string>{"r2", "c1"}));
  EXPECT_EQ(CellPlace(Model().Cells()[1]), (std::vector<std::string>{"r1", "c1"}));
  EXPECT_EQ(Model().Dimensions()[0]->Categories().size(), 2u);
}

TEST(Placement, LayersComeFromSortNoneAndPlaceFromPosition) {
  output::Document document;
  BpProcedure procedure(document, nullptr, nullptr);
  BpPivotTable table = procedure.PivotTable(BpString("T", false), BpString("T", false), false);
  // Split layer, pairwise rows, subset columns and a summary column, as the procedure places them.
  BpDimension split = table.Dimension(BpString("split", false), BpPivotTable::kSortNone);
  split.Position(BpDimension::kRow, 1, false, false);
  BpDimension pairs = table.Dimension(BpString("Sample 1-Sample 2", false), 2);
  pairs.Position(BpDimension::kRow, 1, false, false);
  BpDimension subsets = table.Dimension(BpString("Subset", true), 2);
  subsets.Position(BpDimension::kColumn, 1, false, false);
  BpDimension explicitLayer = table.Dimension(BpString("L", false), 2);
  explicitLayer.Position(BpDimension::kLayer, 2, true, false);
  BpDimension odd = table.Dimension(BpString("odd", false), 2);
  odd.Position(7, 1, true, false);
  const auto& dimensions = table.Node().Dimensions();
  EXPECT_EQ(dimensions[0]->GetPlace(), output::Dimension::Place::kLayer);
  EXPECT_EQ(dimensions[1]->GetPlace(), output::Dimension::Place::kRow);
  EXPECT_TRUE(dimensions[1]->ShowsLabel()) << "the pairwise rows name their dimension";
  EXPECT_TRUE(dimensions[2]->ShowsLabel()) << "\"Subset\" stands over the subset numbers";
  EXPECT_FALSE(dimensions[3]->ShowsLabel());
  EXPECT_EQ(dimensions[2]->GetPlace(), output::Dimension::Place::kColumn);
  EXPECT_EQ(dimensions[3]->GetPlace(), output::Dimension::Place::kLayer);
  EXPECT_EQ(dimensions[3]->Level(), 2);
  EXPECT_EQ(dimensions[4]->GetPlace(), output::Dimension::Place::kRow) << "unknown place";
}

TEST_F(GridFixture, GroupsDoNotChangeTheLatestCategory) {
  rows.Category(BpString("r1", false));
  BpGroup group = columns.Group(BpString("Exact", false), true, 2);
  group.Category(BpString("Sig", false)).Cell(BpNumber(0.5, BpProcedure::Coefficient()));
  rows.Group(BpString("g", false), true, 2); // a row group alone does not move the row
  columns.Category(BpString("N", false)).Cell(BpNumber(3, BpProcedure::Count()));
  ASSERT_EQ(Model().Cells().size(), 2u);
  EXPECT_EQ(CellPlace(Model().Cells()[1]), (std::vector<std::string>{"r1", "N"}));
  const output::Category& sig = *Model().Cells()[0].categories[1];
  ASSERT_NE(sig.Parent(), nullptr);
  EXPECT_EQ(sig.Parent()->GetLabel().Text(), "Exact");
  EXPECT_TRUE(sig.Parent()->IsGroup());
}

TEST_F(GridFixture, SecondWriteReplacesTextAndKeepsNotes) {
  rows.Category(BpString("r", false));
  BpCategory column = columns.Category(BpString("AsymptoticSig2Tailed", true));
  column.Cell(BpNumber(0.3, BpProcedure::Significance()));
  column.CellNote(BpAnnotation(BpString("first note", false)));
  column.Cell(BpNumber(VORN_SystemMissing(), BpProcedure::Significance()));
  ASSERT_EQ(Model().Cells().size(), 1u);
  EXPECT_EQ(Model().Cells()[0].label.Text(), ".");
  EXPECT_FALSE(Model().Cells()[0].Value());
  EXPECT_EQ(Model().Cells()[0].notes.size(), 1u);
}

TEST_F(GridFixture, CellWithoutCategoryInAnotherDimensionIsRefused) {
  BpCategory column = columns.Category(BpString("c", false));
  EXPECT_FALSE(column.Cell(BpString("x", false)));
  EXPECT_FALSE(column.CellNote(BpAnnotation(BpString("n", false))));
  EXPECT_TRUE(Model().Cells().empty());
  EXPECT_TRUE(Model().Footnotes().empty());
}

TEST_F(GridFixture, RepeatedLabelsAreTheSameCategoryOnlyWhenEqualInFull) {
  VORN_Variable a("a", 0);
  VORN_Variable b("b", 0);
  VORN_Variable c("c", 0);
  auto pair = [](const VORN_Variable& x, const VORN_Variable& y) {
    BpComposite label("^1-^2", true);
    label.Add(BpVariable(x, BpVariable::kShowName));
    label.Add(BpVariable(y, BpVariable::kShowName));
    label.Finish();
    return label;
  };
  rows.Category(pair(a, b));
  rows.Category(pair(a, c));
  rows.Category(pair(a, b));
  rows.Category(BpString("r", false));
  rows.Category(BpString("r", true)); // a key is not the same as a plain text
  rows.Group(BpString("r", false), true, 2);
  EXPECT_EQ(Model().Dimensions()[0]->Categories().size(), 5u);
  BpGroup group = rows.Group(BpString("g", false), true, 2);
  group.Category(BpString("x", false));
  rows.Group(BpString("g", false), true, 2).Category(BpString("x", false));
  const output::Category& g = *Model().Dimensions()[0]->Categories().back();
  EXPECT_EQ(g.Children().size(), 1u);
}

TEST_F(GridFixture, NotesOnLabelsOfDimensionsGroupsAndCategories) {
  rows.Note(BpAnnotation(BpString("on dimension", false)));
  BpGroup group = rows.Group(BpString("g", false), true, 2);
  group.Note(BpAnnotation(BpString("on group", false)));
  BpCategory category = group.Category(BpString("c", false));
  category.Note(BpAnnotation(BpString("on dimension", false)));
  EXPECT_EQ(Model().Dimensions()[0]->Root().Notes().size(), 1u);
  ASSERT_EQ(category.Node().Notes().size(), 1u);
  EXPECT_EQ(category.Node().Notes()[0].mark, "a");
  EXPECT_EQ(Model().Dimensions()[0]->Categories()[0]->Notes()[0].mark, "b");
  EXPECT_EQ(Model().Footnotes().size(), 2u);

  // A column named again in every row gets its note again each time; the label keeps one.
  group.Category(BpString("c", false)).Note(BpAnnotation(BpString("on dimension", false)));
  EXPECT_EQ(category.Node().Notes().size(), 1u);
  category.Note(BpAnnotation(BpString("another", false)));
  EXPECT_EQ(category.Node().Notes().size(), 2u);
}

TEST(FootnoteMarks, RunPastTheAlphabet) {
  EXPECT_EQ(output::FootnoteMark(25), "z");
  EXPECT_EQ(output::FootnoteMark(27), "ab");
  EXPECT_EQ(output::FootnoteMark(26 + 26 * 26), "aaa");
}

TEST(HostileTexts, AreKeptVerbatimInTheModel) {
  const std::string hostile =
      "<script>alert(\"x\")</script> & 'quote'\n\t]]> ^1 [%1]1 \xE2\x82\xAC";
  output::Document document;
  VORN_Variable variable(hostile.substr(0, 10), 0);
  variable.SetLabel(hostile);
  variable.ValueLabels().Add(1, hostile);
  BpProcedure procedure(document, nullptr, nullptr);
  BpHeading heading = procedure.Heading(BpString(hostile, false));
  BpPivotTable table = heading.PivotTable(BpString(hostile, true), BpString(hostile, false), false);
  BpDimension rows = table.Dimension(BpVariable(variable, BpVariable::kShowLabel), 2);
  BpCategory row = rows.Category(BpDataValue(variable, 1.0, BpDataValue::kPreferLabel));
  row.Cell(BpString(hostile, false));
  row.CellNote(BpAnnotation(BpString(hostile, false)));
  const output::Table& model = table.Node();
  EXPECT_EQ(heading.Node().GetLabel().Text(), hostile);
  EXPECT_EQ(model.Title().Text(), hostile);
  EXPECT_EQ(row.Node().GetLabel().Text(), hostile);
  ASSERT_EQ(model.Cells().size(), 1u);
  EXPECT_EQ(model.Cells()[0].label.Text(), hostile);
  EXPECT_EQ(model.Footnotes()[0].text, hostile);
}

} // namespace
