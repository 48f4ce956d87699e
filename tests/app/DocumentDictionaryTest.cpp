// The dictionary a result document implies: variables, formats, labels, measurement levels and
// the metadata fields, from small documents written inline.
#include "DocumentDictionary.h"

#include "dict/CFMetaData.h"
#include "dict/VORN_DataSource.h"
#include "xml/SDOMXMLWrapper.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Document(const std::string& fields) {
  return "<StatXML><PMMLModel modelType=\"NonParametricTests\"/><Extension><NPAROutput>"
         "<DataDictionary>" +
         fields + "</DataDictionary></NPAROutput></Extension></StatXML>";
}

struct Loaded {
  SDOMXMLWrapper fRoot;
  VORN_DataSource fDictionary;
  std::string fError;
  bool fBuilt = false;
};

void Load(const std::string& text, Loaded& loaded) {
  ASSERT_NE(loaded.fRoot.LoadFromString(text), 0) << loaded.fRoot.GetLastError().ToString();
  loaded.fBuilt =
      DocumentDictionary::BuildVariables(loaded.fRoot, loaded.fDictionary, loaded.fError);
}

TEST(DocumentDictionary, TypesBecomeFormatsAndWidths) {
  struct Row {
    const char* fDesc;
    const char* fField;
    int fType;
    const char* fFormat;
  } rows[] = {
      {"double", R"(<DataField index="0" name="v" dataType="double"/>)", 0, "F8.2"},
      {"integer", R"(<DataField index="0" name="v" dataType="integer"/>)", 0, "F8.0"},
      {"date", R"(<DataField index="0" name="v" dataType="date"/>)", 0, "DATE11"},
      {"no data type", R"(<DataField index="0" name="v"/>)", 0, "F8.2"},
      {"string as wide as its longest value",
       R"(<DataField index="0" name="v" dataType="string"><Value index="0" value="ab"/>)"
       R"(<Value index="1" value="sunflower"/><Value index="2" value="c"/></DataField>)",
       9, "A9"},
      {"string without values", R"(<DataField index="0" name="v" dataType="string"/>)", 1, "A1"},
      {"string of empty values",
       R"(<DataField index="0" name="v" dataType="string"><Value index="0" value=""/></DataField>)",
       1, "A1"},
  };
  for (const Row& row : rows) {
    Loaded loaded;
    Load(Document(row.fField), loaded);
    ASSERT_TRUE(loaded.fBuilt) << row.fDesc << ": " << loaded.fError;
    const VORN_Variable* variable = loaded.fDictionary.GetVariable(0);
    ASSERT_NE(variable, nullptr) << row.fDesc;
    EXPECT_EQ(variable->GetType(), row.fType) << row.fDesc;
    EXPECT_EQ(variable->GetFormat().ToText(), row.fFormat) << row.fDesc;
  }
}

