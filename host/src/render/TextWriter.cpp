// The text writer: an outline of numbered headings; tables as aligned columns fitted to the
// terminal, row groups indented under their group lines, column groups as spanning header rows.
#include "render/TextWriter.h"

#include "output/Document.h"
#include "render/OutlineNumbering.h"
#include "render/RenderText.h"
#include "render/TableGrid.h"
#include "render/TextLayout.h"

#include <algorithm>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

using namespace output;
using Align = TextLayout::Align;

namespace {

constexpr int kGap = 2;    // blanks between columns
constexpr int kIndent = 2; // per level of row grouping

std::string Term(const std::string& text) {
  return RenderText::ForTerminal(text, true);
}

std::string WithMarks(const Label& label, const std::vector<Note>& notes) {
  std::vector<std::string> marks;
  for (const Note& note : notes)
    if (!note.mark.empty() && std::find(marks.begin(), marks.end(), note.mark) == marks.end())
      marks.push_back(note.mark);
  std::string text = Term(label.Text());
  if (marks.empty())
    return text;
  text += "[";
  for (size_t i = 0; i < marks.size(); ++i)
    text += (i ? "," : "") + Term(marks[i]);
  return text + "]";
}

void WriteWrapped(std::ostream& out, const std::string& text, int width,
                  const std::string& firstPrefix = "", const std::string& nextPrefix = "") {
  const int room = width - RenderText::DisplayWidth(firstPrefix);
  std::vector<std::string> lines = TextLayout::Wrap(Term(text), room);
  for (size_t i = 0; i < lines.size(); ++i)
    out << (i == 0 ? firstPrefix : nextPrefix) << lines[i] << '\n';
}

// One cell of a printed table row, possibly spanning several columns.
struct Slot {
  int width = 0;
  std::vector<std::string> lines;
  Align align = Align::kLeft;
};

Slot MakeSlot(const std::string& text, int width, Align align, int indent = 0) {
  Slot slot{width, {}, align};
  const std::string pad(static_cast<size_t>(indent), ' ');
  for (const std::string& line : TextLayout::Wrap(text, width - indent))
    slot.lines.push_back(pad + line);
  return slot;
}

void WriteSlots(std::ostream& out, const std::vector<Slot>& slots) {
  size_t height = 0;
  for (const Slot& slot : slots)
    height = std::max(height, slot.lines.size());
  for (size_t line = 0; line < height; ++line) {
    std::string text;
    for (size_t s = 0; s < slots.size(); ++s) {
      if (s > 0)
        text.append(kGap, ' ');
      const std::string& piece = line < slots[s].lines.size() ? slots[s].lines[line] : "";
      text += TextLayout::Pad(piece, slots[s].width, slots[s].align);
    }
    text.erase(text.find_last_not_of(' ') + 1);
    out << text << '\n';
  }
}

// A printed body line: a row of data, or a group's own line above the rows it holds.
struct BodyLine {
  const Category* node = nullptr; // null when the rows have no header
  int indent = 0;
  size_t row = 0;
  bool isGroup = false;
};

std::vector<const Category*> WithoutRepeats(const std::vector<const Category*>& path) {
  std::vector<const Category*> nodes;
  for (const Category* node : path)
    if (nodes.empty() || nodes.back() != node)
      nodes.push_back(node);
  return nodes;
}

std::vector<BodyLine> PlanBody(const TableGrid::Axis& rows) {
  std::vector<BodyLine> plan;
  std::vector<const Category*> previous;
  for (size_t i = 0; i < rows.tuples.size(); ++i) {
    const std::vector<const Category*> path = WithoutRepeats(rows.paths[i]);
    size_t same = 0;
    while (same < path.size() && same < previous.size() && path[same] == previous[same])
      ++same;
    for (size_t k = same; k + 1 < path.size(); ++k)
      plan.push_back({path[k], static_cast<int>(k) * kIndent, i, true});
    plan.push_back({path.empty() ? nullptr : path.back(),
                    static_cast<int>(path.empty() ? 0 : path.size() - 1) * kIndent, i, false});
    previous = path;
  }
  return plan;
}

class TextTable {
public:
  TextTable(const TableGrid& grid, size_t layer, int width)
      : fGrid(grid), fLayer(layer), fWidth(width), fPlan(PlanBody(grid.Rows())) {
    fHasStub = grid.Rows().Levels() > 0;
    for (const Dimension* dimension : grid.Rows().dimensions)
      if (dimension->ShowsLabel())
        fCorner += (fCorner.empty() ? "" : " / ") +
                   WithMarks(dimension->GetLabel(), dimension->Root().Notes());
    FitWidths();
  }

  void Write(std::ostream& out) const {
    const std::string heavy(static_cast<size_t>(TotalWidth()), '=');
    out << heavy << '\n';
    if (WriteHeader(out))
      out << std::string(static_cast<size_t>(TotalWidth()), '-') << '\n';
    WriteBody(out);
    out << heavy << '\n';
  }

private:
  const Cell* CellAt(size_t row, size_t column) const { return fGrid.Find(fLayer, row, column); }

