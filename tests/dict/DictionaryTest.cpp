// The data dictionary and the metadata value types: ownership, look-ups and copies.
#include "dict/CFDatum.h"
#include "dict/CFMetaData.h"
#include "dict/CFStatVariableValue.h"
#include "dict/OBS.h"
#include "dict/VORN_DataSource.h"
#include "proc/CFAssert.h"
#include "text/VORN_SystemMissing.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>
#include <utility>

TEST(ObsLength, CountsEightByteUnits) {
  const std::pair<int, int> cases[] = {{0, 1}, {8, 1}, {9, 2}, {17, 3}, {32767, 4096}};
  for (const auto& c : cases)
    EXPECT_EQ(ObsLength(c.first), c.second) << "type " << c.first;
}

TEST(DataSource, FindsVariablesCaseInsensitivelyAndRefusesDuplicates) {
  VORN_DataSource source;
  EXPECT_EQ(source.AddVariable(VORN_Variable("Age", 0)), 0);
  EXPECT_EQ(source.AddVariable(VORN_Variable("region", 12)), 1);
  EXPECT_EQ(source.AddVariable(VORN_Variable("AGE", 0)), -1) << "same name in another case";
  EXPECT_EQ(source.AddVariable(VORN_Variable("", 0)), -1) << "empty name";
  EXPECT_EQ(source.GetVariableCount(), 2);

  EXPECT_EQ(source.FindVarIndex("REGION", 0), 1);
  EXPECT_EQ(source.FindVarIndex("income", 0), -1);
  EXPECT_TRUE(source.GetVariable(2) == nullptr && source.GetVariable(-1) == nullptr);
  ASSERT_NE(source.GetVariable(1), nullptr);
  EXPECT_EQ(source.GetVariable(1)->GetFormat().ToText(), "A12");
  EXPECT_EQ(source.GetVariable(0)->GetFormat().ToText(), "F8.2");
  VORN_Variable v("score", 0);
  EXPECT_EQ(v.GetPreferredLabel(), "score");
  v.SetLabel("Test score");
  EXPECT_EQ(v.GetPreferredLabel(), "Test score");
}

TEST(ValueLabelMap, FindsNumbersAndPaddedStringsAndKeepsOrder) {
  VORN_ValueLabelMap labels;
  labels.Add(2.0, "Female");
  labels.Add(1.0, "Male");
  labels.Add(2.0, "Woman"); // replaces, keeps place
  ASSERT_EQ(labels.Size(), 2u);
  EXPECT_EQ(labels.Entries()[0].fLabel, "Woman");
  EXPECT_EQ(*labels.Find(1.0), "Male");
  EXPECT_EQ(labels.Find(3.0), nullptr);

  VORN_ValueLabelMap text;
  text.Add("N  ", "North");
  EXPECT_EQ(*text.Find("N"), "North");
  OBS unit;
  std::memcpy(unit.s, "N       ", 8);
  EXPECT_EQ(text.Find(&unit, 8), text.Find("N"));
  EXPECT_EQ(text.Find(nullptr, 8), nullptr);
}

TEST(MissingValues, EnforcesTheDictionaryLimits) {
  VORN_MissingValues discrete;
  EXPECT_TRUE(discrete.AddValue(7.0) && discrete.AddValue(8.0) && discrete.AddValue(9.0));
  EXPECT_FALSE(discrete.AddValue(10.0)) << "at most three values";
  EXPECT_FALSE(discrete.SetRange(0, 1)) << "a range allows one value besides";
  EXPECT_TRUE(discrete.IsMissing(8.0));
  EXPECT_FALSE(discrete.IsMissing(10.0));

  VORN_MissingValues range;
  EXPECT_FALSE(range.SetRange(5, 1)) << "low above high";
  EXPECT_TRUE(range.SetRange(90, 99));
  EXPECT_TRUE(range.AddValue(-1.0));
  EXPECT_FALSE(range.AddValue(-2.0));
  EXPECT_TRUE(range.IsMissing(95.5) && range.IsMissing(-1.0));
  EXPECT_FALSE(range.IsMissing(89.9));
  EXPECT_FALSE(range.AddValue(std::string("x"))) << "no string values on a numeric range";
}

