// The JSON writer against the published schema, and the facts programs rely on: raw numbers that
// read back exactly, keys beside shown texts, cell paths, footnotes, repaired UTF-8.
#include "render/JsonWriter.h"

#include "SampleDocument.h"
#include "SchemaCheck.h"

#include <gtest/gtest.h>

#include <fstream>
#include <locale>
#include <sstream>

using nlohmann::json;

namespace {

std::string WriteJson(const output::Document& document, int indent = 2) {
  std::ostringstream out;
  JsonWriter(indent).Write(document, out);
  return out.str();
}

json Schema() {
  std::ifstream in(NPTESTS_SOURCE_DIR "/docs/output-format.schema.json");
  return json::parse(in);
}

// Strict parse: nlohmann rejects invalid UTF-8 and malformed JSON by throwing.
json Parse(const std::string& text) {
  return json::parse(text);
}

TEST(JsonWriterTest, SampleDocumentMatchesSchema) {
  const json doc = Parse(WriteJson(*MakeSampleDocument()));
  EXPECT_EQ(SchemaCheck(Schema(), doc), "");
}

TEST(JsonWriterTest, SchemaCheckRejectsWhatTheSchemaForbids) {
  // The check must be able to fail, or the test above proves nothing.
  const json good = Parse(WriteJson(*MakeSampleDocument()));
  const struct {
    const char* desc;
    json::json_pointer where;
    json value;
  } cases[] = {
      {"wrong format name", json::json_pointer("/format"), "other"},
      {"unknown item kind", json::json_pointer("/items/0/kind"), "paragraph"},
      {"place outside the enum", json::json_pointer("/items/0/items/0/dimensions/0/place"), "side"},
      {"cell value as text", json::json_pointer("/items/0/items/0/cells/0/value"), "1"},
      {"label without kind", json::json_pointer("/items/0/label/kind"), nullptr},
      {"extra member", json::json_pointer("/items/0/items/0/extra"), 1},
  };
  for (const auto& c : cases) {
    json bad = good;
    bad[c.where] = c.value;
    EXPECT_NE(SchemaCheck(Schema(), bad), "") << c.desc;
  }
}

TEST(JsonWriterTest, TablesKeepDimensionsCellsAndFootnotes) {
  const json doc = Parse(WriteJson(*MakeSampleDocument()));
  const json& summary = doc["items"][0]["items"][0];
  ASSERT_EQ(summary["kind"], "table");
  EXPECT_EQ(summary["title"]["key"], "Hypothesis Test Summary");
  ASSERT_EQ(summary["dimensions"].size(), 3u);
  EXPECT_EQ(summary["dimensions"][0]["place"], "layer");
  EXPECT_EQ(summary["dimensions"][1]["place"], "row");
  EXPECT_EQ(summary["dimensions"][2]["place"], "column");
  // The "Sig." category carries the first note; its cell of row 2 the second.
  const json& sig = summary["dimensions"][2]["categories"][2];
  EXPECT_EQ(sig["label"]["key"], "Sig.");
  EXPECT_EQ(sig["notes"][0]["text"], "The significance level is .050.");
  EXPECT_EQ(summary["footnotes"],
            json::parse(R"([{"mark":"a","text":"The significance level is .050."},
                            {"mark":"b","text":"Asymptotic significance is displayed."}])"));

  const json& cells = summary["cells"];
  ASSERT_EQ(cells.size(), 6u);
  // Paths name one category per dimension in creation order; keys for translatable texts.
  EXPECT_EQ(cells[0]["path"], json::parse(R"([["x = 1"], ["1"], ["Null Hypothesis"]])"));
  EXPECT_EQ(cells[0]["label"]["kind"], "composite");
  EXPECT_EQ(cells[0]["label"]["key"], "DefaultEqualProbabilities_O_ChiSquare_1");
  EXPECT_EQ(cells[0]["label"]["items"][0]["variable"], "group");
  EXPECT_EQ(cells[5]["path"], json::parse(R"([["x = 1"], ["2"], ["Sig."]])"));
  EXPECT_TRUE(cells[5]["value"].is_null()) << "system-missing";
  EXPECT_TRUE(cells[5]["label"]["value"].is_null());
  EXPECT_EQ(cells[5]["notes"][0]["text"], "Asymptotic significance is displayed.");
  EXPECT_TRUE(cells[0]["value"].is_null()) << "a text cell has no raw value";
  EXPECT_EQ(cells[4]["label"]["untranslated"], true);
  EXPECT_FALSE(cells[3]["label"].contains("untranslated"));

  // Grouped categories: the path walks down through the group.
  const json& subsets = doc["items"][0]["items"][1]["items"][0];
  EXPECT_EQ(subsets["cells"][0]["path"], json::parse(R"([["Sample", "a"], ["1"]])"));
  EXPECT_EQ(subsets["dimensions"][0]["categories"][0]["group"], true);
  EXPECT_EQ(subsets["dimensions"][0]["categories"][0]["children"].size(), 2u);
}

TEST(JsonWriterTest, RawNumbersRoundTripExactly) {
  const std::string text = WriteJson(*MakeSampleDocument(), -1);
  const json doc = Parse(text);
  const json& summary = doc["items"][0]["items"][0];
  const json& subsets = doc["items"][0]["items"][1]["items"][0];
  EXPECT_EQ(summary["cells"][2]["value"].get<double>(), 0.30000000000000004);
  EXPECT_EQ(subsets["cells"][1]["value"].get<double>(), 1e-300);
  EXPECT_EQ(subsets["cells"][4]["value"].get<double>(), 12345.678);
}

TEST(JsonWriterTest, NonFiniteNumbersBecomeNull) {
  output::Document document;
  auto table = std::make_unique<output::Table>(Plain("t"), "t");
  output::Dimension* rows = table->AddDimension(Plain("r"));
  const output::Category* a = rows->Root().FindOrAddChild(Plain("a"), false);
  const output::Category* b = rows->Root().FindOrAddChild(Plain("b"), false);
  table->CellAt({a}).label = Num(std::numeric_limits<double>::quiet_NaN(), "NaN");
  table->CellAt({b}).label = Num(-std::numeric_limits<double>::infinity(), "-Inf");
  document.Append(std::move(table));
  const json doc = Parse(WriteJson(document));
  EXPECT_TRUE(doc["items"][0]["cells"][0]["value"].is_null());
  EXPECT_TRUE(doc["items"][0]["cells"][1]["label"]["value"].is_null());
}

TEST(JsonWriterTest, HostileTextStaysValidJson) {
  const std::string text = WriteJson(*MakeSampleDocument());
  const json doc = Parse(text); // throws on invalid UTF-8
  const std::string shown = doc["items"][0]["items"][0]["cells"][3]["label"]["text"];
  EXPECT_NE(shown.find("<script>alert(\"x\")</script> & 'q'"), std::string::npos)
      << "JSON keeps data verbatim apart from repairs";
  EXPECT_NE(shown.find("\xEF\xBF\xBD"), std::string::npos) << "invalid UTF-8 replaced";
  EXPECT_EQ(shown.find('\xFF'), std::string::npos);
  EXPECT_NE(text.find("\\u001b[31m"), std::string::npos) << "control characters escaped";
  // Chart data and source names go through the same repair.
  const json& chart = doc["items"][0]["items"][1]["items"][1];
  EXPECT_EQ(chart["sources"]["data"]["rows"][1][1], "g\xEF\xBF\xBD");
  EXPECT_TRUE(chart["sources"]["data"]["rows"][1][0].is_null());
}

TEST(JsonWriterTest, OutputIsDeterministicAndIgnoresStreamLocale) {
  struct CommaDecimals : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    std::string do_grouping() const override { return "\3"; }
    char do_thousands_sep() const override { return '.'; }
  };
  const auto document = MakeSampleDocument();
  std::ostringstream localised;
  localised.imbue(std::locale(std::locale::classic(), new CommaDecimals));
  JsonWriter().Write(*document, localised);
  EXPECT_EQ(localised.str(), WriteJson(*document));
  EXPECT_NE(localised.str().find("12345.678"), std::string::npos);
  // Members come in the documented order, not alphabetically.
  const std::string compact = WriteJson(*document, -1);
  EXPECT_EQ(
      compact.rfind(R"({"format":"nptests-output","version":1,"items":[{"kind":"heading")", 0), 0u);
}

TEST(JsonWriterTest, ChartAndMessageItems) {
  const json doc = Parse(WriteJson(*MakeSampleDocument()));
  const json& chart = doc["items"][0]["items"][1]["items"][1];
  EXPECT_EQ(chart["kind"], "chart");
  EXPECT_EQ(chart["template"], "NPARBoxplot.viztemplate");
  EXPECT_EQ(chart["subtitle"], "of x");
  EXPECT_TRUE(chart["thirdText"].is_null());
  EXPECT_EQ(chart["sources"]["data"]["variables"], json::parse(R"(["x", "group"])"));
  EXPECT_EQ(chart["variables"]["group"]["relabels"], json::parse(R"([["1", "Group 1"]])"));
  const json& message = doc["items"][0]["items"][2];
  EXPECT_EQ(message["kind"], "message");
  EXPECT_EQ(message["level"], "warning");
  EXPECT_EQ(message["label"]["text"], "Not parse element: Foo & <Bar>");
}

} // namespace
