// The data of a chart: named sources, each a table of named variables whose values are numbers,
// texts or missing, row by row. A chart document draws its elements from it by the source and
// variable names of its specification.
#pragma once

#include "chart/ChartString.h"

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <vector>

class VarDataProcessor {
public:
  // A value: a number, a text, or neither (missing). An empty text counts as missing where a
  // number is needed.
  struct Value {
    std::optional<double> number;
    std::optional<std::string> text; // UTF-8

    bool IsMissing() const { return !number && !text; }
  };

  struct Source {
    std::vector<std::string> variables;      // in the order they were added
    std::vector<std::vector<Value>> columns; // one per variable, all of the same length
    std::size_t RowCount() const { return columns.empty() ? 0 : columns.front().size(); }
    // The position of a variable, or -1.
    int VariableIndex(const std::string& name) const;
  };

  // The most rows a source may have: a row number beyond is refused (the data a chart shows is a
  // summary, never a case list).
  static constexpr unsigned long kMaxRows = 1000000;

  VarDataProcessor();
  ~VarDataProcessor();

  // Adds an empty source. `flags` is reserved and must be 0. Adding a source that exists again
  // keeps it as it is.
  void AddDataSource(const std::string& source, int flags = 0);
  // Adds a variable to a source, with a missing value in every row the source already has.
  // `info` is reserved (variable information) and ignored. Adding a variable again keeps it.
  // Throws ChartError for an unknown source.
  void AddVariable(const std::string& source, const std::string& variable,
                   const void* info = nullptr);
  // Sets the value of a variable in a row. A row past the end grows the source, every new cell of
  // every variable missing. Throws ChartError for an unknown source or variable and for a row
  // beyond kMaxRows.
  void SetVariableValue(const std::string& source, const std::string& variable, unsigned long row,
                        double value);
  void SetStringVariableValue(const std::string& source, const std::string& variable,
                              unsigned long row, const ChartString& text);
  void SetStringVariableValue(const std::string& source, const std::string& variable,
                              unsigned long row, const std::string& utf8);

  // Null when there is no such source.
  const Source* GetSource(const std::string& source) const;
  const std::map<std::string, Source>& Sources() const { return fSources; }
  // The number of rows of a source (0 for an unknown one).
  std::size_t RowCount(const std::string& source) const;

private:
  Value& Cell(const std::string& source, const std::string& variable, unsigned long row);

  std::map<std::string, Source> fSources;
};
