// The JSON writer: streams each model object to the output as it walks the document, so the
// report never stands in memory as a tree; the text is the same as a JSON library's dump of it.
#include "render/JsonWriter.h"

#include "output/Document.h"
#include "render/RenderText.h"
#include "text/CodePage.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <ostream>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace output;

// Writes JSON tokens through a buffer: members and elements separated and, with an indent,
// broken into lines as a JSON library's dump lays them out.
class JsonOut {
public:
  JsonOut(std::ostream& out, int indent) : fOut(out), fIndent(indent) { fBuffer.reserve(kFlushAt); }
  ~JsonOut() { Flush(); }
  JsonOut(const JsonOut&) = delete;
  JsonOut& operator=(const JsonOut&) = delete;

  void BeginObject() { Open('{'); }
  void EndObject() { Close('}'); }
  void BeginArray() { Open('['); }
  void EndArray() { Close(']'); }

  // The next member's name; its value follows.
  void Key(std::string_view name) {
    Separate();
    AppendString(name);
    fBuffer += fIndent >= 0 ? ": " : ":";
    fAfterKey = true;
  }

  void String(std::string_view text) {
    Separate();
    AppendString(text);
    FlushIfFull();
  }
  void Null() {
    Separate();
    fBuffer += "null";
  }
  void Bool(bool value) {
    Separate();
    fBuffer += value ? "true" : "false";
  }
  void Integer(long value) {
    Separate();
    fBuffer += std::to_string(value);
  }
  // The shortest text that reads back as the same double; NaN and infinities become null.
  void Number(double value) {
    Separate();
    if (!std::isfinite(value)) {
      fBuffer += "null";
      return;
    }
    char text[64];
    char* end = nlohmann::detail::to_chars(text, text + sizeof text, value);
    fBuffer.append(text, static_cast<std::size_t>(end - text));
  }

  void Flush() {
    fOut.write(fBuffer.data(), static_cast<std::streamsize>(fBuffer.size()));
    fBuffer.clear();
  }

private:
  static constexpr std::size_t kFlushAt = 1 << 16;

  void Open(char bracket) {
    Separate();
    fBuffer += bracket;
    fEmpty.push_back(true);
  }

  void Close(char bracket) {
    const bool empty = fEmpty.back();
    fEmpty.pop_back();
    if (!empty)
      NewLine();
    fBuffer += bracket;
    FlushIfFull();
  }

  // Before a member or element: nothing after a member's name; else a comma after an earlier
  // sibling, and the line break and indent.
  void Separate() {
    if (fAfterKey) {
      fAfterKey = false;
      return;
    }
    if (fEmpty.empty())
      return;
    if (!fEmpty.back())
      fBuffer += ',';
    fEmpty.back() = false;
    NewLine();
  }

  void NewLine() {
    if (fIndent < 0)
      return;
    fBuffer += '\n';
    fBuffer.append(fEmpty.size() * static_cast<std::size_t>(fIndent), ' ');
  }

  void FlushIfFull() {
    if (fBuffer.size() >= kFlushAt)
      Flush();
  }

  // Quotes and escapes a text: invalid UTF-8 is repaired first, control characters (DEL and C1
  // too) and bidirectional controls escaped, everything else (UTF-8 included) kept as it is.
  void AppendString(std::string_view text) {
    for (const unsigned char c : text) {
      if (c >= 0x7F) {
        fBuffer += '"';
        fBuffer += RenderText::ForJson(text);
        fBuffer += '"';
        return;
      }
    }
    AppendAscii(text);
  }

  // The common case, ASCII without DEL, escaped in place without decoding.
  void AppendAscii(std::string_view text) {
    static const char kHex[] = "0123456789abcdef";
    fBuffer += '"';
    std::size_t plain = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
      const unsigned char c = static_cast<unsigned char>(text[i]);
      if (c >= 0x20 && c != '"' && c != '\\')
        continue;
      fBuffer.append(text.data() + plain, i - plain);
      plain = i + 1;
      switch (c) {
      case '"':
        fBuffer += "\\\"";
        break;
      case '\\':
        fBuffer += "\\\\";
        break;
      case '\b':
        fBuffer += "\\b";
        break;
      case '\f':
        fBuffer += "\\f";
        break;
      case '\n':
        fBuffer += "\\n";
        break;
      case '\r':
        fBuffer += "\\r";
        break;
      case '\t':
        fBuffer += "\\t";
        break;
      default:
        fBuffer += "\\u00";
        fBuffer += kHex[c >> 4];
        fBuffer += kHex[c & 0xF];
      }
    }
    fBuffer.append(text.data() + plain, text.size() - plain);
    fBuffer += '"';
  }

  std::ostream& fOut;
  int fIndent;
  std::string fBuffer;
  // One entry per open object or array: true while it has no member or element yet.
  std::vector<bool> fEmpty;
  bool fAfterKey = false;
};

