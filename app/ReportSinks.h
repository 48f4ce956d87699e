// Where the report goes while it is made: the report's writer and, with --charts-dir, the chart
// files, fed the same items in the same order.
#pragma once

#include "ReportFile.h"

#include "render/ChartFileWriter.h"
#include "render/OutputWriter.h"

#include <memory>

struct ReportSinks : output::OutlineSink {
  ReportFile file; // the report file; unused when the report goes to standard output
  std::unique_ptr<OutputWriter> writer;
  std::unique_ptr<OutputWriter::Sink> report;
  std::unique_ptr<ChartFileWriter> chartFiles; // null without --charts-dir

  void OpenHeading(const output::Heading& heading) override;
  void CloseHeading(const output::Heading& heading) override;
  void Leaf(const output::Item& item) override;
};
