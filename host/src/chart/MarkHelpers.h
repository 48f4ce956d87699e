// What the marks of every kind share: their fill, the value labels beside them, and the pieces of
// their geometry. Below the mark kinds: it calls none of them.
#pragma once

#include "GraphModel.h"

#include <string>

// True when every value given is finite.
bool Finite(double a, double b = 0, double c = 0, double d = 0);
// The box between two corners, in either order.
ChartRect Span(double x0, double y0, double x1, double y1);
// Adds a point to an SVG path: a move for the first point, a line after that.
void AppendPoint(std::string& path, double x, double y);

// The fill of a mark of row `row` in colour group `group` (-1: none): the element's palette or
// style, with the pattern of the row's pattern category over it.
std::string FillOf(ChartCanvas& canvas, const GraphElement& element, std::size_t row, int group);
// A value of a continuous dimension as the reader should hear or see it in a description or a
// tooltip: in the axis variable's format, with a decimal more than the ticks show.
std::string ValueText(const GraphModel& graph, int dim, double value);

// The value label of row `row` at (x, y), anchored "start", "middle" or "end"; nothing when the
// element has no labeling or the row's text is empty.
void DrawValueLabel(ChartCanvas& canvas, const GraphElement& element, std::size_t row, double x,
                    double y, const char* anchor);
