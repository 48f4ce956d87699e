// The grid and the axes of a graph's panel.
#pragma once

#include "GraphModel.h"

// Grid lines at the ticks of the measure axis (of y when no element measures).
void DrawGrid(GraphModel& graph, const GraphPanel& panel);
// The panel's axes: x labelled on the bottom row of panels; y labelled on the first column, or
// on both sides of a back-to-back pair, or once in the pair's gap when the facets ask for that.
void DrawAxes(GraphModel& graph, const GraphPanel& panel, bool first, bool bottomRow);
