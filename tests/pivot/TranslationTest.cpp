// Translatable texts through the shipped string tables: the same table in two languages.
#include "PivotTestSupport.h"

#include "pivot/BpCategory.h"
#include "pivot/BpComposite.h"
#include "pivot/BpDimension.h"
#include "pivot/BpNumber.h"
#include "pivot/BpPivotTable.h"
#include "pivot/BpString.h"
#include "strings/FacSTDictionary.h"

#include <gtest/gtest.h>

namespace {

std::unique_ptr<FacSTDictionary> Strings(const std::string& language) {
  auto strings = std::make_unique<FacSTDictionary>(std::string(NPTESTS_SOURCE_DIR) +
                                                   "/resources/strings/" + language);
  EXPECT_TRUE(strings->SetProcedure("Nonparametric Tests")) << strings->LastError();
  return strings;
}

// A small statistics table; returns its model.
const output::Table& Build(output::Document& document, const FacSTDictionary& strings) {
  BpProcedure procedure(document, &strings, nullptr);
  BpPivotTable table = procedure.PivotTable(BpString("Confidence Interval Summary", true),
                                            BpString("Confidence Interval Summary", false), false);
  BpComposite caption("The significance level is ^1.", true);
  caption.Add(BpNumber(0.05, BpProcedure::Significance()));
  caption.Finish();
  table.Caption(caption);
  BpDimension rows = table.Dimension(BpString("Item", false), 2);
  rows.Position(BpDimension::kRow, 1, true, false);
  BpDimension columns = table.Dimension(BpString("Statistics", true), 2);
  columns.Position(BpDimension::kColumn, 1, true, false);
  rows.Category(BpNumber(1, BpProcedure::Count()));
  BpCategory decision = columns.Category(BpString("Decision", true));
  decision.Cell(BpString("Reject the null hypothesis.", true));
  decision.CellNote(BpAnnotation(BpString("No such key in any table", true)));
  return *RootHeading(document).Items().at(0)->AsTable();
}

TEST(Translation, SameTableInEnglishAndGermanWithAnUntranslatedNote) {
  auto english = Strings("en");
  auto german = Strings("de");
  output::Document enDocument;
  output::Document deDocument;
  const output::Table& en = Build(enDocument, *english);
  const output::Table& de = Build(deDocument, *german);
  EXPECT_EQ(deDocument.Language(), "de");

  EXPECT_EQ(en.Title().Key(), de.Title().Key());
  EXPECT_NE(en.Title().Text(), de.Title().Text());
  EXPECT_FALSE(de.Title().Untranslated());
  EXPECT_EQ(en.Caption()->Key(), de.Caption()->Key());
  EXPECT_EQ(en.Caption()->Text(), "The significance level is .050.");
  EXPECT_NE(de.Caption()->Text(), en.Caption()->Text());
  EXPECT_NE(de.Caption()->Text().find(".050"), std::string::npos) << "item filled in";

  ASSERT_EQ(en.Cells().size(), 1u);
  ASSERT_EQ(de.Cells().size(), 1u);
  const output::Label& enCell = en.Cells()[0].label;
  const output::Label& deCell = de.Cells()[0].label;
  EXPECT_EQ(enCell.Key(), deCell.Key());
  EXPECT_EQ(enCell.PathText(), deCell.PathText()) << "paths do not depend on the language";
  EXPECT_NE(enCell.Text(), deCell.Text());
  EXPECT_EQ(en.Dimensions()[1]->GetLabel().PathText(), "Statistics");

  // A key no table has is shown as itself and marked.
  const output::Label& note = de.Cells()[0].notes.at(0).label;
  EXPECT_EQ(note.Text(), "No such key in any table");
  EXPECT_TRUE(note.Untranslated());
  EXPECT_EQ(de.Footnotes().at(0).text, "No such key in any table");
}

TEST(Translation, UntranslatedCompositeStillFillsItsItems) {
  output::Document document;
  BpComposite composite("Unknown key with ^1 item", true);
  composite.Add(BpNumber(3, BpProcedure::Count()));
  auto english = Strings("en");
  output::Label label = composite.ToLabel(english.get());
  EXPECT_EQ(label.Text(), "Unknown key with 3 item");
  EXPECT_TRUE(label.Untranslated());
  EXPECT_TRUE(label.Translatable());
}

} // namespace
