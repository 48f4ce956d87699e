// The texts of a split-file group: its heading, its chart subtitle and its table layers.
#include "NOPROutputStats.h"

#include "dict/VORN_DataSource.h"
#include "output/Dimension.h"
#include "output/Document.h"
#include "output/Heading.h"
#include "output/Table.h"
#include "pivot/BpHeading.h"
#include "pivot/BpPivotTable.h"
#include "pivot/BpProcedure.h"
#include "pivot/BpString.h"
#include "proc/CFStatXMLInfoBlock.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

class SplitTexts : public ::testing::Test {
protected:
  SplitTexts() {
    VORN_Variable sex("sex", 0, VORN_Format(VORN_Format::kF, 1, 0));
    sex.SetLabel("Sex");
    sex.ValueLabels().Add(1.0, "Male");
    source.AddVariable(sex);
    VORN_Variable region("region", 8);
    source.AddVariable(region);
    VORN_Variable born("born", 0, VORN_Format(VORN_Format::kDATE, 11, 0));
    source.AddVariable(born);
    stats.SetDataSource(&source);
    stats.SetCFStatXMLInfoBlock(&block);
  }

  VORN_DataSource source;
  CFStatXMLInfoBlock block;
  NOPROutputStats stats;
};

TEST_F(SplitTexts, HeadingNamesEveryVariableAndValue) {
  output::Document document;
  BpProcedure procedure(document, nullptr, nullptr);
  bool layered = true;
  EXPECT_EQ(stats.GetSplitHeading(&procedure), nullptr) << "no split variables";
  EXPECT_EQ(stats.GetSplitSubtitleForCharts(layered), "");
  EXPECT_FALSE(layered);

  block.AddSplitValue(0, 1.0);
  block.AddSplitValue(1, std::string("North"), 8);
  std::unique_ptr<BpHeading> heading(stats.GetSplitHeading(&procedure));
  ASSERT_NE(heading, nullptr);
  EXPECT_EQ(heading->Node().GetLabel().Text(), "Sex = Male, region = North");
  EXPECT_EQ(stats.GetSplitHeading(nullptr), nullptr);

  layered = true;
  EXPECT_EQ(stats.GetSplitSubtitleForCharts(layered), "Sex: Male,region: North");
  EXPECT_FALSE(layered) << "groups under headings are not layered";

  BpPivotTable table = procedure.PivotTable(BpString("T", false), BpString("T", false), false);
  stats.SetSplitToTable(table);
  EXPECT_TRUE(table.Node().Dimensions().empty()) << "no layers when split by heading";
}

TEST_F(SplitTexts, LayeredGroupsBecomeTableLayers) {
  block.fSplitByHeading = false;
  block.AddSplitValue(0, 2.0); // no label: the value in its print format
  output::Document document;
  BpProcedure procedure(document, nullptr, nullptr);
  EXPECT_EQ(stats.GetSplitHeading(&procedure), nullptr);

  bool layered = false;
  EXPECT_EQ(stats.GetSplitSubtitleForCharts(layered), "Sex: 2");
  EXPECT_TRUE(layered);

  BpPivotTable table = procedure.PivotTable(BpString("T", false), BpString("T", false), false);
  stats.SetSplitToTable(table);
  const auto& dimensions = table.Node().Dimensions();
  ASSERT_EQ(dimensions.size(), 1u);
  EXPECT_EQ(dimensions[0]->GetPlace(), output::Dimension::Place::kLayer);
  EXPECT_EQ(dimensions[0]->GetLabel().Text(), "Sex");
  ASSERT_EQ(dimensions[0]->Categories().size(), 1u);
  EXPECT_EQ(dimensions[0]->Categories()[0]->GetLabel().Text(), "2");
}

} // namespace
