// A row category that carries neither a cell nor a note is left out of the shown table, but
// stays in the JSON record of what the procedure built.
#include "output/Document.h"
#include "pivot/BpAnnotation.h"
#include "pivot/BpCategory.h"
#include "pivot/BpDimension.h"
#include "pivot/BpNumber.h"
#include "pivot/BpPivotTable.h"
#include "pivot/BpProcedure.h"
#include "pivot/BpString.h"
#include "render/HtmlWriter.h"
#include "render/JsonWriter.h"
#include "render/TextWriter.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

std::string Render(const OutputWriter& writer, const output::Document& document) {
  std::ostringstream out;
  writer.Write(document, out);
  return out.str();
}

TEST(EmptyRows, AreHiddenInTextAndHtmlButKeptInJson) {
  output::Document document;
  {
    BpProcedure procedure(document, nullptr, nullptr);
    BpPivotTable table = procedure.PivotTable(BpString("T", false), BpString("T", false), false);
    BpDimension rows = table.Dimension(BpString("Statistics", false), 2);
    rows.Position(BpDimension::kRow, 1, true, false);
    BpDimension columns = table.Dimension(BpString("Value", false), 2);
    columns.Position(BpDimension::kColumn, 1, true, false);
    rows.Category(BpString("Filled row", false));
    columns.Category(BpString("Value", false)).Cell(BpNumber(1.5, BpProcedure::Coefficient()));
    rows.Category(BpString("Bare row", false));
    rows.Category(BpString("Noted row", false)).Note(BpAnnotation(BpString("a note", false)));
  }
  const std::string text = Render(TextWriter(), document);
  EXPECT_NE(text.find("Filled row"), std::string::npos);
  EXPECT_EQ(text.find("Bare row"), std::string::npos);
  EXPECT_NE(text.find("Noted row"), std::string::npos) << "a note is worth a row";
  const std::string html = Render(HtmlWriter("T"), document);
  EXPECT_EQ(html.find("Bare row"), std::string::npos);
  EXPECT_NE(html.find("Noted row"), std::string::npos);
  EXPECT_NE(Render(JsonWriter(), document).find("Bare row"), std::string::npos);
}

} // namespace
