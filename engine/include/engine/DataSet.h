// A data set in columns, as read from a data file: numbers as doubles (NaN when missing), texts
// stored once per distinct value with a code per row.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace engine {

class DataColumn {
public:
  enum class Kind { kNumeric, kText };

  DataColumn(std::string name, Kind kind);

  const std::string& Name() const { return fName; }
  Kind GetKind() const { return fKind; }
  bool IsText() const { return fKind == Kind::kText; }
  // True when the numbers are dates: seconds from 14 October 1582, as the dictionary's date
  // formats read them.
  bool IsDate() const { return fDate; }
  void SetDate(bool date) { fDate = date; }
  std::size_t Size() const { return IsText() ? fCodes.size() : fNumbers.size(); }

  // Numeric columns: the value of a row, NaN when the cell was empty.
  double Number(std::size_t row) const { return fNumbers[row]; }
  const std::vector<double>& Numbers() const { return fNumbers; }
  void AppendNumber(double value) { fNumbers.push_back(value); }

  // Text columns: each row holds the code of its text; code 0 is the empty cell (missing).
  std::uint32_t Code(std::size_t row) const { return fCodes[row]; }
  const std::string& Text(std::uint32_t code) const { return fTexts[code]; }
  std::size_t TextCount() const { return fTexts.size(); }
  void AppendText(const std::string& text);

  void Reserve(std::size_t rows);

private:
  std::string fName;
  Kind fKind;
  bool fDate = false;
  std::vector<double> fNumbers;
  std::vector<std::uint32_t> fCodes;
  std::vector<std::string> fTexts{std::string()};
  std::unordered_map<std::string, std::uint32_t> fCodeOfText{{std::string(), 0}};
};

class DataSet {
public:
  // Takes the column; every column must have as many rows as the first.
  void AddColumn(DataColumn column);

  std::size_t RowCount() const { return fColumns.empty() ? 0 : fColumns.front().Size(); }
  std::size_t ColumnCount() const { return fColumns.size(); }
  const DataColumn& Column(std::size_t index) const { return fColumns[index]; }
  DataColumn& Column(std::size_t index) { return fColumns[index]; }
  // The column of that name, ignoring ASCII case, or -1.
  int FindColumn(const std::string& name) const;

private:
  std::vector<DataColumn> fColumns;
};

} // namespace engine
