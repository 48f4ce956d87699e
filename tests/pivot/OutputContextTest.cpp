// Where messages and charts land: the innermost live procedure and its latest live heading.
#include "PivotTestSupport.h"

#include "pivot/BpError.h"
#include "pivot/BpPivotTable.h"
#include "pivot/BpString.h"

#include <gtest/gtest.h>

namespace {

std::vector<output::ItemKind> Kinds(const output::Heading& heading) {
  std::vector<output::ItemKind> kinds;
  for (const auto& item : heading.Items()) {
    kinds.push_back(item->Kind());
  }
  return kinds;
}

TEST(BpErrorTest, GoesToTheInnermostLiveProcedure) {
  output::Document outer;
  output::Document inner;
  {
    BpProcedure first(outer, nullptr, nullptr);
    {
      BpProcedure second(inner, nullptr, nullptr);
      EXPECT_TRUE(BpError(BpString("Not parse element: X", true), 2, 2).Delivered());
    }
    EXPECT_TRUE(BpError(BpString("after", false), 2, 1).Delivered());
  }
  EXPECT_FALSE(BpError(BpString("nobody listens", false), 2, 2).Delivered());

  const output::Message* innerMessage = RootHeading(inner).Items().at(0)->AsMessage();
  ASSERT_NE(innerMessage, nullptr);
  EXPECT_EQ(innerMessage->GetLevel(), output::Message::Level::kWarning);
  EXPECT_EQ(innerMessage->GetLabel().Key(), std::optional<std::string>("Not parse element: X"));
  EXPECT_TRUE(innerMessage->GetLabel().Untranslated());
  const output::Message* outerMessage = RootHeading(outer).Items().at(0)->AsMessage();
  ASSERT_NE(outerMessage, nullptr);
  EXPECT_EQ(outerMessage->GetLevel(), output::Message::Level::kError);
}

TEST(BpErrorTest, HiddenMessagesAreNotWritten) {
  output::Document document;
  BpProcedure procedure(document, nullptr, nullptr);
  EXPECT_FALSE(BpError(BpString("quiet", false), 0, 2).Delivered());
  EXPECT_TRUE(RootHeading(document).Items().empty());
}

TEST(ChartPlacement, LatestLiveHeadingAfterWhatIsWritten) {
  output::Document document;
  BpProcedure procedure(document, nullptr, nullptr);
  auto chart = [] { return std::make_unique<output::Chart>(); };
  {
    BpHeading test = procedure.Heading(BpString("Test", false));
    {
      auto* fields = new BpHeading(test.Heading(BpString("x", false)));
      fields->PivotTable(BpString("T", false), BpString("T", false), false);
      BpHeading copy(*fields); // a copy keeps the heading live after the original goes
      delete fields;
      procedure.SendChart(chart());
    }
    procedure.SendChart(chart()); // the sub-heading's handles are gone
  }
  procedure.SendChart(chart());
  const output::Heading& root = RootHeading(document);
  ASSERT_EQ(Kinds(root),
            (std::vector<output::ItemKind>{output::ItemKind::kHeading, output::ItemKind::kChart}));
  const output::Heading& test = *root.Items()[0]->AsHeading();
  ASSERT_EQ(Kinds(test),
            (std::vector<output::ItemKind>{output::ItemKind::kHeading, output::ItemKind::kChart}));
  const output::Heading& fields = *test.Items()[0]->AsHeading();
  EXPECT_EQ(Kinds(fields),
            (std::vector<output::ItemKind>{output::ItemKind::kTable, output::ItemKind::kChart}));
}

TEST(Handles, ReleasingNeverRemovesWhatWasBuilt) {
  output::Document document;
  {
    BpProcedure procedure(document, nullptr, nullptr);
    auto* heading = new BpHeading(procedure.Heading(BpString("h", false)));
    auto* table =
        new BpPivotTable(heading->PivotTable(BpString("t", false), BpString("", false), false));
    delete heading;
    table->Caption(BpString("still usable", false));
    delete table;
  }
  ASSERT_EQ(document.Items().size(), 1u);
  const output::Heading& h = *RootHeading(document).Items().at(0)->AsHeading();
  ASSERT_EQ(h.Items().size(), 1u);
  EXPECT_EQ(h.Items()[0]->AsTable()->Caption()->Text(), "still usable");
}

} // namespace
