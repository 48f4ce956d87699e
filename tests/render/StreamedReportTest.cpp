// A report written as the builder makes it: items go out only once no handle can change them, in
// the order a whole document gives, and every writer writes the same bytes either way.
#include "output/Document.h"
#include "pivot/BpCategory.h"
#include "pivot/BpDimension.h"
#include "pivot/BpPivotTable.h"
#include "pivot/BpProcedure.h"
#include "pivot/BpString.h"
#include "render/HtmlWriter.h"
#include "render/JsonWriter.h"
#include "render/TextWriter.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

// Records the events as "open Title", "table Title (cells)", "close Title".
class RecordingSink : public output::OutlineSink {
public:
  void OpenHeading(const output::Heading& heading) override {
    events.push_back("open " + heading.GetLabel().Text());
  }
  void CloseHeading(const output::Heading& heading) override {
    events.push_back("close " + heading.GetLabel().Text());
  }
  void Leaf(const output::Item& item) override {
    if (const output::Table* table = item.AsTable())
      events.push_back("table " + table->Title().Text() + " (" +
                       std::to_string(table->Cells().size()) + ")");
    else
      events.push_back(output::ItemKindName(item.Kind()));
  }
  std::vector<std::string> events;
};

BpString Text(const std::string& text) {
  return BpString(text, false);
}

// A summary table whose handle outlives the test headings after it (its rows are added last, as a
// procedure may), tests with a table each, and a message sent under the latest live heading.
// `checkpoint` runs while the summary is still held and the second test is being made.
void BuildReport(output::Document& document, const std::function<void()>& checkpoint) {
  BpProcedure procedure(document, nullptr, nullptr, "Procedure");
  auto summary = std::make_unique<BpPivotTable>(
      procedure.PivotTable(BpString("Hypothesis Test Summary", true), Text("Summary"), false));
  auto rows =
      std::make_unique<BpDimension>(summary->Dimension(Text("Test"), BpPivotTable::kSortAsMade));
  for (const char* title : {"Test 1", "Test 2", "Test 3"}) {
    BpHeading test = procedure.Heading(Text(title));
    BpPivotTable stats = test.PivotTable(Text(std::string("Stats of ") + title), Text(""), false);
    stats.Dimension(Text("Statistic"), BpPivotTable::kSortAsMade)
        .Category(Text("N"))
        .Cell(Text("10"));
    if (std::string(title) == "Test 2")
      checkpoint();
  }
  for (const char* row : {"1", "2", "3", "4"})
    rows->Category(Text(row)).Cell(Text("row"));
  summary.reset();
  rows.reset();
  BpHeading last = procedure.Heading(Text("Notes"));
  procedure.SendMessage(std::make_unique<output::Message>(output::Message::Level::kWarning,
                                                          Text("careful").ToLabel(nullptr)));
}

TEST(StreamedReport, ItemsWaitForTheirHandlesAndKeepTheirOrder) {
  output::Document whole;
  BuildReport(whole, [] {});
  RecordingSink expected;
  output::Document::Walk(whole, expected);

  output::Document streamed;
  RecordingSink sink;
  streamed.StreamTo(sink);
  std::vector<std::string> atCheckpoint;
  BuildReport(streamed, [&] { atCheckpoint = sink.events; });
  // The summary was still held: nothing after it could go, whatever was finished behind it.
  EXPECT_EQ(atCheckpoint, std::vector<std::string>{"open Procedure"});
  streamed.Finish();
  EXPECT_EQ(sink.events, expected.events);
  // Rows added after the tests were made are in the table as written.
  EXPECT_EQ(sink.events.at(1), "table Hypothesis Test Summary (4)");
}

// Once the summary is let go, each finished test goes out as the next one is made.
TEST(StreamedReport, FinishedTestsGoOutWhileLaterOnesAreMade) {
  output::Document document;
  RecordingSink sink;
  document.StreamTo(sink);
  BpProcedure procedure(document, nullptr, nullptr, "Procedure");
  { BpHeading first = procedure.Heading(Text("First")); }
  std::size_t seenBeforeSecondTable = 0;
  {
    BpHeading second = procedure.Heading(Text("Second"));
    seenBeforeSecondTable = sink.events.size();
    second.PivotTable(Text("Table"), Text(""), false);
  }
  EXPECT_EQ(
      std::vector<std::string>(sink.events.begin(), sink.events.begin() + seenBeforeSecondTable),
      (std::vector<std::string>{"open Procedure", "open First", "close First"}));
  document.Finish();
  EXPECT_EQ(sink.events.back(), "close Procedure");
}

TEST(StreamedReport, EveryWriterWritesTheSameBytesStreamedOrWhole) {
  const HtmlWriter html("Report");
  const TextWriter text(60);
  const JsonWriter json(-1);
  for (const OutputWriter* writer : std::vector<const OutputWriter*>{&html, &text, &json}) {
    output::Document whole;
    BuildReport(whole, [] {});
    std::ostringstream expected;
    writer->Write(whole, expected);

    output::Document streamed;
    std::ostringstream out;
    const std::unique_ptr<OutputWriter::Sink> sink = writer->Open(out);
    streamed.StreamTo(*sink);
    BuildReport(streamed, [] {});
    streamed.Finish();
    sink->End(streamed.Language());
    EXPECT_EQ(out.str(), expected.str());
  }
}

// A summary row links to the section of its test, the heading as many places after the table as
// the row is down it: three rows over two headings leave the third without a link. The page is
// written after the table, before the headings came, so the link is taken back at the end.
TEST(StreamedReport, SummaryRowsLinkOnlyToHeadingsThatCame) {
  output::Document document;
  {
    BpProcedure procedure(document, nullptr, nullptr, "Procedure");
    BpPivotTable summary =
        procedure.PivotTable(BpString("Hypothesis Test Summary", true), Text("Summary"), false);
    BpDimension rows = summary.Dimension(Text("Test"), BpPivotTable::kSortAsMade);
    for (const char* row : {"1", "2", "3"})
      rows.Category(Text(row)).Cell(Text("row"));
    procedure.Heading(Text("Test 1"));
    procedure.Heading(Text("Test 2"));
  }
  std::ostringstream out;
  HtmlWriter().Write(document, out);
  const std::string page = out.str();
  EXPECT_NE(page.find("<a href=\"#s1-1\" data-section=\"1.1\">1</a>"), std::string::npos);
  EXPECT_NE(page.find("<a href=\"#s1-2\" data-section=\"1.2\">2</a>"), std::string::npos);
  EXPECT_NE(page.find("<th scope=\"row\">3</th>"), std::string::npos) << page;
  EXPECT_EQ(page.find("data-section=\"1.3\""), std::string::npos);

  // The same above every heading, where the page itself is the level that ends last.
  output::Document top;
  auto table = std::make_unique<output::Table>(
      output::Label::Translated("Hypothesis Test Summary", "Summary", false), "");
  output::Dimension* tests = table->AddDimension(output::Label::PlainText("Test"));
  for (const char* row : {"1", "2"})
    table->CellAt({tests->Root().FindOrAddChild(output::Label::PlainText(row), false)}).label =
        output::Label::PlainText("row");
  top.Append(std::move(table));
  top.Append(std::make_unique<output::Heading>(output::Label::PlainText("Test 1")));
  std::ostringstream topOut;
  HtmlWriter().Write(top, topOut);
  EXPECT_NE(topOut.str().find("<a href=\"#s1\" data-section=\"1\">1</a>"), std::string::npos);
  EXPECT_EQ(topOut.str().find("data-section=\"2\""), std::string::npos) << topOut.str();
}

} // namespace
