// The common face of the output writers: each turns an output document into one format, whole or
// item by item as the document grows.
#pragma once

#include "output/OutlineSink.h"

#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>

namespace output {
class Chart;
class Document;
class Message;
class Table;
} // namespace output

class OutputWriter {
public:
  virtual ~OutputWriter();

  // Receives a document's items in output order and writes them to the stream it was opened on;
  // End() completes the report. Texts from data are made safe for the format (escaped, repaired
  // UTF-8), so any document gives well-formed output. Stream failures are left in the state of
  // the stream for the caller to check; nothing is thrown for the document's content.
  class Sink : public output::OutlineSink {
  public:
    // Hands a table, chart or message to the one of OnTable, OnChart or OnMessage that fits it.
    void Leaf(const output::Item& item) final;
    // `language` is the document's (output::Document::Language), known only once the procedure
    // has run.
    virtual void End(const std::string& language) = 0;

  protected:
    virtual void OnTable(const output::Table& table) = 0;
    virtual void OnChart(const output::Chart& chart) = 0;
    virtual void OnMessage(const output::Message& message) = 0;
  };

  // A sink writing to `out`, which must outlive it.
  virtual std::unique_ptr<Sink> Open(std::ostream& out) const = 0;

  // Whether the format holds the charts' drawings; one that does not (the text report names its
  // charts) needs none drawn.
  virtual bool ShowsDrawings() const = 0;

  // Writes `document` completely to `out`. The document is only read.
  void Write(const output::Document& document, std::ostream& out) const;

  // The writer for a format name: "html", "text" or "json" with its defaults; null for any other
  // name.
  static std::unique_ptr<OutputWriter> ForFormat(std::string_view name);
};
