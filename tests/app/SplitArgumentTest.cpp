// Reading --split arguments and turning them into a document's split group.
#include "SplitArgument.h"

#include "dict/VORN_DataSource.h"
#include "proc/CFStatXMLInfoBlock.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(SplitArgument, ReadsAssignments) {
  struct Row {
    const char* fDesc;
    const char* fText;
    std::vector<std::pair<std::string, std::string>> fExpected;
  } rows[] = {
      {"one", "group=ctrl", {{"group", "ctrl"}}},
      {"two, blanks dropped", " sex = 1 , band=young ", {{"sex", "1"}, {"band", "young"}}},
      {"quoted value keeps blanks and commas", "city='New York, NY'", {{"city", "New York, NY"}}},
      {"double quotes", "g=\"a b\"", {{"g", "a b"}}},
      {"an empty value", "g=", {{"g", ""}}},
      {"a value with =", "g=a=b", {{"g", "a=b"}}},
  };
  for (const Row& row : rows) {
    SplitArgument split;
    std::string error;
    ASSERT_TRUE(SplitArgument::Parse(row.fText, split, error)) << row.fDesc << ": " << error;
    ASSERT_EQ(split.Assignments().size(), row.fExpected.size()) << row.fDesc;
    for (std::size_t i = 0; i < row.fExpected.size(); ++i) {
      EXPECT_EQ(split.Assignments()[i].fVariable, row.fExpected[i].first) << row.fDesc;
      EXPECT_EQ(split.Assignments()[i].fValue, row.fExpected[i].second) << row.fDesc;
    }
  }
}

TEST(SplitArgument, RefusesMalformedText) {
  struct Row {
    const char* fDesc;
    const char* fText;
    const char* fError;
  } rows[] = {
      {"empty", "", "an empty part"},
      {"a trailing comma", "g=1,", "an empty part"},
      {"no =", "group", "\"group\" has no \"=\""},
      {"no name", "=ctrl", "no variable name"},
      {"a name twice, ignoring case", "g=1,G=2", "the variable G is given twice"},
      {"an open quote", "g='abc", "a quote is not closed"},
  };
  for (const Row& row : rows) {
    SplitArgument split;
    std::string error;
    EXPECT_FALSE(SplitArgument::Parse(row.fText, split, error)) << row.fDesc;
    EXPECT_NE(error.find(row.fError), std::string::npos) << row.fDesc << ": " << error;
  }
}

class SplitApply : public ::testing::Test {
protected:
  void SetUp() override {
    fDictionary.AddVariable(VORN_Variable("weight", 0));
    fDictionary.AddVariable(VORN_Variable("group", 4));
    fDictionary.AddVariable(VORN_Variable("sex", 0));
  }

  bool Apply(const std::string& text, CFStatXMLInfoBlock& block, std::string& error) {
    SplitArgument split;
    EXPECT_TRUE(SplitArgument::Parse(text, split, error)) << error;
    return split.Apply(fDictionary, block, error);
  }

  VORN_DataSource fDictionary;
};

TEST_F(SplitApply, PutsIndexesAndValuesIntoTheBlock) {
  CFStatXMLInfoBlock block;
  std::string error;
  ASSERT_TRUE(Apply("SEX=2,group=trt", block, error)) << error;
  ASSERT_EQ(block.fSplitVarIndexes, (std::vector<int>{2, 1}));
  ASSERT_EQ(block.fSplitValues.size(), 2u);
  EXPECT_EQ(block.fSplitValues[0]->f, 2.0);
  // String values are blank-padded to the variable's width.
  EXPECT_EQ(std::string(block.fSplitValues[1]->s, 4), "trt ");
}

TEST_F(SplitApply, RefusesValuesThatDoNotFit) {
  struct Row {
    const char* fDesc;
    const char* fText;
    const char* fError;
  } rows[] = {
      {"unknown variable", "grp=1", "no variable is named \"grp\""},
      {"text for a number", "sex=male",
       "the value \"male\" of the numeric variable sex is not a number"},
      {"number with junk", "sex=1x", "is not a number"},
      {"empty number", "sex=", "is not a number"},
      {"number beyond a double", "sex=1e999",
       "the value \"1e999\" of the numeric variable sex is too large (numbers run to about "
       "1.8e308)"},
      {"infinity spelt out", "sex=inf", "is not a number"},
      {"string too long", "group=treatment", "longer than the string variable group (width 4)"},
  };
  for (const Row& row : rows) {
    CFStatXMLInfoBlock block;
    std::string error;
    EXPECT_FALSE(Apply(row.fText, block, error)) << row.fDesc;
    EXPECT_NE(error.find(row.fError), std::string::npos) << row.fDesc << ": " << error;
  }
  // A number below the smallest double is read as 0, as the command reads it.
  CFStatXMLInfoBlock block;
  std::string error;
  EXPECT_TRUE(Apply("sex=1e-400", block, error)) << error;
}

} // namespace
