// The writer base and the choice of writer by format name.
#include "render/OutputWriter.h"

#include "render/HtmlWriter.h"
#include "render/JsonWriter.h"
#include "render/TextWriter.h"

OutputWriter::~OutputWriter() = default;

std::unique_ptr<OutputWriter> OutputWriter::ForFormat(std::string_view name) {
  if (name == "html")
    return std::make_unique<HtmlWriter>();
  if (name == "text")
    return std::make_unique<TextWriter>();
  if (name == "json")
    return std::make_unique<JsonWriter>();
  return nullptr;
}
