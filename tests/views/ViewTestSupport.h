// Shared helpers of the chart view tests: the charts a run left in the output document and the
// values of their data sources.
//
// The tests check what the views hand the chart document (specification, data, variables,
// texts), not the drawing: DrawingDouble.cpp stands in for the drawing engine in this test
// program, so that every chart a view sends reaches the output whatever the engine does.
#pragma once

#include "ChartOutput.h"
#include "OutputTestSupport.h"

#include "output/Chart.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace viewtest {

using Stats = NOPROutputStats;

using outtest::chartsOf;

inline std::vector<std::string> templatesOf(const std::vector<const output::Chart*>& charts) {
  std::vector<std::string> names;
  for (const output::Chart* chart : charts)
    names.push_back(chart->templateName);
  return names;
}

// The values of one variable of a chart's data source, numbers and texts as text ("" missing).
inline std::vector<std::string> column(const output::Chart& chart, const std::string& source,
                                       const std::string& variable) {
  std::vector<std::string> values;
  auto found = chart.sources.find(source);
  if (found == chart.sources.end())
    return values;
  std::size_t at = 0;
  while (at < found->second.variables.size() && found->second.variables[at] != variable)
    ++at;
  for (const auto& row : found->second.rows) {
    if (at >= row.size())
      values.push_back("<none>");
    else if (row[at].text)
      values.push_back(*row[at].text);
    else if (row[at].number)
      values.push_back(ChartOutput::double2String(*row[at].number, nullptr));
    else
      values.push_back("");
  }
  return values;
}

inline bool contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

} // namespace viewtest
