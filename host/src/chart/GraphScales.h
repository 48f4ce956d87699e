// The scales of a graph: settled from the extent of its data and the demands of its axes (ranges,
// fixed ends, zero, reversal), then given fewer ticks on a continuous x axis once the layout knows
// its length.
#pragma once

#include "GraphModel.h"

class GraphScales {
public:
  // Settles both scales of `graph` (borrowed; it must outlive this object).
  explicit GraphScales(GraphModel& graph);

  // Fewer ticks on a continuous x axis when their labels would crowd `length` pixels.
  void FitTicks(double length);

private:
  // Settles a dimension's scale from the extent its data gave, with at most `maxTicks` ticks;
  // over exactly [domain[0], domain[1]] when `domain` is given.
  void SettleScale(int dim, int maxTicks, const double* domain = nullptr);

  GraphModel& fGraph;
  // What settling a scale starts from: the data's extent and the axis's demands.
  struct SettleInput {
    ChartScale extent;
    bool includeZero = false;
    double fixedLow = 0, fixedHigh = 0; // NaN when not fixed
    bool reverse = false;
  } fSettle[2];
};
