// Composite texts: numbered items, sublists and their group forms, copies.
#include "DataTable.h"

#include "dict/VORN_Variable.h"
#include "output/Label.h"
#include "pivot/BpComposite.h"
#include "pivot/BpDataValue.h"
#include "pivot/BpNumber.h"
#include "pivot/BpProcedure.h"
#include "pivot/BpString.h"
#include "pivot/BpVariable.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

std::string Shown(const BpCellText& text) {
  return text.ToLabel(nullptr).Text();
}

// The shown text of a composite of plain items, or of one sublist holding them.
std::string Shown(const std::string& format, const std::vector<std::string>& items, bool list) {
  BpComposite composite(format, false);
  if (list)
    composite.Sublist();
  for (const std::string& item : items)
    composite.Add(BpString(item, false));
  if (list)
    composite.EndSublist();
  composite.Finish();
  return Shown(composite);
}

TEST(Composite, NumberedItemsAndSublistForms) {
  for (const DataRow& row : ReadDataTable("tests/pivot/data/composites.tsv", 5)) {
    std::vector<std::string> items;
    std::istringstream split(row.fields[3]);
    for (std::string item; std::getline(split, item, '|');)
      items.push_back(item);
    EXPECT_EQ(Shown(row.fields[2], items, row.fields[1] == "1"), row.fields[4]) << row.where;
  }
}

TEST(Composite, SublistAmongOtherItemsIsOneItem) {
  BpComposite composite("^1: [%1:, ^1]2 at ^3", false);
  composite.Add(BpString("head", false));
  composite.Sublist();
  composite.Add(BpString("a", false));
  composite.Add(BpString("b", false));
  composite.EndSublist();
  composite.Add(BpNumber(0.05, BpProcedure::Significance()));
  composite.Finish();
  output::Label label = composite.ToLabel(nullptr);
  EXPECT_EQ(label.Text(), "head: a, b at .050");
  ASSERT_EQ(label.Items().size(), 3u);
  EXPECT_EQ(label.Items()[1].Kind(), output::LabelKind::kList);
  EXPECT_EQ(label.Items()[1].Items().size(), 2u);
  EXPECT_EQ(label.Items()[2].Number(), std::optional<double>(0.05));
}

TEST(Composite, FinishClosesOpenSublistsAndLaterItemsGoToTheTop) {
  BpComposite composite("^1|^2", false);
  composite.Sublist();
  composite.Add(BpString("in", false));
  composite.Finish();
  composite.Add(BpString("top", false));
  EXPECT_EQ(Shown(composite), "in|top");
  composite.EndSublist(); // nothing open: no effect
  EXPECT_EQ(Shown(composite), "in|top");
}

TEST(Composite, CopiesAreIndependent) {
  BpComposite original("^1 ^2", false);
  original.Add(BpString("a", false));
  BpComposite copy(original);
  copy.Add(BpString("b", false));
  std::unique_ptr<BpCellText> clone = original.Clone();
  original.Add(BpString("c", false));
  EXPECT_EQ(Shown(copy), "a b");
  EXPECT_EQ(Shown(*clone), "a ^2");
  EXPECT_EQ(Shown(original), "a c");
}

TEST(Composite, SplitHeadingOfVariablesAndValues) {
  VORN_Variable sex("sex", 0, VORN_Format(VORN_Format::kF, 8, 0));
  sex.SetLabel("Sex");
  sex.ValueLabels().Add(1, "Male");
  VORN_Variable age("age", 0, VORN_Format(VORN_Format::kF, 8, 0));
  BpComposite heading("[%1 = %2:, ^1 = ^2:]1", false);
  heading.Sublist();
  heading.Add(BpVariable(sex, BpVariable::kShowLabel));
  heading.Add(BpDataValue(sex, 1.0, BpDataValue::kPreferLabel));
  heading.Add(BpVariable(age, BpVariable::kShowLabel));
  heading.Add(BpDataValue(age, 40.0, BpDataValue::kPreferLabel));
  heading.EndSublist();
  heading.Finish();
  output::Label label = heading.ToLabel(nullptr);
  EXPECT_EQ(label.Text(), "Sex = Male, age = 40");
  const output::Label& list = label.Items().at(0);
  ASSERT_EQ(list.Items().size(), 4u);
  EXPECT_EQ(list.Items()[0].VariableName(), "sex");
  EXPECT_EQ(list.Items()[1].Number(), std::optional<double>(1.0));
  EXPECT_EQ(list.Items()[1].PrintFormat(), "F8.0");
}

} // namespace
