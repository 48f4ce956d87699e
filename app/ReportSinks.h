// Where the report goes while it is made: the report's writer and, with --charts-dir, the chart
// files, fed the same items in the same order; and standard error, told of every chart left out.
#pragma once

#include "ReportFile.h"

#include "render/ChartFileWriter.h"
#include "render/OutlineNumbering.h"
#include "render/OutputWriter.h"

#include <cstddef>
#include <memory>

class MessageSink;

struct ReportSinks : output::OutlineSink {
  ReportFile file; // the report file; unused when the report goes to standard output
  std::unique_ptr<OutputWriter> writer;
  std::unique_ptr<OutputWriter::Sink> report;
  std::unique_ptr<ChartFileWriter> chartFiles; // null without --charts-dir
  // Where each chart left out is named, with the number of its section and the reason, in one
  // warning line; null: nowhere. Borrowed.
  MessageSink* warnings = nullptr;
  std::size_t chartsLeftOut = 0;

  void OpenHeading(const output::Heading& heading) override;
  void CloseHeading(const output::Heading& heading) override;
  void Leaf(const output::Item& item) override;

private:
  // The open heading's number as the reports print it ("1.2.1"), for the warning lines.
  OutlineNumbering fOutline;
};