TEST(CFDatum, CopiesAreDeepAndSelfAssignmentIsHarmless) {
  CFDatum text("north", false);
  EXPECT_EQ(text.Length(), 6u);
  CFDatum copy(text);
  EXPECT_NE(copy.GetString(), text.GetString()) << "copy shares the buffer";
  EXPECT_STREQ(copy.GetString(), "north");
  CFDatum number(2.5, false);
  number = text;
  EXPECT_NE(number.GetString(), text.GetString());
  EXPECT_STREQ(number.GetString(), "north");
  const CFDatum& alias = text;
  text = alias;
  EXPECT_STREQ(text.GetString(), "north");
  text = CFDatum(3LL, false); // a text replaced by a number frees the text
  EXPECT_EQ(text.GetKind(), CFDatum::kInteger);
  EXPECT_EQ(text.Length(), 0u);
  EXPECT_EQ(text.AsDouble(), 3.0);
  CFDatum moved(std::move(copy));
  EXPECT_STREQ(moved.GetString(), "north");
  CFValue value(CFDatum("1", false), "Male", 0, 0);
  CFValue valueCopy = value;
  EXPECT_EQ(valueCopy.GetDisplayLabel(), "Male");
  EXPECT_NE(valueCopy.GetString(), value.GetString());
}

TEST(CFDatum, MissingValues) {
  CFDatum nullText(nullptr, false);
  EXPECT_TRUE(nullText.IsMissing());
  EXPECT_STREQ(nullText.GetString(), "");
  CFDatum missingText("x", true);
  EXPECT_EQ(missingText.Length(), 0u);
  EXPECT_TRUE(CFDatum(missingText).IsMissing());
  // The system-missing value is the most negative finite double, not minus infinity.
  EXPECT_EQ(CFDatum(4.0, true).AsDouble(), -1.7976931348623157e308);
  EXPECT_EQ(VORN_SystemMissing(), -1.7976931348623157e308);
}

TEST(CFMetaData, FieldsByIndexAndName) {
  CFMetaData metadata(nullptr);
  CFField sex("sex", CFField::kCategorical, CFField::kInteger, 7);
  sex.SetLabel("Sex of respondent");
  sex.SetValueLabels({CFValue(CFDatum(1LL, false), "Male", 0, 0)});
  metadata.AppendField(sex);
  EXPECT_EQ(metadata.FieldCount(), 1);
  ASSERT_NE(metadata.GetField(0), nullptr);
  EXPECT_EQ(metadata.GetField(0)->GetLabel(), "Sex of respondent");
  EXPECT_EQ(metadata.GetField(0)->GetValueLabels()[0].GetDisplayLabel(), "Male");
  EXPECT_EQ(metadata.GetField(1), nullptr);
  EXPECT_EQ(metadata.GetField(-1), nullptr);
  EXPECT_EQ(metadata.FindField("sex"), 0);
  EXPECT_EQ(metadata.FindField("SEX"), -1) << "field names compare exactly";

  int notNull = 0;
  EXPECT_THROW(CFMetaData{&notNull}, CFAssertionError);
}

TEST(CFStatVariableValue, NumericAndStringValues) {
  VORN_Variable score("score", 0, VORN_Format(VORN_Format::kF, 6, 1));
  CFStatVariableValue number;
  EXPECT_EQ(number.GetNumber(), VORN_SystemMissing());
  EXPECT_TRUE(number.SetCompleteValue(" 2.25 ", &score, 0));
  EXPECT_EQ(number.GetObsValue()->f, 2.25);
  EXPECT_EQ(number.GetStringValue(), "2.3");
  EXPECT_FALSE(number.SetCompleteValue("abc", &score, 0));
  EXPECT_EQ(number.GetNumber(), VORN_SystemMissing());

  VORN_Variable region("region", 10);
  CFStatVariableValue text;
  EXPECT_TRUE(text.SetCompleteValue("North", &region, 0));
  EXPECT_EQ(text.GetType(), 10);
  EXPECT_EQ(std::string(text.GetObsValue()->s, 10), "North     ");
  EXPECT_EQ(text.GetStringValue(), "North");
  EXPECT_EQ(text.GetNumber(), VORN_SystemMissing());
  EXPECT_FALSE(text.SetCompleteValue("Northwestern", &region, 0)) << "cut to the width";
  EXPECT_EQ(text.GetStringValue(), "Northweste");
}
