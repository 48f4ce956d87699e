// The case tables of table-driven tests, kept as data files: one case a line, fields between tabs,
// "#" lines and blank lines skipped. A field between double quotes loses them (for blanks at its
// ends).
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

struct DataRow {
  std::string where; // "file:line", for failure messages
  std::vector<std::string> fields;
};

// The rows of the file at `path` (relative to the source tree), each with at least `fields`
// fields; a shorter row, or a missing file, fails the test. With `header`, the first row names the
// columns and is left out.
inline std::vector<DataRow> ReadDataTable(const std::string& path, std::size_t fields,
                                          bool header = false) {
  std::vector<DataRow> rows;
  std::ifstream in(std::string(NPTESTS_SOURCE_DIR) + "/" + path);
  EXPECT_TRUE(in) << "cannot read " << path;
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    if (line.empty() || line[0] == '#' || (header && number == 1))
      continue;
    DataRow row{path + ":" + std::to_string(number), {}};
    std::istringstream split(line);
    for (std::string field; std::getline(split, field, '\t');) {
      if (field.size() >= 2 && field.front() == '"' && field.back() == '"')
        field = field.substr(1, field.size() - 2);
      row.fields.push_back(field);
    }
    EXPECT_GE(static_cast<std::size_t>(std::count(line.begin(), line.end(), '\t')) + 1, fields)
        << row.where << ": too few fields";
    row.fields.resize(std::max(row.fields.size(), fields));
    rows.push_back(row);
  }
  EXPECT_FALSE(rows.empty()) << path << " has no rows";
  return rows;
}

// A field's text with the escapes of C string literals (\n, \r, \t, a doubled backslash, and \xHH
// of two hex digits) read as the bytes a data file cannot hold raw.
inline std::string Unescaped(const std::string& field) {
  std::string text;
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] != '\\' || i + 1 == field.size()) {
      text += field[i];
      continue;
    }
    const char next = field[++i];
    if (next == 'x' && i + 2 < field.size()) {
      text += static_cast<char>(std::strtol(field.substr(i + 1, 2).c_str(), nullptr, 16));
      i += 2;
    } else {
      text += next == 'n' ? '\n' : next == 'r' ? '\r' : next == 't' ? '\t' : next;
    }
  }
  return text;
}
