// The drawing engine's entry: a chart document's element tree and data in, one SVG element out.
// The engine reads the grammar of docs/chart-grammar.md and nothing else: no chart kind, no
// template name.
#pragma once

#include <string>

class VarDataProcessor;
struct ViZNode;

struct ChartDrawingContext {
  std::string description; // the accessible name (UTF-8); the title when empty
  std::string language;    // xml:lang of the SVG; none when empty
  std::string idPrefix;    // prefix of every id inside the SVG, unique per chart in a report
  // Laid out as a printed figure: the frame shrunk so that the smallest text (10 px) prints at 7
  // pt or more at a one-column width (3.3 in), and the SVG's size given in inches
  // (docs/chart-grammar.md, "Sizes on screen and in print").
  bool print = false;
};

// Draws `root` (a "visualization") with `data` (may be null: elements that need data draw nothing).
// Never reads outside the tree and the data; never throws for what the tree or data hold (an
// attribute it cannot read counts as absent, a value it cannot place draws no mark). Throws
// ChartError only when the tree's root is not a visualization.
std::string DrawChart(const ViZNode& root, const VarDataProcessor* data,
                      const ChartDrawingContext& context);
