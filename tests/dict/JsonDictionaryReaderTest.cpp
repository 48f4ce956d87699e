// The JSON dictionary: what a good file gives, and where a bad file's mistake is reported.
#include "dict/JsonDictionaryReader.h"

#include "DataTable.h"

#include "dict/VORN_DataSource.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

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
  std::vector<std::pair<std::string, std::string>> cases = {
      {"{", "not a JSON document: line 1, column 2: syntax error while parsing object key"},
      {"{\n  \"variables\": [\n    {\"name\": \"a\",}\n  ]\n}",
       "not a JSON document: line 3, column 18: syntax error while parsing object key"},
      {"{\"variables\": [\n  {\"name\": \"a\",\n   \"missing\": {\"values\": [1, -2e400]}}]}",
       "line 3, column 30: the number -2e400 is too large"}};
  for (const DataRow& row : ReadDataTable("tests/dict/data/json_refusals.tsv", 2))
    cases.emplace_back(row.fields[0], row.fields[1]);
  for (const auto& [text, reason] : cases) {
    VORN_DataSource source;
    std::string error;
    EXPECT_FALSE(JsonDictionaryReader::Read(text, source, error)) << text;
    EXPECT_NE(error.find(reason), std::string::npos) << text << "\n  gave: " << error;
  }
}
