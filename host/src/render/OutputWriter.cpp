// The writer base and the choice of writer by format name.
#include "render/OutputWriter.h"

#include "output/Document.h"
#include "render/HtmlWriter.h"
#include "render/JsonWriter.h"
#include "render/TextWriter.h"

OutputWriter::~OutputWriter() = default;

void OutputWriter::Sink::Leaf(const output::Item& item) {
  if (const output::Table* table = item.AsTable())
    OnTable(*table);
  else if (const output::Chart* chart = item.AsChart())
    OnChart(*chart);
  else if (const output::Message* message = item.AsMessage())
    OnMessage(*message);
}

void OutputWriter::Write(const output::Document& document, std::ostream& out) const {
  const std::unique_ptr<Sink> sink = Open(out);
  output::Document::Walk(document, *sink);
  sink->End(document.Language());
}

std::unique_ptr<OutputWriter> OutputWriter::ForFormat(std::string_view name) {
  if (name == "html")
    return std::make_unique<HtmlWriter>();
  if (name == "text")
    return std::make_unique<TextWriter>();
  if (name == "json")
    return std::make_unique<JsonWriter>();
  return nullptr;
}
