// The legends of a chart: the categories of the colour, pattern and dash aesthetics they target,
// each with a swatch drawn the way its marks are drawn.
#pragma once

#include "ChartCanvas.h"

#include <string>
#include <vector>

class ChartLegend {
public:
  struct Entry {
    std::string text;
    std::string fill;   // patch fill (a colour or a pattern reference); empty for a line sample
    std::string stroke; // line sample colour
    std::string dash;
    bool line = false;
  };

  // The legends of the document with at least one entry, in the order they are drawn: the
  // extension's legend references first, then document order.
  static std::vector<ChartLegend> Collect(ChartCanvas& canvas);

  double Width() const;
  double Height() const;
  // Draws the legend with its top-left corner at (x, y).
  void Draw(ChartCanvas& canvas, double x, double y) const;

  std::string title;
  std::vector<Entry> entries;
  double maxTextWidth = 160; // the room for a line of an entry; longer lines wrap

private:
  std::vector<std::string> TitleLines() const;
  std::vector<std::string> EntryLines(const Entry& entry) const;
};
