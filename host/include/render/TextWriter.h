// Writes the output document as plain text for a terminal: numbered headings, tables with
// aligned and wrapped columns that fit the given width, footnotes, warnings.
#pragma once

#include "render/OutputWriter.h"

class TextWriter : public OutputWriter {
public:
  // `width` is the terminal width in columns; tables are fitted to it as far as their longest
  // words allow (below 20 it counts as 20).
  explicit TextWriter(int width = 100);
  ~TextWriter() override;

  std::unique_ptr<Sink> Open(std::ostream& out) const override;
  bool ShowsDrawings() const override { return false; }

private:
  int fWidth;
};
