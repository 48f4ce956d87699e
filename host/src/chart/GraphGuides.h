// The line guides of a graph's panel, drawn over every mark, with their labels.
#pragma once

#include "GraphModel.h"

void DrawGuides(GraphModel& graph, const GraphPanel& panel);