  static Align CellAlign(const Cell* cell) {
    return cell != nullptr && cell->label.Kind() == LabelKind::kNumber ? Align::kRight
                                                                       : Align::kLeft;
  }

  // A leaf header's own column: the lowest header level, unless a span covers it.
  bool LeafHeaderAlone(size_t column) const {
    const auto& columns = fGrid.Columns();
    const size_t last = columns.Levels() - 1;
    return (column == 0 || !columns.SameUpTo(column - 1, column, last)) &&
           (column + 1 == columns.tuples.size() || !columns.SameUpTo(column, column + 1, last));
  }

  void FitWidths() {
    std::vector<TextLayout::ColumnNeed> needs;
    if (fHasStub) {
      TextLayout::ColumnNeed stub{RenderText::DisplayWidth(fCorner),
                                  TextLayout::LongestWord(fCorner)};
      for (const BodyLine& line : fPlan) {
        const std::string text = WithMarks(line.node->GetLabel(), line.node->Notes());
        for (const std::string& part : TextLayout::Wrap(text, 1 << 20))
          stub.natural = std::max(stub.natural, line.indent + RenderText::DisplayWidth(part));
        stub.minimum = std::max(stub.minimum, line.indent + TextLayout::LongestWord(text));
      }
      needs.push_back(stub);
    }
    const auto& columns = fGrid.Columns();
    fAlign.assign(columns.tuples.size(), Align::kRight);
    for (size_t j = 0; j < columns.tuples.size(); ++j) {
      TextLayout::ColumnNeed need;
      auto consider = [&](const std::string& text) {
        for (const std::string& part : TextLayout::Wrap(text, 1 << 20))
          need.natural = std::max(need.natural, RenderText::DisplayWidth(part));
        need.minimum = std::max(need.minimum, TextLayout::LongestWord(text));
      };
      if (columns.Levels() > 0 && LeafHeaderAlone(j)) {
        const Category* leaf = columns.paths[j].back();
        consider(WithMarks(leaf->GetLabel(), leaf->Notes()));
      }
      bool anyCell = false, allNumbers = true;
      for (size_t i = 0; i < fGrid.Rows().tuples.size(); ++i)
        if (const Cell* cell = CellAt(i, j)) {
          const std::string text = WithMarks(cell->label, cell->notes);
          consider(text);
          anyCell = true;
          const bool number = CellAlign(cell) == Align::kRight;
          allNumbers = allNumbers && number;
          if (number)
            need.number = std::max(need.number, TextLayout::LongestWord(text));
        }
      fAlign[j] = anyCell && allNumbers ? Align::kRight : Align::kLeft;
      needs.push_back(need);
    }
    const int gaps = needs.empty() ? 0 : kGap * static_cast<int>(needs.size() - 1);
    fWidths = TextLayout::FitColumns(needs, fWidth - gaps);
  }

  int TotalWidth() const {
    int total = 0;
    for (int w : fWidths)
      total += w;
    return std::max(1, total + (fWidths.empty() ? 0 : kGap * static_cast<int>(fWidths.size() - 1)));
  }

  int DataWidth(size_t first, size_t count) const {
    const size_t offset = fHasStub ? 1 : 0;
    int width = kGap * static_cast<int>(count - 1);
    for (size_t k = first; k < first + count; ++k)
      width += fWidths[offset + k];
    return width;
  }

  // Returns whether any header line was written.
  bool WriteHeader(std::ostream& out) const {
    const auto& columns = fGrid.Columns();
    const size_t levels = columns.Levels();
    for (size_t l = 0; l < levels; ++l) {
      std::vector<Slot> slots, rules;
      bool anySpan = false;
      if (fHasStub) {
        slots.push_back(MakeSlot(l + 1 == levels ? fCorner : "", fWidths[0], Align::kLeft));
        rules.push_back(Slot{fWidths[0], {}, Align::kLeft});
      }
      for (size_t j = 0; j < columns.tuples.size();) {
        size_t span = 1;
        while (j + span < columns.tuples.size() && columns.SameUpTo(j, j + span, l))
          ++span;
        const Category* node = columns.paths[j][l];
        // A header that reaches down over padded levels is printed on its lowest level.
        const bool printHere = l + 1 == levels || columns.paths[j][l + 1] != node;
        const int width = DataWidth(j, span);
        const std::string text = printHere ? WithMarks(node->GetLabel(), node->Notes()) : "";
        slots.push_back(MakeSlot(text, width, span > 1 ? Align::kCenter : fAlign[j]));
        Slot rule{width, {}, Align::kLeft};
        if (span > 1 && printHere) {
          rule.lines.push_back(std::string(static_cast<size_t>(width), '-'));
          anySpan = true;
        }
        rules.push_back(rule);
        j += span;
      }
      WriteSlots(out, slots);
      if (anySpan)
        WriteSlots(out, rules);
    }
    if (levels == 0 && fHasStub && !fCorner.empty()) {
      WriteSlots(out, {MakeSlot(fCorner, fWidths[0], Align::kLeft)});
      return true;
    }
    return levels > 0;
  }

