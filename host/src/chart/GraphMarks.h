// The marks of a graph's panel, one kind per source file; each draws one element's rows of the
// panel into the chart's canvas. They call the shared pieces of MarkHelpers.h and never each
// other; ChartGraph calls them in the order of the graph's elements.
#pragma once

#include "GraphModel.h"

// Bars of an interval element (BarMarks.cpp).
void DrawBars(GraphModel& graph, const GraphElement& element, const GraphPanel& panel);
// Lines and areas through the data (LineMarks.cpp).
void DrawLines(GraphModel& graph, const GraphElement& element, const GraphPanel& panel);
// A distribution curve of a line or area element with a distributionStatistic, and its regions
// (CurveMarks.cpp).
void DrawCurve(GraphModel& graph, const GraphElement& element, const GraphPanel& panel);
// Points (PointMarks.cpp).
void DrawPoints(GraphModel& graph, const GraphElement& element, const GraphPanel& panel);
// Box plots of a schema element (BoxPlotMarks.cpp).
void DrawBoxPlots(GraphModel& graph, const GraphElement& element, const GraphPanel& panel);
// The network of a node element and the graph's first edge element, if any (NetworkMarks.cpp).
void DrawNetwork(GraphModel& graph, const GraphElement& nodes, const GraphElement* edges,
                 const GraphPanel& panel);
// Cell texts of a textMark element (TextMarks.cpp).
void DrawCellTexts(GraphModel& graph, const GraphElement& element, const GraphPanel& panel);
