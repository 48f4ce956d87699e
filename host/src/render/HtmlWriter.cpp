// The HTML writer: a numbered contents list folding by level, then the outline as nested sections
// with tables, charts and messages. The style sheet is inline so the page reads the same offline
// and in print.
#include "render/HtmlWriter.h"

#include "output/Document.h"
#include "render/PlainSvg.h"
#include "render/RenderText.h"
#include "render/TableGrid.h"

#include <algorithm>
#include <cctype>
#include <ostream>
#include <string_view>

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
figure.chart { margin: .75rem 0 1.5rem; }
figure.chart figcaption { font-weight: 600; margin-bottom: .35rem; }
figure.chart figcaption .chart-subtitle { display: block; font-weight: normal; color: var(--muted); }
figure.chart svg { max-width: 100%; height: auto; }
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

std::string LabelHtml(const Label& label, const std::vector<Note>& notes) {
  return Escape(label.Text()) + MarksHtml(notes);
}

std::string SpanAttributes(size_t colspan, size_t rowspan) {
  std::string attributes;
  if (colspan > 1)
    attributes += " colspan=\"" + std::to_string(colspan) + "\"";
  if (rowspan > 1)
    attributes += " rowspan=\"" + std::to_string(rowspan) + "\"";
  return attributes;
}

// A heading's number as the text report gives it ("1.2.3"), and the anchor made from it.
std::string Numbered(const std::string& parent, int count) {
  return parent.empty() ? std::to_string(count) : parent + "." + std::to_string(count);
}

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

bool IsTestSummary(const Item& item) {
  const Table* table = item.AsTable();
  return table != nullptr && table->Title().Key() &&
         *table->Title().Key() == "Hypothesis Test Summary";
}

// Walks the outline; the contents list and the body number the headings and name the anchors the
// same way, from the position of each item.
class HtmlOutline {
public:
  explicit HtmlOutline(std::ostream& out) : fOut(out) {}

  void Contents(const std::vector<std::unique_ptr<Item>>& items) {
    fOut << "<nav class=\"contents\" aria-label=\"Contents\">\n"
            "<p class=\"contents-title\">Contents</p>\n";
    ContentsList(items, "");
    fOut << "</nav>\n";
  }

  void Body(const std::vector<std::unique_ptr<Item>>& items) {
    fOut << "<main>\n";
    Items(items, "", 1);
    fOut << "</main>\n";
  }

private:
  // Every level folds; the first is open, so the contents start as the list of runs.
  void ContentsList(const std::vector<std::unique_ptr<Item>>& items, const std::string& parent) {
    fOut << "<ol>\n";
    int headings = 0, tables = 0, charts = 0;
    for (const auto& item : items) {
      switch (item->Kind()) {
      case ItemKind::kHeading: {
        const Heading& heading = *item->AsHeading();
        const std::string number = Numbered(parent, ++headings);
        const std::string link = "<a href=\"#" + HeadingId(number) + "\"><span class=\"number\">" +
                                 number + "</span> " + Escape(heading.GetLabel().Text()) + "</a>";
        if (heading.Items().empty()) {
          fOut << "<li>" << link << "</li>\n";
          break;
        }
        fOut << "<li><details" << (parent.empty() ? " open" : "") << "><summary>" << link
             << "</summary>\n";
        ContentsList(heading.Items(), number);
        fOut << "</details></li>\n";
        break;
      }
      case ItemKind::kTable:
        fOut << "<li class=\"entry-table\"><a href=\"#" << ItemId(parent, 't', ++tables) << "\">"
             << Escape(item->AsTable()->Title().Text()) << "</a></li>\n";
        break;
      case ItemKind::kChart:
        fOut << "<li class=\"entry-chart\"><a href=\"#" << ItemId(parent, 'c', ++charts) << "\">"
             << Escape(item->AsChart()->title) << "</a></li>\n";
        break;
      case ItemKind::kMessage:
        break;
      }
    }
    fOut << "</ol>\n";
  }