  void WriteBody(std::ostream& out) const {
    const size_t columns = fGrid.Columns().tuples.size();
    for (const BodyLine& line : fPlan) {
      std::vector<Slot> slots;
      if (fHasStub)
        slots.push_back(MakeSlot(WithMarks(line.node->GetLabel(), line.node->Notes()), fWidths[0],
                                 Align::kLeft, line.indent));
      for (size_t j = 0; j < columns; ++j) {
        const Cell* cell = line.isGroup ? nullptr : CellAt(line.row, j);
        slots.push_back(MakeSlot(cell ? WithMarks(cell->label, cell->notes) : "", DataWidth(j, 1),
                                 CellAlign(cell)));
      }
      WriteSlots(out, slots);
    }
  }

  const TableGrid& fGrid;
  size_t fLayer;
  int fWidth;
  std::vector<BodyLine> fPlan;
  bool fHasStub = false;
  std::string fCorner;
  std::vector<Align> fAlign;
  std::vector<int> fWidths;
};

class TextOutline : public OutputWriter::Sink {
public:
  TextOutline(std::ostream& out, int width) : fOut(out), fWidth(width) {}

  void OpenHeading(const Heading& heading) override { WriteHeading(heading, fNumbering.Open()); }

  void CloseHeading(const Heading&) override { fNumbering.Close(); }

  void End(const std::string&) override {}

private:
  void Separate() {
    if (fStarted)
      fOut << '\n';
    fStarted = true;
  }

  void WriteHeading(const Heading& heading, const std::string& number) {
    Separate();
    const bool top = number.find('.') == std::string::npos;
    const std::string first = number + " ";
    const std::vector<std::string> lines =
        TextLayout::Wrap(Term(heading.GetLabel().Text()), fWidth - RenderText::DisplayWidth(first));
    int widest = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
      const std::string line = (i == 0 ? first : std::string(first.size(), ' ')) + lines[i];
      widest = std::max(widest, RenderText::DisplayWidth(line));
      fOut << line << '\n';
    }
    fOut << std::string(static_cast<size_t>(widest), top ? '=' : '-') << '\n';
    fStarted = false; // the heading's first item follows without a blank line
    fOut << '\n';
  }

  void OnTable(const Table& table) override {
    Separate();
    const TableGrid grid(table);
    WriteWrapped(fOut, table.Title().Text(), fWidth);
    const auto& dimensions = grid.LayerDimensions();
    for (size_t layer = 0; layer < grid.LayerCombinations().size(); ++layer) {
      if (layer > 0)
        fOut << '\n';
      for (size_t d = 0; d < dimensions.size(); ++d) {
        const Category* category = grid.LayerCombinations()[layer][d];
        WriteWrapped(fOut,
                     WithMarks(dimensions[d]->GetLabel(), dimensions[d]->Root().Notes()) + ": " +
                         WithMarks(category->GetLabel(), category->Notes()),
                     fWidth);
      }
      TextTable(grid, layer, fWidth).Write(fOut);
    }
    if (table.Caption())
      WriteWrapped(fOut, table.Caption()->Text(), fWidth);
    for (const Footnote& footnote : table.Footnotes()) {
      const std::string first = Term(footnote.mark) + ". ";
      WriteWrapped(fOut, footnote.text, fWidth, first,
                   std::string(static_cast<size_t>(RenderText::DisplayWidth(first)), ' '));
    }
  }

  void OnChart(const Chart& chart) override {
    Separate();
    std::string text = (chart.leftOut.empty() ? "[Chart: " : "[Chart left out: ") + chart.title;
    if (chart.subtitle && !chart.subtitle->empty())
      text += " - " + *chart.subtitle;
    if (!chart.leftOut.empty())
      text += ": " + chart.leftOut;
    WriteWrapped(fOut, text + "]", fWidth);
  }

  void OnMessage(const Message& message) override {
    Separate();
    std::string first;
    switch (message.GetLevel()) {
    case Message::Level::kWarning:
      first = "Warning: ";
      break;
    case Message::Level::kError:
      first = "Error: ";
      break;
    }
    WriteWrapped(fOut, message.GetLabel().Text(), fWidth, first, std::string(first.size(), ' '));
  }

  std::ostream& fOut;
  int fWidth;
  bool fStarted = false;
  OutlineNumbering fNumbering;
};

} // namespace

TextWriter::TextWriter(int width) : fWidth(std::max(width, 20)) {}

TextWriter::~TextWriter() = default;

std::unique_ptr<OutputWriter::Sink> TextWriter::Open(std::ostream& out) const {
  return std::make_unique<TextOutline>(out, fWidth);
}
