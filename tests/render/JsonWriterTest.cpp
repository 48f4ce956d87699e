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

// The stored file pins the format: member order, places, paths through groups, keys beside shown
// texts, the untranslated mark, footnotes, chart sources and messages.
TEST(JsonWriterTest, GoldenSample) {
  CheckGolden("sample.json", WriteJson(*MakeSampleDocument()));
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
  // DEL in an otherwise ASCII text is escaped like C1 and direction controls beyond ASCII.
  output::Document controls;
  for (const char* label : {"a\x7F"
                            "b",
                            "c\xC2\x9B"
                            "d\xE2\x80\xAE"
                            "e"})
    controls.Append(std::make_unique<output::Message>(output::Message::Level::kWarning,
                                                      output::Label::PlainText(label)));
  const std::string escaped = WriteJson(controls);
  EXPECT_NE(escaped.find("\"a\\u007fb\""), std::string::npos) << escaped;
  EXPECT_NE(escaped.find("\"c\\u009bd\\u202ee\""), std::string::npos) << escaped;
}

TEST(JsonWriterTest, OutputIgnoresStreamLocale) {
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
}

} // namespace
