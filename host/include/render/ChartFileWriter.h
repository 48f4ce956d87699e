// Writes each drawn chart of an output document as a standalone SVG file, for pasting into papers
// and slides.
#pragma once

#include "output/OutlineSink.h"
#include "render/OutlineNumbering.h"

#include <string>
#include <vector>

namespace output {
class Document;
}

// A sink of the outline that writes one file per chart that has a drawing into a folder, named
// after the number of the heading above it as the reports number it, the chart's place under
// that heading and its title: "1.2-c1-independent-samples-kruskal-wallis-test.svg".
class ChartFileWriter : public output::OutlineSink {
public:
  // Makes `folder` when missing; throws std::runtime_error when it cannot.
  explicit ChartFileWriter(const std::string& folder);
  ~ChartFileWriter() override;

  void OpenHeading(const output::Heading& heading) override;
  void CloseHeading(const output::Heading& heading) override;
  void Leaf(const output::Item& item) override;

  // The paths written, in document order.
  const std::vector<std::string>& Written() const { return fWritten; }
  // Empty unless a file could not be written: then which and why. No file is written after it,
  // and the files before it stay.
  const std::string& Error() const { return fError; }

  // The files of a whole document. Returns the paths written, in document order. Throws
  // std::runtime_error naming the folder or the file that could not be written.
  static std::vector<std::string> Write(const output::Document& document,
                                        const std::string& folder);

  // The file-name part made from a title: ASCII letters (lower-cased) and digits, and the letters
  // of the common scripts as they are, kept; every other run of characters one "-" (controls,
  // direction overrides, invisible and separator characters included); at most 60 bytes cut
  // between characters; "chart" when nothing is left.
  static std::string Slug(const std::string& title);

private:
  std::string fFolder;
  OutlineNumbering fNumbering;
  std::vector<std::string> fWritten;
  std::string fError;
};
