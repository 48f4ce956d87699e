// The HTML writer: well-nested markup, tables whose spans add up to a full grid, cells in the
// right places, footnote marks, layers, anchors, and escaping of hostile data.
#include "render/HtmlWriter.h"

#include "HtmlCheck.h"
#include "SampleDocument.h"

#include "output/Chart.h"
#include "render/OutputWriter.h"
#include "text/CodePage.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <sstream>

namespace {

std::string WriteHtml(const output::Document& document) {
  std::ostringstream out;
  HtmlWriter().Write(document, out);
  return out.str();
}

// One self-contained, well-nested page in valid UTF-8, whatever the data holds.
TEST(HtmlWriterTest, WellNestedSelfContainedAndEscaped) {
  const std::string html = WriteHtml(*MakeSampleDocument());
  EXPECT_EQ(CheckNesting(html), "");
  EXPECT_TRUE(IsValidUtf8(html));
  EXPECT_EQ(html.rfind("<!DOCTYPE html>", 0), 0u);
  EXPECT_EQ(html.find("http://"), html.find("http://www.w3.org/2000/svg"))
      << "nothing but the SVG namespace refers to the network";
  EXPECT_EQ(html.find("<script"), std::string::npos);
  EXPECT_NE(html.find("&lt;script&gt;alert(&quot;x&quot;)&lt;/script&gt; &amp; &#39;q&#39;"),
            std::string::npos);
  EXPECT_NE(html.find("Caption with &lt;b&gt;markup&lt;/b&gt;"), std::string::npos);
  EXPECT_NE(html.find("Not parse element: Foo &amp; &lt;Bar&gt;"), std::string::npos);
  EXPECT_EQ(html.find('\x1B'), std::string::npos);
  EXPECT_EQ(html.find('\x7F'), std::string::npos);
  EXPECT_NE(html.find("[31mred"), std::string::npos) << "only the control itself is dropped";
  EXPECT_NE(html.find("Chart not drawn: NPARHistogram.viztemplate"), std::string::npos)
      << "a drawing with a script is replaced by the placeholder";
}

// A drawn chart carries its own title and footnote, so its caption is kept out of sight (for
// screen readers); a chart shown as a placeholder keeps its caption in view.
TEST(HtmlWriterTest, ACaptionIsShownOnlyWhenTheDrawingIsNot) {
  const std::string html = WriteHtml(*MakeSampleDocument());
  std::vector<std::string> captions;
  const std::regex caption("<figcaption([^>]*)>");
  for (auto it = std::sregex_iterator(html.begin(), html.end(), caption);
       it != std::sregex_iterator(); ++it)
    captions.push_back((*it)[1]);
  ASSERT_EQ(captions.size(), 2u) << "one drawn chart, one placeholder";
  EXPECT_EQ(captions[0], " class=\"in-drawing\"");
  EXPECT_EQ(captions[1], "");
  const std::size_t rule = html.find("figcaption.in-drawing {");
  ASSERT_NE(rule, std::string::npos);
  const std::string body = html.substr(rule, html.find('}', rule) - rule);
  EXPECT_NE(body.find("position: absolute"), std::string::npos);
  EXPECT_NE(body.find("clip-path"), std::string::npos);
}

// A drawing is shown a quarter wider than drawn, and no wider than the page, but never narrower
// than a fifth wider than drawn (its tick texts stay above the tables' small print; the figure
// scrolls sideways instead); a width that does not read as a number leaves the drawing as it is.
TEST(HtmlWriterTest, DrawingsAreShownAQuarterWider) {
  const std::string html = WriteHtml(*MakeSampleDocument());
  EXPECT_NE(html.find("<div class=\"drawing\" style=\"width:150px;min-width:144px\"><svg"),
            std::string::npos);
  EXPECT_NE(html.find("figure.chart .drawing { max-width: 100%; }"), std::string::npos);
  EXPECT_NE(html.find("figure.chart { margin: .75rem 0 1.5rem; overflow-x: auto; }"),
            std::string::npos);

  output::Document document;
  auto chart = std::make_unique<output::Chart>();
  chart->svg = "<svg width=\"50%\"><rect/></svg>";
  document.Append(std::move(chart));
  const std::string odd = WriteHtml(document);
  EXPECT_EQ(odd.find("class=\"drawing\""), std::string::npos);
  EXPECT_NE(odd.find("<svg width=\"50%\"><rect/></svg>"), std::string::npos);
}

// The stored page pins the markup: header cells with their footnote marks, numeric columns, the
// layer above and the footer with caption and footnotes, the outline, charts and messages.
TEST(HtmlWriterTest, GoldenSample) {
  CheckGolden("sample.html", WriteHtml(*MakeSampleDocument()));
}

TEST(HtmlWriterTest, NestedGroupsBecomeSpans) {
  const std::vector<std::string> tables = Tables(WriteHtml(*MakeSampleDocument()));
  ASSERT_EQ(tables.size(), 2u);
  std::vector<std::vector<GridCell>> rows;
  const auto grid = LayOut(tables[1], rows);
  // Two header rows (the shown dimension label "Subset" over 1 and 2), three body rows.
  ASSERT_GE(grid.size(), 5u);
  for (size_t i = 0; i < 5; ++i)
    ASSERT_EQ(grid[i].size(), 4u) << "row " << i; // two row-header columns, two subsets
  EXPECT_EQ(grid[0][0], grid[1][1]) << "corner spans the header block";
  EXPECT_EQ(grid[0][2]->text, "Subset");
  EXPECT_EQ(grid[0][2], grid[0][3]);
  EXPECT_EQ(grid[1][2]->text, "1");
  EXPECT_EQ(grid[1][3]->text, "2");
  // The group "Sample" spans its two rows; "Test Statistic" spans both header columns.
  EXPECT_EQ(grid[2][0]->text, "Sample<sup class=\"mark\">a</sup>");
  EXPECT_EQ(grid[2][0], grid[3][0]);
  EXPECT_EQ(grid[3][1]->text, "b");
  EXPECT_EQ(grid[4][0]->text, "Test Statistic");
  EXPECT_EQ(grid[4][0], grid[4][1]);
  EXPECT_EQ(grid[2][3]->text, "") << "no cell written";
  EXPECT_EQ(grid[3][3]->text, "2.750");
}

TEST(HtmlWriterTest, ContentsLinksMatchAnchors) {
  const std::string html = WriteHtml(*MakeSampleDocument());
  static const std::regex kHref(R"re(href="#([^"]+)")re");
  static const std::regex kId(R"re(id="([^"]+)")re");
  std::set<std::string> hrefs, ids;
  for (auto it = std::sregex_iterator(html.begin(), html.end(), kHref);
       it != std::sregex_iterator(); ++it)
    hrefs.insert((*it)[1]);
  for (auto it = std::sregex_iterator(html.begin(), html.end(), kId); it != std::sregex_iterator();
       ++it)
    EXPECT_TRUE(ids.insert((*it)[1]).second) << "duplicate id " << (*it)[1];
  EXPECT_EQ(hrefs.size(), 6u); // two headings, two tables, two charts
  EXPECT_EQ(hrefs, ids);
}

TEST(HtmlWriterTest, EmptyDocumentAndEmptyTable) {
  output::Document document;
  EXPECT_EQ(CheckNesting(WriteHtml(document)), "");
  auto table = std::make_unique<output::Table>(Plain("Empty"), "Empty");
  table->AddDimension(Plain("rows"));
  table->AddDimension(Plain("cols"))->SetPlacement(output::Dimension::Place::kColumn, 1, true);
  document.Append(std::move(table));
  const std::string html = WriteHtml(document);
  EXPECT_EQ(CheckNesting(html), "");
  EXPECT_NE(html.find("<div class=\"table-title\">Empty</div>"), std::string::npos);
}

TEST(OutputWriterTest, ForFormatKnowsTheThreeFormats) {
  const auto document = MakeSampleDocument();
  for (const char* name : {"html", "text", "json"}) {
    const std::unique_ptr<OutputWriter> writer = OutputWriter::ForFormat(name);
    ASSERT_NE(writer, nullptr) << name;
    std::ostringstream out;
    writer->Write(*document, out);
    EXPECT_NE(out.str().find("Nonparametric Tests"), std::string::npos) << name;
  }
  EXPECT_EQ(OutputWriter::ForFormat("pdf"), nullptr);
  EXPECT_EQ(OutputWriter::ForFormat("HTML"), nullptr) << "names are exact";
}

} // namespace
