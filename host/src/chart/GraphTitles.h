// The titles around a graph: axis titles, panel headings and facet titles.
#pragma once

#include "GraphModel.h"

void DrawGraphTitles(GraphModel& graph);
