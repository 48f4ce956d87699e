// A chart of the output: the chart document's texts, data sources, variables, the edited
// specification it was drawn from and the drawing itself, or the reason it could not be made.
// Filled by the chart service; the pivot builder only places it.
#pragma once

#include "output/Item.h"

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace output {

// One value of a chart data source: a number, a text, or neither (missing).
struct ChartValue {
  std::optional<double> number;
  std::optional<std::string> text;
};

struct ChartDataSource {
  std::vector<std::string> variables;        // column names in the order they were added
  std::vector<std::vector<ChartValue>> rows; // one entry per variable in each row
};

struct ChartVariable {
  std::string label; // shown label; empty when none
  bool categorical = false;
  std::string format;                                        // number format text; empty when none
  std::vector<std::pair<std::string, std::string>> relabels; // (key text, shown label) in order
};

class Chart : public Item {
public:
  Chart();
  ~Chart() override;

  ItemKind Kind() const override { return ItemKind::kChart; }

  // Public fields: a chart is plain data that the chart service fills before placing it.
  std::string templateName; // file name of the chart template
  std::string title;
  std::optional<std::string> subtitle;
  std::optional<std::string> thirdText;
  std::string description;
  std::map<std::string, ChartDataSource> sources; // by source name
  std::map<std::string, ChartVariable> variables; // by variable name
  std::string specification; // the edited template text the chart was made from
  std::string svg;           // the drawing; empty until drawn, or when the report draws none
  std::string printSvg;      // the drawing laid out as a printed figure; empty unless asked for
  // Why the chart could not be made (its template missing, the chart service refusing it); empty
  // for a chart that was. A chart left out keeps its place and title and has nothing else.
  std::string leftOut;
};

} // namespace output
