// Draws every template with sample data into one HTML page, for looking at the charts in a
// browser or a headless screenshot. Usage: chart_gallery TEMPLATE_FOLDER OUTPUT.html
#include "ChartDrawing.h"
#include "GallerySamples.h"
#include "ViZNode.h"

#include <exception>
#include <fstream>
#include <iostream>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: chart_gallery TEMPLATE_FOLDER OUTPUT.html\n";
    return 2;
  }
  try {
    std::ofstream out(argv[2], std::ios::binary);
    out << "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>Chart gallery</title>"
           "<style>body{font-family:sans-serif;margin:16px;background:#f4f4f4}"
           "figure{display:inline-block;margin:8px;background:#fff;border:1px solid #ccc}"
           "figcaption{font-size:12px;color:#555;padding:4px}</style></head><body>\n";
    int index = 0;
    for (const GalleryChart& chart : BuildGalleryCharts(argv[1])) {
      ParsedSpecification parsed = ParseSpecification(chart.specification, 1 << 24, 256);
      ChartDrawingContext context;
      context.description = chart.name;
      context.idPrefix = "g" + std::to_string(++index) + "-";
      out << "<figure>" << DrawChart(*parsed.root, chart.data.get(), context) << "<figcaption>"
          << chart.name << "</figcaption></figure>\n";
    }
    out << "</body></html>\n";
  } catch (const std::exception& error) {
    std::cerr << "chart_gallery: " << error.what() << "\n";
    return 1;
  }
  return 0;
}
