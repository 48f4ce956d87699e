// Composite texts: numbered items, sublists and their group forms, copies.
#include "dict/VORN_Variable.h"
#include "output/Label.h"
#include "pivot/BpComposite.h"
#include "pivot/BpDataValue.h"
#include "pivot/BpNumber.h"
#include "pivot/BpProcedure.h"
#include "pivot/BpString.h"
#include "pivot/BpVariable.h"

#include <gtest/gtest.h>

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
  const struct {
    const char* desc;
    bool list;
    const char* format;
    std::vector<std::string> items;
    const char* expected;
  } cases[] = {
      {"in order", false, "^1 across ^2", {"score", "group"}, "score across group"},
      {"out of order and repeated", false, "^2/^1/^2", {"a", "b"}, "b/a/b"},
      {"two digits",
       false,
       "^10-^1",
       {"1", "2", "3", "4", "5", "6", "7", "8", "9", "ten"},
       "ten-1"},
      {"missing item stays visible", false, "^1 and ^3", {"a", "b"}, "a and ^3"},
      {"caret without number", false, "x ^ 2 ^", {"a", "b"}, "x ^ 2 ^"},
      {"^0 is no item", false, "^0", {"a"}, "^0"},
      {"comma list", true, "[%1:, ^1]1", {"a", "b", "c"}, "a, b, c"},
      {"empty sublist", true, "Fields: [%1:, ^1]1.", {}, "Fields: ."},
      {"pairs",
       true,
       "[%1 = %2:, ^1 = ^2:]1",
       {"Sex", "Male", "Region", "North"},
       "Sex = Male, Region = North"},
      {"pairs with end text",
       true,
       "[%1 = %2:; ^1 = ^2:.]1",
       {"a", "1", "b", "2"},
       "a = 1; b = 2."},
      {"odd pair left empty", true, "[%1 = %2:, ^1 = ^2]1", {"a", "1", "b"}, "a = 1, b = "},
      {"plain ^1 joins the list", true, "(^1)", {"x", "y"}, "(x, y)"},
      {"unclosed bracket is text", true, "[%1:, ^1", {"x"}, "[%1:, x"},
      {"bracket of a missing item is text", true, "[%1]2", {"x"}, "[%1]2"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Shown(c.format, c.items, c.list), c.expected) << c.desc;
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
