// Sample charts: every shipped template with realistic data and its placeholders filled as the
// chart views fill them (samples.json). The gallery program draws them for screenshots; the drawing
// tests and the chart fuzzer start from them.
#pragma once

#include "chart/VarDataProcessor.h"

#include <memory>
#include <string>
#include <vector>

struct GalleryChart {
  std::string name;          // the template's file name without extension
  std::string specification; // the edited template text
  std::unique_ptr<VarDataProcessor> data;
};

// Reads the templates from `templateFolder`; throws std::runtime_error when one cannot be read or
// lacks a marker its sample edits.
std::vector<GalleryChart> BuildGalleryCharts(const std::string& templateFolder);