  void Items(const std::vector<std::unique_ptr<Item>>& items, const std::string& parent,
             int depth) {
    int headings = 0, tables = 0, charts = 0;
    for (size_t i = 0; i < items.size(); ++i) {
      const Item& item = *items[i];
      switch (item.Kind()) {
      case ItemKind::kHeading:
        WriteHeading(*item.AsHeading(), Numbered(parent, ++headings), depth);
        break;
      case ItemKind::kTable: {
        // The rows of a test summary lead to the sections of their tests, the headings that
        // follow it in order.
        std::vector<std::string> rowSections;
        if (IsTestSummary(item)) {
          int next = headings;
          for (size_t k = i + 1; k < items.size(); ++k)
            if (items[k]->Kind() == ItemKind::kHeading)
              rowSections.push_back(Numbered(parent, ++next));
        }
        WriteTable(*item.AsTable(), ItemId(parent, 't', ++tables), rowSections);
        break;
      }
      case ItemKind::kChart:
        WriteChart(*item.AsChart(), ItemId(parent, 'c', ++charts));
        break;
      case ItemKind::kMessage:
        WriteMessage(*item.AsMessage());
        break;
      }
    }
  }

  void WriteHeading(const Heading& heading, const std::string& number, int depth) {
    const int level = std::min(depth, 6);
    fOut << "<section class=\"outline\" id=\"" << HeadingId(number) << "\">\n<h" << level
         << "><span class=\"number\">" << number << "</span> " << Escape(heading.GetLabel().Text())
         << "</h" << level << ">\n";
    Items(heading.Items(), number, depth + 1);
    fOut << "</section>\n";
  }

  void WriteTable(const Table& table, const std::string& id,
                  const std::vector<std::string>& rowSections);
  void WriteLayerTable(const Table& table, const TableGrid& grid, size_t layer, bool withFoot,
                       const std::vector<std::string>& rowSections);
  void WriteColumnHeaders(const TableGrid& grid, const std::vector<bool>& numeric);
  void WriteBody(const TableGrid& grid, size_t layer, const std::vector<std::string>& rowSections);
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
    if (drawn)
      fOut << chart.svg << "\n";
    else
      fOut << "<div class=\"chart-placeholder\" role=\"img\" aria-label=\""
           << Escape(chart.description.empty() ? chart.title : chart.description)
           << "\">Chart not drawn: " << Escape(chart.templateName) << "</div>\n";
    fOut << "</figure>\n";
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

  std::ostream& fOut;
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

void HtmlOutline::WriteTable(const Table& table, const std::string& id,
                             const std::vector<std::string>& rowSections) {
  const TableGrid grid(table);
  const size_t layers = grid.LayerCombinations().size();
  fOut << "<div class=\"pivot-wrap\" id=\"" << id << "\">\n";
  for (size_t layer = 0; layer < layers; ++layer)
    WriteLayerTable(table, grid, layer, layer + 1 == layers, rowSections);
  fOut << "</div>\n";
}

void HtmlOutline::WriteLayerTable(const Table& table, const TableGrid& grid, size_t layer,
                                  bool withFoot, const std::vector<std::string>& rowSections) {
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
  WriteBody(grid, layer, rowSections);
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

void HtmlOutline::WriteBody(const TableGrid& grid, size_t layer,
                            const std::vector<std::string>& rowSections) {
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
           << SpanAttributes(colspan, rowspan) << ">"
           << (l == 0 && i < rowSections.size()
                   ? "<a href=\"#" + HeadingId(rowSections[i]) + "\" data-section=\"" +
                         rowSections[i] + "\">" + label + "</a>"
                   : label)
           << "</th>";
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

void HtmlOutline::WriteFoot(const Table& table, size_t width) {
  if (!table.Caption() && table.Footnotes().empty())
    return;
  fOut << "<tfoot><tr><td" << SpanAttributes(std::max<size_t>(width, 1), 1) << ">";
  if (table.Caption())
    fOut << "<p class=\"caption\">" << Escape(table.Caption()->Text()) << "</p>";
  for (const Footnote& footnote : table.Footnotes())
    fOut << "<p class=\"footnote\"><sup class=\"mark\">" << Escape(footnote.mark) << "</sup> "
         << Escape(footnote.text) << "</p>";
  fOut << "</td></tr></tfoot>\n";
}

} // namespace

HtmlWriter::HtmlWriter(std::string pageTitle) : fPageTitle(std::move(pageTitle)) {}

HtmlWriter::~HtmlWriter() = default;

void HtmlWriter::Write(const output::Document& document, std::ostream& out) const {
  out << "<!DOCTYPE html>\n<html lang=\"" << Escape(document.Language())
      << "\">\n<head>\n<meta charset=\"utf-8\">\n"
         "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
         "<title>"
      << Escape(fPageTitle) << "</title>\n<style>" << kStyleSheet << "</style>\n</head>\n<body>\n";
  HtmlOutline outline(out);
  outline.Contents(document.Items());
  outline.Body(document.Items());
  out << "</body>\n</html>\n";
}
