// The data of a chart: named sources of named variables, filled row by row by the chart views and
// read by the drawing.
#include "chart/VarDataProcessor.h"

#include "chart/ChartError.h"

#include <algorithm>

int VarDataProcessor::Source::VariableIndex(const std::string& name) const {
  auto found = std::find(variables.begin(), variables.end(), name);
  return found == variables.end() ? -1 : static_cast<int>(found - variables.begin());
}

VarDataProcessor::VarDataProcessor() = default;
VarDataProcessor::~VarDataProcessor() = default;

void VarDataProcessor::AddDataSource(const std::string& source, int flags) {
  if (flags != 0)
    throw ChartError("data source \"" + source + "\": flags are reserved and must be 0");
  fSources.try_emplace(source);
}

void VarDataProcessor::AddVariable(const std::string& source, const std::string& variable,
                                   const void* /*info*/) {
  auto found = fSources.find(source);
  if (found == fSources.end())
    throw ChartError("unknown data source \"" + source + "\"");
  Source& table = found->second;
  if (table.VariableIndex(variable) >= 0)
    return;
  std::size_t rows = table.RowCount();
  table.variables.push_back(variable);
  table.columns.emplace_back(rows);
}

VarDataProcessor::Value& VarDataProcessor::Cell(const std::string& source,
                                                const std::string& variable, unsigned long row) {
  auto found = fSources.find(source);
  if (found == fSources.end())
    throw ChartError("unknown data source \"" + source + "\"");
  Source& table = found->second;
  int column = table.VariableIndex(variable);
  if (column < 0)
    throw ChartError("unknown variable \"" + variable + "\" in data source \"" + source + "\"");
  if (row >= kMaxRows)
    throw ChartError("row " + std::to_string(row) + " of data source \"" + source +
                     "\" is beyond the " + std::to_string(kMaxRows) + " rows a chart may have");
  if (row >= table.RowCount()) {
    // Every column grows together, so that a source stays rectangular.
    for (auto& values : table.columns)
      values.resize(row + 1);
  }
  return table.columns[static_cast<std::size_t>(column)][row];
}

void VarDataProcessor::SetVariableValue(const std::string& source, const std::string& variable,
                                        unsigned long row, double value) {
  Value& cell = Cell(source, variable, row);
  cell.number = value;
  cell.text.reset();
}

void VarDataProcessor::SetStringVariableValue(const std::string& source,
                                              const std::string& variable, unsigned long row,
                                              const ChartString& text) {
  SetStringVariableValue(source, variable, row, text.toUTF8());
}

void VarDataProcessor::SetStringVariableValue(const std::string& source,
                                              const std::string& variable, unsigned long row,
                                              const std::string& utf8) {
  Value& cell = Cell(source, variable, row);
  cell.text = utf8;
  cell.number.reset();
}

const VarDataProcessor::Source* VarDataProcessor::GetSource(const std::string& source) const {
  auto found = fSources.find(source);
  return found == fSources.end() ? nullptr : &found->second;
}

std::size_t VarDataProcessor::RowCount(const std::string& source) const {
  const Source* table = GetSource(source);
  return table == nullptr ? 0 : table->RowCount();
}
