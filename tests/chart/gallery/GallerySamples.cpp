// Sample data and template edits of the gallery (samples.json): what a statistician would see from
// a report.
#include "GallerySamples.h"

#include <nlohmann/json.hpp>

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in)
    throw std::runtime_error("cannot read " + path);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Replaces the first occurrence, as the views do; a marker that is not there is an error of the
// sample, not of the drawing.
void Edit(std::string& text, const std::string& from, const std::string& to) {
  const std::size_t at = text.find(from);
  if (at == std::string::npos)
    throw std::runtime_error("marker not found: " + from);
  text.replace(at, from.size(), to);
}

} // namespace

std::vector<GalleryChart> BuildGalleryCharts(const std::string& folder) {
  std::vector<GalleryChart> charts;
  for (const nlohmann::json& sample : nlohmann::json::parse(ReadFile(NPTESTS_GALLERY_SAMPLES))) {
    GalleryChart chart;
    chart.name = sample.at("template");
    chart.specification = ReadFile(folder + "/" + chart.name + ".viztemplate");
    for (const nlohmann::json& edit : sample.at("edits"))
      Edit(chart.specification, edit.at(0), edit.at(1));
    chart.data = std::make_unique<VarDataProcessor>();
    for (const auto& [source, table] : sample.at("sources").items()) {
      chart.data->AddDataSource(source);
      const nlohmann::json& variables = table.at("variables");
      for (const std::string variable : variables)
        chart.data->AddVariable(source, variable);
      unsigned long row = 0;
      for (const nlohmann::json& values : table.at("rows")) {
        for (std::size_t v = 0; v < values.size(); ++v) {
          if (values[v].is_number())
            chart.data->SetVariableValue(source, variables.at(v), row, values[v]);
          else if (values[v].is_string())
            chart.data->SetStringVariableValue(source, variables.at(v), row,
                                               values[v].get<std::string>());
        }
        ++row;
      }
    }
    charts.push_back(std::move(chart));
  }
  return charts;
}
