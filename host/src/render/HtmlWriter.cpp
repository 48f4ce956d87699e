// The HTML writer: a numbered contents list folding by level, then the outline as nested sections
// with tables, charts and messages. The style sheet is inline so the page reads the same offline
// and in print.
#include "render/HtmlWriter.h"

#include "output/Document.h"
#include "render/OutlineNumbering.h"
#include "render/PlainSvg.h"
#include "render/RenderText.h"
#include "render/TableGrid.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <ostream>
#include <sstream>
#include <streambuf>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

using namespace output;

namespace {

constexpr const char* kStyleSheet = R"CSS(
:root { color-scheme: light; --ink: #1b1f24; --muted: #57606a; --rule: #d8dee4; --accent: #0b57d0; }
* { box-sizing: border-box; }
body { margin: 0; color: var(--ink); background: #fff; font-size: 15px; line-height: 1.45;
  font-family: system-ui, -apple-system, "Segoe UI", Roboto, "Noto Sans", "Liberation Sans",
    "Helvetica Neue", Arial, sans-serif; }
nav.contents, main { max-width: 1120px; margin: 0 auto; padding: 1rem 2rem; }
nav.contents { border-bottom: 1px solid var(--rule); font-size: .95em; }
nav.contents .contents-title { font-weight: 600; margin: 0 0 .3rem; }
nav.contents ol { list-style: none; margin: .1rem 0; padding-left: 1.1rem; }
nav.contents > ol { padding-left: 0; }
nav.contents a { color: var(--accent); text-decoration: none; }
nav.contents a:hover { text-decoration: underline; }
nav.contents li.entry-table a, nav.contents li.entry-chart a { color: var(--muted); }
nav.contents summary { cursor: pointer; }
nav.contents details > ol { padding-left: 1.1rem; }
.number { color: var(--muted); font-variant-numeric: tabular-nums; margin-right: .15em; }
table.pivot th a { color: inherit; }
section.outline { margin: 0 0 1.25rem; }
section.outline section.outline { margin-left: 1rem; }
h1, h2, h3, h4, h5, h6 { line-height: 1.25; margin: 1.2rem 0 .6rem; font-weight: 600; }
h1 { font-size: 1.45rem; padding-bottom: .25rem; border-bottom: 2px solid var(--ink); }
h2 { font-size: 1.25rem; } h3 { font-size: 1.1rem; } h4, h5, h6 { font-size: 1rem; }
.pivot-wrap { overflow-x: auto; margin: .5rem 0 1.5rem; }
table.pivot { border-collapse: collapse; font-variant-numeric: tabular-nums;
  border-top: 2px solid var(--ink); border-bottom: 2px solid var(--ink); }
table.pivot + table.pivot { margin-top: 1rem; }
table.pivot caption { caption-side: top; text-align: left; padding: 0 0 .4rem; }
table.pivot .table-title { font-weight: 600; font-size: 1.05rem; white-space: nowrap; }
table.pivot .layers { color: var(--muted); font-size: .92em; }
table.pivot th, table.pivot td { padding: .28rem .65rem; text-align: left; vertical-align: top; }
table.pivot thead th { font-weight: 600; vertical-align: bottom; border-bottom: 1px solid var(--ink); }
table.pivot thead th.span { text-align: center; border-bottom: 1px solid #8c959f; }
table.pivot thead th.corner { font-weight: 600; }
table.pivot th.num, table.pivot td.num { text-align: right; }
table.pivot td.num { white-space: nowrap; }
table.pivot tbody th { font-weight: normal; }
table.pivot tbody th.group { font-weight: 600; }
table.pivot tbody tr { border-top: 1px solid var(--rule); }
table.pivot tbody tr.break { border-top: 1px solid #8c959f; }
table.pivot tbody tr:first-child { border-top: none; }
table.pivot tfoot td { font-size: .87em; color: #3d444d; padding-top: .45rem; border-top: 1px solid var(--ink); }
table.pivot tfoot p { margin: .1rem 0; max-width: 60rem; }
sup.mark { font-size: .72em; line-height: 0; color: var(--muted); margin-left: .1em; font-weight: normal; }
figure.chart { margin: .75rem 0 1.5rem; overflow-x: auto; }
figure.chart figcaption { font-weight: 600; margin-bottom: .35rem; }
figure.chart figcaption .chart-subtitle { display: block; font-weight: normal; color: var(--muted); }
figure.chart svg { max-width: 100%; height: auto; }
figure.chart .drawing { max-width: 100%; }
figure.chart .drawing svg { display: block; width: 100%; height: auto; }
figure.chart figcaption.in-drawing { position: absolute; width: 1px; height: 1px; overflow: hidden; clip-path: inset(50%); white-space: nowrap; }
.chart-placeholder { width: 30rem; max-width: 100%; height: 12rem; display: flex; align-items: center;
  justify-content: center; text-align: center; padding: 1rem; color: var(--muted);
  border: 1px dashed #8c959f; background: #f6f8fa; }
.message { margin: .75rem 0; padding: .5rem .8rem; border-left: 4px solid #bf8700;
  background: #fff8c5; max-width: 60rem; }
.message.error { border-left-color: #cf222e; background: #ffebe9; }
.message .message-level { font-weight: 600; margin-right: .35em; }
@media print {
  body { font-size: 10.5pt; }
  nav.contents { display: none; }
  nav.contents, main { max-width: none; padding: 0; }
  .pivot-wrap { overflow: visible; }
  table.pivot, figure.chart, .message { break-inside: avoid; page-break-inside: avoid; }
  table.pivot thead { display: table-header-group; }
  table.pivot tr { break-inside: avoid; page-break-inside: avoid; }
  h1, h2, h3, h4, h5, h6 { break-after: avoid; page-break-after: avoid; }
  figure.chart svg { max-height: 24cm; }
  a { color: inherit; text-decoration: none; }
  a[data-section]::after { content: " \2192\00a0" attr(data-section); color: var(--muted); }
  .message, figure.chart svg { print-color-adjust: exact; -webkit-print-color-adjust: exact; }
}
)CSS";

std::string Escape(std::string_view text) {
  return RenderText::ForHtml(text);
}

std::string MarksHtml(const std::vector<Note>& notes) {
  std::vector<std::string> marks;
  for (const Note& note : notes)
    if (!note.mark.empty() && std::find(marks.begin(), marks.end(), note.mark) == marks.end())
      marks.push_back(note.mark);
  if (marks.empty())
    return "";
  std::string html = "<sup class=\"mark\">";
  for (size_t i = 0; i < marks.size(); ++i)
    html += (i ? "," : "") + Escape(marks[i]);
  return html + "</sup>";
}

// A label's text, its styled runs as inline elements.
std::string RichHtml(const Label& label) {
  if (label.Runs().empty())
    return Escape(label.Text());
  std::string html;
  for (const output::TextRun& run : label.Runs()) {
    switch (run.style) {
    case output::TextStyle::kPlain:
      html += Escape(run.text);
      break;
    case output::TextStyle::kItalic:
      html += "<i>" + Escape(run.text) + "</i>";
      break;
    case output::TextStyle::kSubscript:
      html += "<sub>" + Escape(run.text) + "</sub>";
      break;
    case output::TextStyle::kSuperscript:
      html += "<sup>" + Escape(run.text) + "</sup>";
      break;
    }
  }
  return html;
}

std::string LabelHtml(const Label& label, const std::vector<Note>& notes) {
  return RichHtml(label) + MarksHtml(notes);
}

std::string SpanAttributes(size_t colspan, size_t rowspan) {
  std::string attributes;
  if (colspan > 1)
    attributes += " colspan=\"" + std::to_string(colspan) + "\"";
  if (rowspan > 1)
    attributes += " rowspan=\"" + std::to_string(rowspan) + "\"";
  return attributes;
}

// The anchor of a heading, made from its number.
std::string HeadingId(const std::string& number) {
  std::string id = "s" + number;
  std::replace(id.begin(), id.end(), '.', '-');
  return id;
}

// Tables and charts are counted under the heading that holds them: "s1-2-t3" is the third table of
// heading 1.2, "t1" a table above every heading.
std::string ItemId(const std::string& parent, char kind, int count) {
  return (parent.empty() ? std::string() : HeadingId(parent) + "-") + kind + std::to_string(count);
}

bool IsTestSummary(const Table& table) {
  return table.Title().Key() && *table.Title().Key() == "Hypothesis Test Summary";
}

// The body goes to a temporary file as the items arrive, since the page starts with the contents
// list, which is complete only at the end; where no temporary file can be made, it is held in
// memory instead. Counts what it has written, so that a place in the body can be named by its
// offset.
class SpoolBuffer : public std::streambuf {
public:
  using Cuts = std::vector<std::pair<std::uint64_t, std::size_t>>;

  SpoolBuffer() : fFile(std::tmpfile()), fBuffer(kSize) {
    setp(fBuffer.data(), fBuffer.data() + fBuffer.size());
  }
  ~SpoolBuffer() override {
    if (fFile != nullptr)
      std::fclose(fFile);
  }
  SpoolBuffer(const SpoolBuffer&) = delete;
  SpoolBuffer& operator=(const SpoolBuffer&) = delete;

  bool Usable() const { return !fFailed; }
  std::uint64_t Offset() const { return fFlushed + static_cast<std::uint64_t>(pptr() - pbase()); }

  // Copies everything written to `out`, leaving out the byte ranges of `cuts` (offset, length;
  // sorted, not overlapping).
  void CopyTo(std::ostream& out, const Cuts& cuts) {
    sync();
    std::size_t cut = 0;
    if (fFile == nullptr) {
      CopyPiece(out, fMemory.data(), fMemory.size(), 0, cuts, cut);
      return;
    }
    if (fFailed || std::fseek(fFile, 0, SEEK_SET) != 0) {
      out.setstate(std::ios::badbit);
      return;
    }
    std::uint64_t at = 0;
    for (std::size_t got; (got = std::fread(fBuffer.data(), 1, fBuffer.size(), fFile)) > 0;
         at += got)
      CopyPiece(out, fBuffer.data(), got, at, cuts, cut);
    if (std::ferror(fFile))
      out.setstate(std::ios::badbit);
    setp(fBuffer.data(), fBuffer.data() + fBuffer.size());
  }

protected:
  int_type overflow(int_type c) override {
    if (sync() != 0)
      return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
      *pptr() = traits_type::to_char_type(c);
      pbump(1);
    }
    return traits_type::not_eof(c);
  }

  int sync() override {
    const std::size_t length = static_cast<std::size_t>(pptr() - pbase());
    if (fFile == nullptr)
      fMemory.append(pbase(), length);
    else if (length > 0 && std::fwrite(pbase(), 1, length, fFile) != length)
      fFailed = true;
    fFlushed += length;
    setp(fBuffer.data(), fBuffer.data() + fBuffer.size());
    return fFailed ? -1 : 0;
  }

private:
  static constexpr std::size_t kSize = 1 << 16;

  // Writes the `size` bytes at `data`, which stand at offset `at` of the body, less the cuts;
  // `cut` is the first cut not yet passed, carried from piece to piece.
  static void CopyPiece(std::ostream& out, const char* data, std::size_t size, std::uint64_t at,
                        const Cuts& cuts, std::size_t& cut) {
    std::size_t from = 0;
    while (from < size) {
      const std::uint64_t here = at + from;
      if (cut < cuts.size() && cuts[cut].first + cuts[cut].second <= here) {
        ++cut;
        continue;
      }
      if (cut < cuts.size() && cuts[cut].first <= here) {
        from += static_cast<std::size_t>(
            std::min<std::uint64_t>(cuts[cut].first + cuts[cut].second - here, size - from));
        continue;
      }
      const std::uint64_t until = cut < cuts.size() ? cuts[cut].first : at + size;
      const std::size_t length =
          static_cast<std::size_t>(std::min<std::uint64_t>(until, at + size) - here);
      out.write(data + from, static_cast<std::streamsize>(length));
      from += length;
    }
  }

  std::FILE* fFile;
  std::string fMemory; // the body, when there is no temporary file
  std::vector<char> fBuffer;
  std::uint64_t fFlushed = 0;
  bool fFailed = false;
};

// Takes the outline as it arrives: the contents list (held, it is small) and the body (spooled)
// number the headings and name the anchors the same way, from the position of each item.
class HtmlOutline : public OutputWriter::Sink {
public:
  HtmlOutline(std::ostream& out, std::string pageTitle)
      : fPage(out), fPageTitle(std::move(pageTitle)), fOut(&fSpool) {
    fContents << "<ol>\n";
  }

  void OpenHeading(const Heading& heading) override {
    EnterContents();
    const int tag = static_cast<int>(std::min<std::size_t>(fNumbering.Depth() + 1, 6));
    Level level;
    level.topLevel = fNumbering.Depth() == 0;
    const std::string number = fNumbering.Open();
    level.link = "<a href=\"#" + HeadingId(number) + "\"><span class=\"number\">" + number +
                 "</span> " + Escape(heading.GetLabel().Text()) + "</a>";
    fLevels.push_back(std::move(level));
    fOut << "<section class=\"outline\" id=\"" << HeadingId(number) << "\">\n<h" << tag
         << "><span class=\"number\">" << number << "</span> " << Escape(heading.GetLabel().Text())
         << "</h" << tag << ">\n";
  }

  void CloseHeading(const Heading&) override {
    Level& level = fLevels.back();
    if (level.entered)
      fContents << "</ol>\n</details></li>\n";
    else
      fContents << "<li>" << level.link << "</li>\n";
    CutMissingSections(level);
    fOut << "</section>\n";
    fLevels.pop_back();
    fNumbering.Close();
  }

  void End(const std::string& language) override {
    fContents << "</ol>\n";
    fPage << "<!DOCTYPE html>\n<html lang=\"" << Escape(language)
          << "\">\n<head>\n<meta charset=\"utf-8\">\n"
             "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
             "<title>"
          << Escape(fPageTitle) << "</title>\n<style>" << kStyleSheet
          << "</style>\n</head>\n<body>\n";
    fPage << "<nav class=\"contents\" aria-label=\"Contents\">\n"
             "<p class=\"contents-title\">Contents</p>\n"
          << fContents.str() << "</nav>\n<main>\n";
    CutMissingSections(fLevels.front());
    fOut.flush();
    std::sort(fCuts.begin(), fCuts.end());
    fSpool.CopyTo(fPage, fCuts);
    fPage << "</main>\n</body>\n</html>\n";
    if (!fSpool.Usable())
      fPage.setstate(std::ios::badbit);
  }

private:
  static constexpr std::string_view kCloseLink = "</a>";

  void OnTable(const Table& table) override {
    EnterContents();
    const std::string id = ItemId(fNumbering.Number(), 't', fNumbering.CountTable());
    fContents << "<li class=\"entry-table\"><a href=\"#" << id << "\">"
              << Escape(table.Title().Text()) << "</a></li>\n";
    WriteTable(table, id, IsTestSummary(table));
  }

  void OnChart(const Chart& chart) override {
    EnterContents();
    const std::string id = ItemId(fNumbering.Number(), 'c', fNumbering.CountChart());
    fContents << "<li class=\"entry-chart\"><a href=\"#" << id << "\">" << Escape(chart.title)
              << "</a></li>\n";
    WriteChart(chart, id);
  }

  void OnMessage(const Message& message) override {
    EnterContents();
    WriteMessage(message);
  }

  // Where a row of a test summary links to the section of its test: the byte ranges of the link's
  // tags in the body and the number of the heading it names among its siblings.
  struct SectionLink {
    std::uint64_t open;
    std::size_t openLength;
    std::uint64_t close;
    int section;
  };

  // An open heading (or the page itself, first), beside its number in fNumbering: its contents
  // entry, which becomes a folding list once the heading turns out to hold anything, and the
  // links of its test summaries.
  struct Level {
    std::string link;
    bool topLevel = false;
    bool entered = false;
    std::vector<SectionLink> sectionLinks;
  };

  // Once `level`, the innermost, is complete: the rows of its test summaries that point past the
  // last heading it got lose their links.
  void CutMissingSections(const Level& level) {
    for (const SectionLink& link : level.sectionLinks)
      if (link.section > fNumbering.Headings()) {
        fCuts.emplace_back(link.open, link.openLength);
        fCuts.emplace_back(link.close, kCloseLink.size());
      }
  }

  // The innermost level, which is getting an item: its contents entry becomes a folding list if
  // it is not one yet. Every level folds; the first is open, so the contents start as the list
  // of runs.
  void EnterContents() {
    Level& level = fLevels.back();
    if (level.entered || fLevels.size() == 1)
      return;
    level.entered = true;
    fContents << "<li><details" << (level.topLevel ? " open" : "") << "><summary>" << level.link
              << "</summary>\n<ol>\n";
  }

  // The rows of a test summary lead to the sections of their tests, the headings that follow it
  // under the same heading, in order; `testSummary` says the table is one.
  void WriteTable(const Table& table, const std::string& id, bool testSummary);
  void WriteLayerTable(const Table& table, const TableGrid& grid, size_t layer, bool withFoot,
                       bool testSummary);
  void WriteColumnHeaders(const TableGrid& grid, const std::vector<bool>& numeric);
  void WriteBody(const TableGrid& grid, size_t layer, bool testSummary);
  // The label of row `row` of a test summary as a link to the section of its test, which may
  // not come: the link is noted, to be cut when its heading closes without that section.
  void WriteSectionLink(const std::string& label, int row);
  void WriteFoot(const Table& table, size_t width);

  void WriteChart(const Chart& chart, const std::string& id) {
    // A drawing shows its own title, subtitle and footnote; its caption stays for screen readers
    // and searches, out of sight, so that the page shows each text once.
    const bool drawn = IsPlainSvg(chart.svg);
    fOut << "<figure class=\"chart\" id=\"" << id << "\">\n<figcaption"
         << (drawn ? " class=\"in-drawing\"" : "") << ">" << Escape(chart.title);
    for (const auto* extra : {&chart.subtitle, &chart.thirdText})
      if (*extra && !(*extra)->empty())
        fOut << "<span class=\"chart-subtitle\">" << Escape(**extra) << "</span>";
    fOut << "</figcaption>\n";
    if (drawn && DrawnWidth(chart.svg) > 0)
      fOut << "<div class=\"drawing\" style=\"width:" << ShownWidth(DrawnWidth(chart.svg))
           << "px;min-width:" << NarrowestWidth(DrawnWidth(chart.svg)) << "px\">" << chart.svg
           << "</div>\n";
    else if (drawn)
      fOut << chart.svg << "\n";
    else
      fOut << "<div class=\"chart-placeholder\" role=\"img\" aria-label=\""
           << Escape(chart.description.empty() ? chart.title : chart.description) << "\">"
           << (chart.leftOut.empty() ? "Chart not drawn: " + Escape(chart.templateName)
                                     : "Chart left out: " + Escape(chart.leftOut))
           << "</div>\n";
    fOut << "</figure>\n";
  }

  // Charts are drawn at the size of a printed figure, with texts a little smaller than the
  // page's; shown a quarter wider, their texts read as the tables' do. The page narrows them
  // again where it has less room.
  static long ShownWidth(long drawnWidth) { return drawnWidth * 5 / 4; }
  // A narrow page narrows a drawing no further than this, and scrolls it sideways instead: its
  // 11-pixel tick labels stay at 13.2 pixels, above the tables' small print (.87 of 15 pixels),
  // and a wide grid of panels stays readable.
  static long NarrowestWidth(long drawnWidth) { return drawnWidth * 6 / 5; }

  // The width attribute of the drawing's <svg> tag in whole pixels; 0 when it has none that reads
  // as a plain number.
  static long DrawnWidth(const std::string& svg) {
    const size_t tagEnd = svg.find('>');
    const size_t at = svg.find(" width=\"");
    if (tagEnd == std::string::npos || at == std::string::npos || at > tagEnd)
      return 0;
    long width = 0;
    size_t i = at + 8;
    for (; i < tagEnd && svg[i] >= '0' && svg[i] <= '9' && width < 100000; ++i)
      width = width * 10 + (svg[i] - '0');
    return i < tagEnd && (svg[i] == '"' || svg[i] == '.') ? width : 0;
  }

  void WriteMessage(const Message& message) {
    switch (message.GetLevel()) {
    case Message::Level::kWarning:
      fOut << "<div class=\"message warning\" role=\"note\"><span class=\"message-level\">"
              "Warning:</span>";
      break;
    case Message::Level::kError:
      fOut << "<div class=\"message error\" role=\"alert\"><span class=\"message-level\">"
              "Error:</span>";
      break;
    }
    fOut << Escape(message.GetLabel().Text()) << "</div>\n";
  }

  std::ostream& fPage;
  std::string fPageTitle;
  SpoolBuffer fSpool;
  std::ostream fOut; // the body, into fSpool
  std::ostringstream fContents;
  std::vector<Level> fLevels{Level{}};
  OutlineNumbering fNumbering;
  std::vector<std::pair<std::uint64_t, std::size_t>> fCuts;
};

// A column is numeric when every cell it holds (in any layer) is a number.
std::vector<bool> NumericColumns(const TableGrid& grid) {
  const size_t columns = grid.Columns().tuples.size();
  std::vector<bool> numeric(columns, false);
  for (size_t j = 0; j < columns; ++j) {
    bool any = false, all = true;
    for (size_t layer = 0; layer < grid.LayerCombinations().size(); ++layer)
      for (size_t i = 0; i < grid.Rows().tuples.size(); ++i)
        if (const Cell* cell = grid.Find(layer, i, j)) {
          any = true;
          all = all && cell->label.Kind() == LabelKind::kNumber;
        }
    numeric[j] = any && all;
  }
  return numeric;
}

void HtmlOutline::WriteTable(const Table& table, const std::string& id, bool testSummary) {
  const TableGrid grid(table);
  const size_t layers = grid.LayerCombinations().size();
  fOut << "<div class=\"pivot-wrap\" id=\"" << id << "\">\n";
  for (size_t layer = 0; layer < layers; ++layer)
    WriteLayerTable(table, grid, layer, layer + 1 == layers, testSummary);
  fOut << "</div>\n";
}

void HtmlOutline::WriteLayerTable(const Table& table, const TableGrid& grid, size_t layer,
                                  bool withFoot, bool testSummary) {
  fOut << "<table class=\"pivot\">\n<caption><div class=\"table-title\">"
       << Escape(table.Title().Text()) << "</div>\n";
  const auto& dimensions = grid.LayerDimensions();
  for (size_t d = 0; d < dimensions.size(); ++d) {
    const Category* category = grid.LayerCombinations()[layer][d];
    fOut << "<div class=\"layers\">"
         << LabelHtml(dimensions[d]->GetLabel(), dimensions[d]->Root().Notes()) << ": "
         << LabelHtml(category->GetLabel(), category->Notes()) << "</div>\n";
  }
  fOut << "</caption>\n";
  WriteColumnHeaders(grid, NumericColumns(grid));
  WriteBody(grid, layer, testSummary);
  if (withFoot)
    WriteFoot(table, grid.Rows().Levels() + grid.Columns().tuples.size());
  fOut << "</table>\n";
}

void HtmlOutline::WriteColumnHeaders(const TableGrid& grid, const std::vector<bool>& numeric) {
  const TableGrid::Axis& columns = grid.Columns();
  const size_t levels = columns.Levels();
  const size_t rowLevels = grid.Rows().Levels();
  if (levels == 0)
    return;
  fOut << "<thead>\n";
  for (size_t l = 0; l < levels; ++l) {
    fOut << "<tr>";
    if (l == 0 && rowLevels > 0) {
      fOut << "<th class=\"corner\"" << SpanAttributes(rowLevels, levels) << ">";
      for (const Dimension* dimension : grid.Rows().dimensions)
        if (dimension->ShowsLabel())
          fOut << "<div>" << LabelHtml(dimension->GetLabel(), dimension->Root().Notes())
               << "</div>";
      fOut << "</th>";
    }
    for (size_t j = 0; j < columns.tuples.size(); ++j) {
      const Category* node = columns.paths[j][l];
      if ((l > 0 && columns.paths[j][l - 1] == node) || (j > 0 && columns.SameUpTo(j - 1, j, l)))
        continue; // covered by a span from above or from the left
      size_t colspan = 1, rowspan = 1;
      while (j + colspan < columns.tuples.size() && columns.SameUpTo(j, j + colspan, l))
        ++colspan;
      while (l + rowspan < levels && columns.paths[j][l + rowspan] == node)
        ++rowspan;
      const char* css = colspan > 1 ? "span" : (l + rowspan == levels && numeric[j] ? "num" : "");
      fOut << "<th scope=\"col\"" << (*css ? std::string(" class=\"") + css + "\"" : "")
           << SpanAttributes(colspan, rowspan) << ">" << LabelHtml(node->GetLabel(), node->Notes())
           << "</th>";
    }
    fOut << "</tr>\n";
  }
  fOut << "</thead>\n";
}

void HtmlOutline::WriteBody(const TableGrid& grid, size_t layer, bool testSummary) {
  const TableGrid::Axis& rows = grid.Rows();
  const size_t levels = rows.Levels();
  fOut << "<tbody>\n";
  for (size_t i = 0; i < rows.tuples.size(); ++i) {
    const bool newGroup = i > 0 && levels > 1 && !rows.SameUpTo(i - 1, i, 0);
    fOut << (newGroup ? "<tr class=\"break\">" : "<tr>");
    for (size_t l = 0; l < levels; ++l) {
      const Category* node = rows.paths[i][l];
      if ((l > 0 && rows.paths[i][l - 1] == node) || (i > 0 && rows.SameUpTo(i - 1, i, l)))
        continue;
      size_t rowspan = 1, colspan = 1;
      while (i + rowspan < rows.tuples.size() && rows.SameUpTo(i, i + rowspan, l))
        ++rowspan;
      while (l + colspan < levels && rows.paths[i][l + colspan] == node)
        ++colspan;
      const std::string label = LabelHtml(node->GetLabel(), node->Notes());
      fOut << "<th scope=\"row\"" << (node->IsGroup() ? " class=\"group\"" : "")
           << SpanAttributes(colspan, rowspan) << ">";
      if (l == 0 && testSummary)
        WriteSectionLink(label, static_cast<int>(i));
      else
        fOut << label;
      fOut << "</th>";
    }
    for (size_t j = 0; j < grid.Columns().tuples.size(); ++j) {
      const Cell* cell = grid.Find(layer, i, j);
      if (cell == nullptr) {
        fOut << "<td></td>";
        continue;
      }
      fOut << (cell->label.Kind() == LabelKind::kNumber ? "<td class=\"num\">" : "<td>")
           << LabelHtml(cell->label, cell->notes) << "</td>";
    }
    fOut << "</tr>\n";
  }
  fOut << "</tbody>\n";
}

void HtmlOutline::WriteSectionLink(const std::string& label, int row) {
  Level& level = fLevels.back();
  const int section = fNumbering.Headings() + 1 + row;
  const std::string number = fNumbering.ChildNumber(section);
  const std::string open =
      "<a href=\"#" + HeadingId(number) + "\" data-section=\"" + number + "\">";
  SectionLink link{fSpool.Offset(), open.size(), 0, section};
  fOut << open << label;
  link.close = fSpool.Offset();
  fOut << kCloseLink;
  level.sectionLinks.push_back(link);
}

void HtmlOutline::WriteFoot(const Table& table, size_t width) {
  if (!table.Caption() && table.Footnotes().empty())
    return;
  fOut << "<tfoot><tr><td" << SpanAttributes(std::max<size_t>(width, 1), 1) << ">";
  if (table.Caption())
    fOut << "<p class=\"caption\">" << RichHtml(*table.Caption()) << "</p>";
  for (const Footnote& footnote : table.Footnotes())
    fOut << "<p class=\"footnote\"><sup class=\"mark\">" << Escape(footnote.mark) << "</sup> "
         << Escape(footnote.text) << "</p>";
  fOut << "</td></tr></tfoot>\n";
}

} // namespace

HtmlWriter::HtmlWriter(std::string pageTitle) : fPageTitle(std::move(pageTitle)) {}

HtmlWriter::~HtmlWriter() = default;

std::unique_ptr<OutputWriter::Sink> HtmlWriter::Open(std::ostream& out) const {
  return std::make_unique<HtmlOutline>(out, fPageTitle);
}
