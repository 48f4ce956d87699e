// The streaming JSON writer's layouts: every indent gives the same content, laid out exactly as the
// JSON library would dump that content, so the compact report and the one for people differ in
// blanks only; and the writer streams, so a stream that fails is left failed.
#include "SampleDocument.h"

#include "output/Heading.h"
#include "output/Table.h"
#include "render/JsonWriter.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sstream>

using OrderedJson = nlohmann::ordered_json;

namespace {

std::string Write(const output::Document& document, int indent) {
  std::ostringstream out;
  JsonWriter(indent).Write(document, out);
  return out.str();
}

TEST(JsonLayoutTest, EveryIndentIsTheLibraryLayoutOfTheSameContent) {
  const auto document = MakeSampleDocument();
  const OrderedJson content = OrderedJson::parse(Write(*document, 2));
  for (const int indent : {-1, 0, 1, 2, 4}) {
    const std::string text = Write(*document, indent);
    const OrderedJson parsed = OrderedJson::parse(text);
    EXPECT_EQ(parsed, content) << indent;
    // The library writes DEL raw, where the writer escapes it like every other control.
    std::string libraryText = text;
    for (std::size_t at = libraryText.find("\\u007f"); at != std::string::npos;
         at = libraryText.find("\\u007f", at))
      libraryText.replace(at, 6, "\x7F");
    EXPECT_EQ(libraryText, parsed.dump(indent) + "\n") << indent;
  }
}

// Empty objects and arrays, and numbers the library writes in its own way (whole numbers with
// ".0", exponents with two digits, negative zero), in a table of their own.
TEST(JsonLayoutTest, NumbersAndEmptyContainersAsTheLibraryWritesThem) {
  output::Document document;
  auto table = std::make_unique<output::Table>(Plain("Numbers"), "Numbers");
  output::Dimension* rows = table->AddDimension(Plain("Rows"));
  output::Dimension* columns = table->AddDimension(Plain("Columns"));
  const output::Category* column = columns->Root().FindOrAddChild(Plain("c"), false);
  const double values[] = {
      0.0, -0.0, 1.0, -2.5, 1e-5, 1e21, 123456789012345680.0, 5e-324, 1.7976931348623157e308, 0.1};
  for (std::size_t i = 0; i < std::size(values); ++i) {
    const output::Category* row =
        rows->Root().FindOrAddChild(Plain("r" + std::to_string(i)), false);
    table->CellAt({row, column}).label = Num(values[i], "x");
  }
  document.Append(std::move(table));
  for (const int indent : {-1, 2}) {
    const std::string text = Write(document, indent);
    const OrderedJson parsed = OrderedJson::parse(text);
    EXPECT_EQ(text, parsed.dump(indent) + "\n") << indent;
    const OrderedJson& cells = parsed["items"][0]["cells"];
    ASSERT_EQ(cells.size(), std::size(values));
    for (std::size_t i = 0; i < std::size(values); ++i)
      EXPECT_EQ(cells[i]["value"].get<double>(), values[i]) << i << " reads back exactly";
  }
}

TEST(JsonLayoutTest, AFailedStreamStaysFailed) {
  const auto document = MakeSampleDocument();
  std::ostringstream out;
  out.setstate(std::ios::badbit);
  JsonWriter(-1).Write(*document, out);
  EXPECT_TRUE(out.bad());
  EXPECT_TRUE(out.str().empty());
}

} // namespace