TEST(DocumentDictionary, LabelsValueLabelsAndMeasures) {
  Loaded loaded;
  Load(Document(R"X(
    <DataField index="0" name="weight" displayName="Weight (g)" optype="continuous" dataType="double"/>
    <DataField index="1" name="feed" displayName="Feed" optype="categorical" dataType="string">
      <Value index="0" value="casein" displayValue="Casein"/>
      <Value index="1" value="horsebean" displayValue="Horse bean &amp; more"/>
    </DataField>
    <DataField index="2" name="score" optype="ordinal" dataType="integer">
      <Value index="0" value="1" displayValue="Low"/>
      <Value index="1" value="two" displayValue="Unreadable"/>
      <Value index="2" value="3.5" displayValue="High"/>
    </DataField>
    <DataField index="3" name="other" optype="mystery"/>)X"),
       loaded);
  ASSERT_TRUE(loaded.fBuilt) << loaded.fError;
  ASSERT_EQ(loaded.fDictionary.GetVariableCount(), 4);

  const VORN_Variable& weight = *loaded.fDictionary.GetVariable(0);
  EXPECT_EQ(weight.GetLabel(), "Weight (g)");
  EXPECT_EQ(weight.GetMeasure(), VORN_Variable::kMeasureScale);

  const VORN_Variable& feed = *loaded.fDictionary.GetVariable(1);
  EXPECT_EQ(feed.GetMeasure(), VORN_Variable::kMeasureNominal);
  ASSERT_NE(feed.GetValueLabels().Find(std::string("horsebean")), nullptr);
  EXPECT_EQ(*feed.GetValueLabels().Find(std::string("horsebean")), "Horse bean & more");

  const VORN_Variable& score = *loaded.fDictionary.GetVariable(2);
  EXPECT_EQ(score.GetLabel(), "") << "no displayName: the name is shown";
  EXPECT_EQ(score.GetMeasure(), VORN_Variable::kMeasureOrdinal);
  // A value that is not a number cannot label a numeric variable and is left out.
  EXPECT_EQ(score.GetValueLabels().Size(), 2u);
  ASSERT_NE(score.GetValueLabels().Find(3.5), nullptr);
  EXPECT_EQ(*score.GetValueLabels().Find(3.5), "High");

  EXPECT_EQ(loaded.fDictionary.GetVariable(3)->GetMeasure(), VORN_Variable::kMeasureUnknown);
  EXPECT_EQ(loaded.fDictionary.GetWeightVarIndex(), -1);
}

TEST(DocumentDictionary, MetadataKeepsFieldTypesAndValues) {
  Loaded loaded;
  Load(Document(R"(
    <DataField index="0" name="feed" displayName="Feed" optype="categorical" dataType="string">
      <Value index="0" value="casein" displayValue="Casein"/>
    </DataField>
    <DataField index="1" name="n" optype="ordinal" dataType="integer">
      <Value index="0" value="7" displayValue="Seven"/>
    </DataField>
    <DataField index="2" name="d" optype="continuous" dataType="date"/>)"),
       loaded);
  CFMetaData metadata;
  DocumentDictionary::BuildMetadata(loaded.fRoot, metadata);
  ASSERT_EQ(metadata.FieldCount(), 3);
  const CFField& feed = *metadata.GetField(0);
  EXPECT_EQ(feed.GetLabel(), "Feed");
  EXPECT_EQ(feed.GetFieldType(), CFField::kCategorical);
  EXPECT_EQ(feed.GetStorageType(), CFField::kString);
  ASSERT_EQ(feed.GetValues().size(), 1u);
  EXPECT_STREQ(feed.GetValues()[0].GetString(), "casein");
  EXPECT_EQ(feed.GetValues()[0].GetDisplayLabel(), "casein");
  EXPECT_EQ(feed.GetValueLabels()[0].GetDisplayLabel(), "Casein");
  const CFField& n = *metadata.GetField(1);
  EXPECT_EQ(n.GetFieldType(), CFField::kOrdinal);
  ASSERT_EQ(n.GetValues().size(), 1u);
  EXPECT_EQ(n.GetValues()[0].GetInteger(), 7);
  EXPECT_EQ(metadata.GetField(2)->GetStorageType(), CFField::kDate);
}

TEST(DocumentDictionary, RefusesWhatCannotBeADictionary) {
  struct Row {
    const char* fDesc;
    std::string fText;
    const char* fError;
  } rows[] = {
      {"no dictionary", "<StatXML><PMMLModel modelType=\"NonParametricTests\"/></StatXML>",
       "no data dictionary"},
      {"a field without a name", Document(R"(<DataField index="0" dataType="double"/>)"),
       "field 0 has no name"},
      {"a name used twice, ignoring case",
       Document(R"(<DataField index="0" name="Feed"/><DataField index="1" name="FEED"/>)"),
       "field 1 is named \"FEED\" like a field before it"},
  };
  for (const Row& row : rows) {
    Loaded loaded;
    Load(row.fText, loaded);
    EXPECT_FALSE(loaded.fBuilt) << row.fDesc;
    EXPECT_NE(loaded.fError.find(row.fError), std::string::npos)
        << row.fDesc << ": " << loaded.fError;
  }
}

} // namespace
