// The JSON dictionary: what a good file gives, and where a bad file's mistake is reported.
#include "dict/JsonDictionaryReader.h"

#include "dict/VORN_DataSource.h"

#include <gtest/gtest.h>

#include <string>

TEST(JsonDictionaryReader, ReadsVariablesWithEveryAttribute) {
  const char* text = R"({
    "variables": [
      {"name": "feed", "label": "Feed supplement", "type": "string", "width": 9,
       "measure": "nominal", "valueLabels": [{"value": "casein", "label": "Casein"}]},
      {"name": "score", "format": "F3.0", "measure": "ordinal",
       "valueLabels": [{"value": 1, "label": "Poor"}],
       "missing": {"values": [9], "range": [90, 99]}},
      {"name": "region", "format": "A4"},
      {"name": "wt"}
    ],
    "weight": "WT"
  })";
  VORN_DataSource source;
  std::string error;
  ASSERT_TRUE(JsonDictionaryReader::Read(text, source, error)) << error;
  ASSERT_EQ(source.GetVariableCount(), 4);

  const VORN_Variable* feed = source.GetVariable(0);
  EXPECT_EQ(feed->GetType(), 9);
  EXPECT_EQ(feed->GetFormat().ToText(), "A9");
  EXPECT_EQ(feed->GetPreferredLabel(), "Feed supplement");
  EXPECT_EQ(feed->GetMeasure(), VORN_Variable::kMeasureNominal);
  ASSERT_NE(feed->GetValueLabels().Find(std::string("casein")), nullptr);

  const VORN_Variable* score = source.GetVariable(1);
  EXPECT_EQ(score->GetType(), 0);
  EXPECT_EQ(score->GetFormat().ToText(), "F3.0");
  EXPECT_EQ(*score->GetValueLabels().Find(1.0), "Poor");
  EXPECT_TRUE(score->GetMissingValues().IsMissing(9.0));
  EXPECT_TRUE(score->GetMissingValues().IsMissing(95.0));

  EXPECT_EQ(source.GetVariable(2)->GetType(), 4) << "width taken from the A format";
  EXPECT_EQ(source.GetVariable(3)->GetFormat().ToText(), "F8.2");
  EXPECT_EQ(source.GetWeightVarIndex(), 3) << "weight found ignoring case";
}

TEST(JsonDictionaryReader, NamesThePlaceOfEachMistake) {
  struct Case {
    const char* text;
    const char* error;
  } cases[] = {
      {"{", "not a JSON document: line 1, column 2: syntax error while parsing object key"},
      {"{\n  \"variables\": [\n    {\"name\": \"a\",}\n  ]\n}",
       "not a JSON document: line 3, column 18: syntax error while parsing object key"},
      {R"({"variables": [{"name": "a", "missing": {"values": [1e99999999999999]}}]})",
       "line 1, column 53: the number 1e99999999999999 is too large (numbers run to about "
       "1.8e308)"},
      {"{\"variables\": [\n  {\"name\": \"a\",\n   \"missing\": {\"values\": [1, -2e400]}}]}",
       "line 3, column 30: the number -2e400 is too large"},
      {R"({"variables": [{"name": "a", "label": "x", "label": "y"}]})",
       "dictionary: the key \"label\" is given twice in one object"},
      {"[]", "dictionary: must be a JSON object"},
      {R"({"vars": []})", "dictionary: unknown key \"vars\""},
      {R"({"variables": [{"label": "x"}]})", "variables[0]: \"name\" is required"},
      {R"({"variables": [{"name": "a", "lable": "x"}]})", "variables[0]: unknown key \"lable\""},
      {R"({"variables": [{"name": "a"}, {"name": "A"}]})",
       "variables[1].name: \"A\" names a variable twice"},
      {R"({"variables": [{"name": "a", "type": "text"}]})", "variables[0].type: must be"},
      {R"({"variables": [{"name": "a", "type": "string"}]})",
       "variables[0]: a string variable needs a \"width\""},
      {R"({"variables": [{"name": "a", "type": "string", "width": 4, "format": "A8"}]})",
       "variables[0].format: the width of A8 differs"},
      {R"({"variables": [{"name": "a", "format": "Q8.2"}]})", "variables[0].format: "},
      {R"({"variables": [{"name": "a", "valueLabels": [{"value": "x", "label": "y"}]}]})",
       "variables[0].valueLabels[0].value: must be a number"},
      {R"({"variables": [{"name": "a", "missing": {"values": [1, 2, 3, 4]}}]})",
       "variables[0].missing.values[3]: too many"},
      {R"({"variables": [{"name": "a"}], "weight": "b"})", "weight: no variable is named \"b\""},
      {R"({"variables": [{"name": "a", "type": "string", "width": 2}], "weight": "a"})",
       "weight: the weight variable must be numeric"},
  };
  for (const Case& c : cases) {
    VORN_DataSource source;
    std::string error;
    EXPECT_FALSE(JsonDictionaryReader::Read(c.text, source, error)) << c.text;
    EXPECT_NE(error.find(c.error), std::string::npos) << c.text << "\n  gave: " << error;
  }
}