void OptionalText(JsonOut& out, const std::optional<std::string>& text) {
  if (text)
    out.String(*text);
  else
    out.Null();
}

void Number(JsonOut& out, const std::optional<double>& value) {
  if (value)
    out.Number(*value);
  else
    out.Null();
}

void WriteLabel(JsonOut& out, const Label& label);

void WriteItems(JsonOut& out, const std::vector<Label>& items) {
  out.BeginArray();
  for (const Label& item : items)
    WriteLabel(out, item);
  out.EndArray();
}

void WriteLabel(JsonOut& out, const Label& label) {
  out.BeginObject();
  if (label.Kind() == LabelKind::kList) {
    out.Key("kind");
    out.String(LabelKindName(label.Kind()));
    out.Key("items");
    WriteItems(out, label.Items());
    out.EndObject();
    return;
  }
  out.Key("text");
  out.String(label.Text());
  out.Key("key");
  OptionalText(out, label.Key());
  out.Key("kind");
  out.String(LabelKindName(label.Kind()));
  switch (label.Kind()) {
  case LabelKind::kString:
    break;
  case LabelKind::kNumber:
    out.Key("value");
    Number(out, label.Number());
    break;
  case LabelKind::kVariable:
    out.Key("variable");
    out.String(label.VariableName());
    break;
  case LabelKind::kValue:
    out.Key("variable");
    out.String(label.VariableName());
    out.Key("value");
    if (label.StringValue())
      out.String(*label.StringValue());
    else
      Number(out, label.Number());
    break;
  case LabelKind::kComposite:
    out.Key("items");
    WriteItems(out, label.Items());
    break;
  case LabelKind::kList:
    break; // handled above
  }
  if (!label.Runs().empty()) {
    out.Key("runs");
    out.BeginArray();
    for (const output::TextRun& run : label.Runs()) {
      out.BeginObject();
      out.Key("text");
      out.String(run.text);
      out.Key("style");
      out.String(output::TextStyleName(run.style));
      out.EndObject();
    }
    out.EndArray();
  }
  if (label.Untranslated()) {
    out.Key("untranslated");
    out.Bool(true);
  }
  out.EndObject();
}

void WriteNotes(JsonOut& out, const std::vector<Note>& notes) {
  out.BeginArray();
  for (const Note& note : notes)
    WriteLabel(out, note.label);
  out.EndArray();
}

void WriteNode(JsonOut& out, const Category& node) {
  out.BeginObject();
  out.Key("label");
  WriteLabel(out, node.GetLabel());
  out.Key("group");
  out.Bool(node.IsGroup());
  out.Key("notes");
  WriteNotes(out, node.Notes());
  out.Key("children");
  out.BeginArray();
  for (const auto& child : node.Children())
    WriteNode(out, *child);
  out.EndArray();
  out.EndObject();
}

void WriteDimension(JsonOut& out, const Dimension& dimension) {
  out.BeginObject();
  out.Key("label");
  WriteLabel(out, dimension.GetLabel());
  out.Key("place");
  out.String(PlaceName(dimension.GetPlace()));
  out.Key("notes");
  WriteNotes(out, dimension.Root().Notes());
  out.Key("categories");
  out.BeginArray();
  for (const auto& category : dimension.Categories())
    WriteNode(out, *category);
  out.EndArray();
  out.EndObject();
}

void WriteCell(JsonOut& out, const Cell& cell) {
  out.BeginObject();
  out.Key("path");
  out.BeginArray();
  for (const Category* category : cell.categories) {
    out.BeginArray();
    if (category != nullptr)
      for (const Category* step : category->PathFromTop())
        out.String(step->GetLabel().PathText());
    out.EndArray();
  }
  out.EndArray();
  out.Key("value");
  Number(out, cell.Value());
  out.Key("label");
  WriteLabel(out, cell.label);
  out.Key("notes");
  WriteNotes(out, cell.notes);
  out.EndObject();
}

void WriteTable(JsonOut& out, const Table& table) {
  out.BeginObject();
  out.Key("kind");
  out.String("table");
  out.Key("title");
  WriteLabel(out, table.Title());
  out.Key("subtitle");
  out.String(table.Subtitle());
  out.Key("caption");
  if (table.Caption())
    WriteLabel(out, *table.Caption());
  else
    out.Null();
  out.Key("dimensions");
  out.BeginArray();
  for (const auto& dimension : table.Dimensions())
    WriteDimension(out, *dimension);
  out.EndArray();
  out.Key("cells");
  out.BeginArray();
  for (const Cell& cell : table.Cells())
    WriteCell(out, cell);
  out.EndArray();
  out.Key("footnotes");
  out.BeginArray();
  for (const Footnote& footnote : table.Footnotes()) {
    out.BeginObject();
    out.Key("mark");
    out.String(footnote.mark);
    out.Key("text");
    out.String(footnote.text);
    out.EndObject();
  }
  out.EndArray();
  out.EndObject();
}

