// Writes the output document as one self-contained HTML page: inline style sheet, no scripts, no
// network. A contents list links to the headings; tables keep their nested row and column groups
// as row and column spans; charts are the chart items' SVG drawings.
#pragma once

#include "render/OutputWriter.h"

#include <string>

class HtmlWriter : public OutputWriter {
public:
  // `pageTitle` is the page's <title> (escaped like every other text).
  explicit HtmlWriter(std::string pageTitle = "Output");
  ~HtmlWriter() override;

  std::unique_ptr<Sink> Open(std::ostream& out) const override;
  bool ShowsDrawings() const override { return true; }

private:
  std::string fPageTitle;
};
