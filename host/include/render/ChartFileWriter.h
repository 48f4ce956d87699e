// Writes each drawn chart of an output document as a standalone SVG file, for pasting into papers
// and slides.
#pragma once

#include <string>
#include <vector>

namespace output {
class Document;
}

class ChartFileWriter {
public:
  // Writes one file per chart that has a drawing into `folder` (made when missing), named after
  // the number of the heading above it as the reports number it, the chart's place under that
  // heading and its title: "1.2-c1-independent-samples-kruskal-wallis-test.svg". Returns the
  // paths written, in document order. Throws std::runtime_error naming the file that could not
  // be written; the files before it stay.
  static std::vector<std::string> Write(const output::Document& document,
                                        const std::string& folder);

  // The file-name part made from a title: letters and digits kept (lower-cased when ASCII,
  // other UTF-8 letters as they are), every other run of characters one "-", at most 60 bytes
  // cut between characters; "chart" when nothing is left.
  static std::string Slug(const std::string& title);
};