// Members named by texts from data: two names that differ only in invalid bytes are one name once
// repaired, and a JSON object keeps only the first of them.
class MemberNames {
public:
  bool IsNew(const std::string& name) { return fSeen.insert(SanitizeUtf8(name)).second; }

private:
  std::set<std::string> fSeen;
};

void WriteChart(JsonOut& out, const Chart& chart) {
  out.BeginObject();
  out.Key("kind");
  out.String("chart");
  out.Key("template");
  out.String(chart.templateName);
  out.Key("title");
  out.String(chart.title);
  out.Key("subtitle");
  OptionalText(out, chart.subtitle);
  out.Key("thirdText");
  OptionalText(out, chart.thirdText);
  out.Key("description");
  out.String(chart.description);
  out.Key("sources");
  out.BeginObject();
  MemberNames sourceNames;
  for (const auto& [name, source] : chart.sources) {
    if (!sourceNames.IsNew(name))
      continue;
    out.Key(SanitizeUtf8(name));
    out.BeginObject();
    out.Key("variables");
    out.BeginArray();
    for (const std::string& variable : source.variables)
      out.String(variable);
    out.EndArray();
    out.Key("rows");
    out.BeginArray();
    for (const auto& row : source.rows) {
      out.BeginArray();
      for (const ChartValue& value : row) {
        if (value.number)
          Number(out, value.number);
        else
          OptionalText(out, value.text);
      }
      out.EndArray();
    }
    out.EndArray();
    out.EndObject();
  }
  out.EndObject();
  out.Key("variables");
  out.BeginObject();
  MemberNames variableNames;
  for (const auto& [name, variable] : chart.variables) {
    if (!variableNames.IsNew(name))
      continue;
    out.Key(SanitizeUtf8(name));
    out.BeginObject();
    out.Key("relabels");
    out.BeginArray();
    for (const auto& [key, label] : variable.relabels) {
      out.BeginArray();
      out.String(key);
      out.String(label);
      out.EndArray();
    }
    out.EndArray();
    out.Key("label");
    out.String(variable.label);
    out.Key("categorical");
    out.Bool(variable.categorical);
    out.Key("format");
    out.String(variable.format);
    out.EndObject();
  }
  out.EndObject();
  out.Key("specification");
  out.String(chart.specification);
  out.Key("svg");
  out.String(chart.svg);
  if (!chart.leftOut.empty()) {
    out.Key("leftOut");
    out.String(chart.leftOut);
  }
  out.EndObject();
}

void WriteMessage(JsonOut& out, const Message& message) {
  out.BeginObject();
  out.Key("kind");
  out.String("message");
  out.Key("level");
  out.String(MessageLevelName(message.GetLevel()));
  out.Key("label");
  WriteLabel(out, message.GetLabel());
  out.EndObject();
}

// The record as its items arrive: a heading's object stays open while its items are written.
class JsonSink : public OutputWriter::Sink {
public:
  JsonSink(std::ostream& out, int indent) : fOut(out), fJson(out, indent) {
    fJson.BeginObject();
    fJson.Key("format");
    fJson.String("nptests-output");
    fJson.Key("version");
    fJson.Integer(1);
    fJson.Key("items");
    fJson.BeginArray();
  }

  void OpenHeading(const Heading& heading) override {
    fJson.BeginObject();
    fJson.Key("kind");
    fJson.String("heading");
    fJson.Key("label");
    WriteLabel(fJson, heading.GetLabel());
    fJson.Key("items");
    fJson.BeginArray();
  }

  void CloseHeading(const Heading&) override {
    fJson.EndArray();
    fJson.EndObject();
  }

  void End(const std::string&) override {
    fJson.EndArray();
    fJson.EndObject();
    fJson.Flush();
    fOut << '\n';
  }

private:
  void OnTable(const Table& table) override { WriteTable(fJson, table); }
  void OnChart(const Chart& chart) override { WriteChart(fJson, chart); }
  void OnMessage(const Message& message) override { WriteMessage(fJson, message); }

  std::ostream& fOut;
  JsonOut fJson;
};

} // namespace

JsonWriter::JsonWriter(int indent) : fIndent(indent) {}

JsonWriter::~JsonWriter() = default;

std::unique_ptr<OutputWriter::Sink> JsonWriter::Open(std::ostream& out) const {
  return std::make_unique<JsonSink>(out, fIndent);
}
