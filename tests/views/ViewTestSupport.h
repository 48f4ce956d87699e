// Shared helpers of the chart view tests: the charts a run left in the output document and the
// values of their data sources, variables and specifications read back as texts.
//
// The tests check what the views hand the chart document (specification, data, variables,
// texts), not the drawing: DrawingDouble.cpp stands in for the drawing engine in this test
// program, so that every chart a view sends reaches the output whatever the engine does.
#pragma once

#include "NOPRHypothesisTests.h"
#include "OutputTestSupport.h"

#include "output/Chart.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <string>
#include <vector>

namespace viewtest {

using Stats = NOPROutputStats;
using outtest::addTest;
using outtest::chartsOf;
using outtest::WriterRun;

inline std::vector<const output::Chart*> chartsOf(const WriterRun& run) {
  return outtest::chartsOf(run.document);
}

// The one chart of the run; null, with a failure, when it made none or several.
inline const output::Chart* onlyChart(const WriterRun& run) {
  const std::vector<const output::Chart*> charts = chartsOf(run);
  EXPECT_EQ(charts.size(), 1u);
  return charts.size() == 1 ? charts.front() : nullptr;
}

// A value as text: a number in its shortest form, a text in quotes, "-" when missing.
inline std::string show(const output::ChartValue& value) {
  if (value.number) {
    char buffer[32];
    return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, *value.number).ptr);
  }
  return value.text ? "'" + *value.text + "'" : "-";
}

// One variable of a data source, row by row; empty (with a failure) when there is none.
inline std::vector<std::string> column(const output::Chart& chart, const std::string& source,
                                       const std::string& variable) {
  const auto found = chart.sources.find(source);
  if (found == chart.sources.end()) {
    ADD_FAILURE() << "no source " << source;
    return {};
  }
  const output::ChartDataSource& data = found->second;
  const auto at = std::find(data.variables.begin(), data.variables.end(), variable);
  if (at == data.variables.end()) {
    ADD_FAILURE() << "no variable " << variable << " in " << source;
    return {};
  }
  const auto index = static_cast<std::size_t>(at - data.variables.begin());
  std::vector<std::string> values;
  for (const std::vector<output::ChartValue>& row : data.rows)
    values.push_back(index < row.size() ? show(row[index]) : "-");
  return values;
}

// The rows of a source, each as its values joined by " " in the order of `variables`.
inline std::vector<std::string> rows(const output::Chart& chart, const std::string& source,
                                     const std::vector<std::string>& variables) {
  std::vector<std::string> joined;
  for (const std::string& variable : variables) {
    const std::vector<std::string> values = column(chart, source, variable);
    joined.resize(std::max(joined.size(), values.size()));
    for (std::size_t r = 0; r < values.size(); ++r)
      joined[r] += (joined[r].empty() ? "" : " ") + values[r];
  }
  return joined;
}

// The relabels of a chart variable as "key=label"; empty when the chart has no such variable.
inline std::vector<std::string> relabels(const output::Chart& chart, const std::string& variable) {
  std::vector<std::string> shown;
  const auto found = chart.variables.find(variable);
  if (found != chart.variables.end())
    for (const auto& [key, label] : found->second.relabels)
      shown.push_back(key + "=" + label);
  return shown;
}

// The value of the first attribute of that name in a specification, or "<none>".
inline std::string attributeOf(const std::string& specification, const std::string& attribute) {
  const std::size_t at = specification.find(attribute + "=\"");
  if (at == std::string::npos)
    return "<none>";
  const std::size_t start = at + attribute.size() + 2;
  return specification.substr(start, specification.find('"', start) - start);
}

inline bool contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

inline Stats::SimpleTableData table(const std::vector<std::vector<double>>& rows,
                                    const std::vector<std::string>& columns = {}) {
  Stats::SimpleTableData data;
  data.fRows = rows;
  data.fNames[1] = columns;
  return data;
}

} // namespace viewtest
