// The drawing engine's entry. The engine itself is not part of this build yet, so every chart
// ends here with an error, which the chart views turn into "no chart".
#include "ChartDrawing.h"

#include "chart/ChartError.h"

std::string DrawChart(const ViZNode&, const VarDataProcessor*, const ChartDrawingContext&) {
  throw ChartError("the chart drawing is not built yet");
}
