// The common face of the output writers: each turns a whole output document into one format.
#pragma once

#include <iosfwd>
#include <memory>
#include <string_view>

namespace output {
class Document;
}

class OutputWriter {
public:
  virtual ~OutputWriter();

  // Writes `document` completely to `out`. The document is only read. Texts from data are made
  // safe for the format (escaped, repaired UTF-8), so any document gives well-formed output.
  // Stream failures are left in the state of `out` for the caller to check; nothing is thrown
  // for the document's content.
  virtual void Write(const output::Document& document, std::ostream& out) const = 0;

  // The writer for a format name: "html", "text" or "json" with its defaults; null for any other
  // name.
  static std::unique_ptr<OutputWriter> ForFormat(std::string_view name);
};
