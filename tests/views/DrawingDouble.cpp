// Stands in for the host's drawing engine in this test program (the program's definition is the
// one the host library's calls reach): every chart draws as an empty SVG, so the tests see what
// the views sent and never depend on the drawing.
#include <string>

class VarDataProcessor;
struct ViZNode;
struct ChartDrawingContext;

std::string DrawChart(const ViZNode&, const VarDataProcessor*, const ChartDrawingContext&);

std::string DrawChart(const ViZNode&, const VarDataProcessor*, const ChartDrawingContext&) {
  return "<svg xmlns=\"http://www.w3.org/2000/svg\"/>";
}
