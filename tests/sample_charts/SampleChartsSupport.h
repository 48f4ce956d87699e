// Helpers of the sample chart tests: the charts a writer run placed in its output, and the
// values of a chart's data source read back as texts.
#pragma once

#include "../output/OutputTestSupport.h"
#include "NOPRHypothesisTests.h"

#include "output/Chart.h"

#include <charconv>
#include <string>
#include <vector>

namespace chartstest {

// Every chart of the run's output, in output order.
inline std::vector<const output::Chart*> chartsOf(const outtest::WriterRun& run) {
  return outtest::chartsOf(run.document);
}

// The charts made from one template.
inline std::vector<const output::Chart*> chartsFrom(const outtest::WriterRun& run,
                                                    const std::string& templateName) {
  std::vector<const output::Chart*> charts;
  for (const output::Chart* chart : chartsOf(run))
    if (chart->templateName == templateName)
      charts.push_back(chart);
  return charts;
}

// A value as text: a number in its shortest form, a text in quotes, "-" when missing.
inline std::string show(const output::ChartValue& value) {
  if (value.number) {
    char buffer[32];
    auto end = std::to_chars(buffer, buffer + sizeof buffer, *value.number).ptr;
    return std::string(buffer, end);
  }
  if (value.text)
    return "'" + *value.text + "'";
  return "-";
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
  std::vector<std::vector<std::string>> columns;
  for (const std::string& variable : variables)
    columns.push_back(column(chart, source, variable));
  std::vector<std::string> joined(columns.empty() ? 0 : columns.front().size());
  for (std::size_t r = 0; r < joined.size(); ++r) {
    for (const std::vector<std::string>& values : columns) {
      if (!joined[r].empty())
        joined[r] += " ";
      joined[r] += r < values.size() ? values[r] : "?";
    }
  }
  return joined;
}

// The relabels of a chart variable as "key=label"; empty when the chart has no such variable.
inline std::vector<std::string> relabels(const output::Chart& chart, const std::string& variable) {
  std::vector<std::string> shown;
  const auto found = chart.variables.find(variable);
  if (found == chart.variables.end())
    return shown;
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

inline std::size_t count(const std::string& text, const std::string& part) {
  std::size_t n = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
    ++n;
  return n;
}

inline NOPROutputStats::SimpleTableData table(const std::vector<std::vector<double>>& rows,
                                              const std::vector<std::string>& columns = {}) {
  NOPROutputStats::SimpleTableData data;
  data.fRows = rows;
  data.fNames[1] = columns;
  return data;
}

} // namespace chartstest
